#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxformula.h"

#include "support/testfiles.h"

namespace veskplan::test {
namespace {

using namespace Qt::Literals::StringLiterals;

QString rangeText(QStringView text) {
    const auto range = XlsxCellRef::parseRange(text);
    return range ? range->first.toString() + u':' + range->second.toString() : u"-"_s;
}

TEST(XlsxReferences, FormulasAndCellAddressesAsTheTableSays) {
    // references.txt: one case a line, its head says how to read it.
    const XlsxFormula::SheetMap sheets = {{u"main table"_s, u"Tabfill"_s},
                                          {u"summary"_s, std::nullopt},
                                          {u"notes"_s, u"Notes 2"_s},
                                          {u"it's"_s, u"X"_s}};
    const QList<QStringList> table = tableRows(u"ooxml/references.txt"_s);
    EXPECT_EQ(table.size(), 74);
    for (const QStringList& f : table) {
        SCOPED_TRACE(f.join(u'|').toStdString());
        const QString& kind = f[0];
        if (kind == u"rename"_s) {
            EXPECT_EQ(XlsxFormula::renameSheets(f[1], sheets), f[2]);
        } else if (kind == u"shift"_s) {
            EXPECT_EQ(XlsxFormula::shift(f[1], f[2].toInt(), f[3].toInt()), f[4]);
        } else if (kind == u"quote"_s) {
            EXPECT_EQ(XlsxFormula::quoteSheetName(f[1]), f[2]);
        } else if (kind == u"cell"_s) {
            const auto cell = XlsxCellRef::parse(f[1]);
            EXPECT_EQ(cell ? u"%1|%2"_s.arg(cell->row()).arg(cell->column()) : u"-"_s,
                      f.mid(2).join(u'|'));
            if (cell) {
                EXPECT_EQ(cell->toString(), f[1].toUpper());
            }
        } else if (kind == u"column"_s) {
            EXPECT_EQ(XlsxCellRef::columnNumber(f[2]), f[1].toInt());
            if (f[1] != u"0"_s) {
                EXPECT_EQ(XlsxCellRef::columnName(f[1].toInt()), f[2]);
            }
        } else {
            EXPECT_EQ(kind, u"range"_s);
            EXPECT_EQ(rangeText(f[1]), f[2]);
        }
    }
}

}  // namespace
}  // namespace veskplan::test
