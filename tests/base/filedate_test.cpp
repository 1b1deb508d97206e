#include <gtest/gtest.h>

#include "base/filedate.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(FileDate, OneFormIsWrittenAndEveryFormAFileMayHoldIsRead) {
    EXPECT_EQ(filedate::toText(QDate(2026, 3, 4)), u"3/4/2026"_s);
    EXPECT_EQ(filedate::toText(QDate()), QString());
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);  // short form "yy. M. d."
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const struct {
        QString text;
        QLocale locale;
        QDate date;
    } cases[] = {
        {u" 3/4/2026 "_s, QLocale::c(), QDate(2026, 3, 4)},
        {u"03/04/26"_s, british, QDate(2026, 3, 4)},  // month first wherever it fits
        {u"14/03/2026"_s, british, QDate(2026, 3, 14)},
        {u"2026-03-04"_s, QLocale::c(), QDate(2026, 3, 4)},
        {u"4.3.2026"_s, QLocale::c(), QDate(2026, 3, 4)},
        {u"26. 3. 4."_s, korean, QDate(2026, 3, 4)},
        {u"4 Mar 2026"_s, korean, QDate(2026, 3, 4)},
        {u"2/30/2026"_s, QLocale::c(), QDate()},
        {u"someday"_s, british, QDate()},
        {QString(), QLocale::c(), QDate()},
        {QString(80, u'1'), QLocale::c(), QDate()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(filedate::fromText(c.text, c.locale), c.date) << c.text.toStdString();
    }
}

}  // namespace
}  // namespace veskplan
