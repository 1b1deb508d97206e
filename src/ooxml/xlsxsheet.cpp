#include "ooxml/xlsxsheet.h"

#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxxml.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The most characters a cell can hold.
constexpr qsizetype kMaxTextLength = 32767;

// Children of <worksheet> that come before <sheetData>, in their required order.
constexpr std::array<std::string_view, 5> kBeforeSheetData = {"sheetPr", "dimension", "sheetViews",
                                                              "sheetFormatPr", "cols"};

bool isTrue(pugi::xml_attribute attribute) {
    const std::string_view value = attribute.value();
    return value == "1" || value == "true";
}

// Column of a normalised cell reference ("E15" -> 5) without building a QString; cells are
// looked up once per write, which makes this the hot path of a large export.
int columnOf(const char* ref) {
    int column = 0;
    for (; *ref >= 'A' && *ref <= 'Z'; ++ref) {
        column = column * 26 + (*ref - 'A' + 1);
    }
    return column;
}

std::optional<int> parseRowNumber(const char* text) {
    int row = 0;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, row);
    if (error != std::errc() || rest != end || row < 1 || row > XlsxCellRef::kMaxRow) {
        return std::nullopt;
    }
    return row;
}

QString cellName(XlsxCellRef ref) {
    return ref.toString();
}

bool contains(int top, int left, int bottom, int right, XlsxCellRef ref) {
    return ref.row() >= top && ref.row() <= bottom && ref.column() >= left && ref.column() <= right;
}

bool isXmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

}  // namespace

XlsxSheet::XlsxSheet(QByteArrayView xml, const QString& part)
    : document_(XlsxXml::parse(xml, part)), part_(part) {
    pugi::xml_node root = document_->document_element();
    if (XlsxXml::localName(root) != "worksheet") {
        throw XlsxError(u"part \"%1\" is not a worksheet"_s.arg(part));
    }
    prefix_ = XlsxXml::prefix(root);

    sheetData_ = XlsxXml::child(root, "sheetData");
    if (!sheetData_) {
        pugi::xml_node after;
        for (pugi::xml_node node : root.children()) {
            if (node.type() == pugi::node_element &&
                std::find(kBeforeSheetData.begin(), kBeforeSheetData.end(),
                          XlsxXml::localName(node)) != kBeforeSheetData.end()) {
                after = node;
            }
        }
        sheetData_ = after ? root.insert_child_after(name("sheetData").c_str(), after)
                           : root.prepend_child(name("sheetData").c_str());
    }

    pugi::xml_node cols = XlsxXml::child(root, "cols");
    for (pugi::xml_node col = XlsxXml::child(cols, "col"); col;
         col = XlsxXml::nextSibling(col, "col")) {
        const std::string style = col.attribute("style").value();
        const int min = col.attribute("min").as_int();
        const int max = col.attribute("max").as_int();
        if (!style.empty() && min >= 1 && max >= min) {
            columnStyles_.push_back({min, max, style});
        }
    }

    if (pugi::xml_node dimension = XlsxXml::child(root, "dimension")) {
        extent_ = XlsxCellRef::parseRange(XlsxXml::attribute(dimension, "ref"));
    }
    indexRows();
}

XlsxSheet::~XlsxSheet() = default;

void XlsxSheet::indexRows() {
    int previousRow = 0;
    for (pugi::xml_node row = XlsxXml::child(sheetData_, "row"); row;
         row = XlsxXml::nextSibling(row, "row")) {
        // Row and cell numbers may be left out, meaning "the next one"; spell them out so that
        // cells can be found and placed by number.
        int rowNumber = previousRow + 1;
        if (pugi::xml_attribute r = row.attribute("r")) {
            const auto parsed = parseRowNumber(r.value());
            if (!parsed || *parsed <= previousRow) {
                throw XlsxError(u"part \"%1\" has rows out of order at row \"%2\""_s.arg(
                    part_, QString::fromUtf8(r.value())));
            }
            rowNumber = *parsed;
        } else if (rowNumber > XlsxCellRef::kMaxRow) {
            throw XlsxError(u"part \"%1\" has more rows than a sheet can hold"_s.arg(part_));
        } else {
            row.prepend_attribute("r") = rowNumber;
        }
        rows_.emplace_hint(rows_.end(), rowNumber, row);
        previousRow = rowNumber;

        int previousColumn = 0;
        for (pugi::xml_node cell = XlsxXml::child(row, "c"); cell;
             cell = XlsxXml::nextSibling(cell, "c")) {
            XlsxCellRef ref(rowNumber, previousColumn + 1);
            if (pugi::xml_attribute r = cell.attribute("r")) {
                const auto parsed = XlsxCellRef::parse(QString::fromUtf8(r.value()));
                if (!parsed || parsed->row() != rowNumber || parsed->column() <= previousColumn) {
                    throw XlsxError(u"part \"%1\" has cells out of order at cell \"%2\""_s.arg(
                        part_, QString::fromUtf8(r.value())));
                }
                ref = *parsed;
                // Lower-case letters would be valid but defeat the quick column lookup.
                const QByteArray normal = ref.toString().toUtf8();
                if (normal != r.value()) {
                    r.set_value(normal.constData());
                }
            } else {
                if (ref.column() > XlsxCellRef::kMaxColumn) {
                    throw XlsxError(u"part \"%1\" has too many cells in row %2"_s.arg(
                        part_, QString::number(rowNumber)));
                }
                cell.prepend_attribute("r") = ref.toString().toUtf8().constData();
            }
            previousColumn = ref.column();

            pugi::xml_node formula = XlsxXml::child(cell, "f");
            if (formula) {
                // A result computed before this edit may no longer hold. Without one, every
                // reader computes the formula anew; with one, some show it as it was.
                while (pugi::xml_node value = XlsxXml::child(cell, "v")) {
                    cell.remove_child(value);
                }
                cell.remove_attribute("t");
            }
            const std::string_view type = formula.attribute("t").value();
            if (type == "array" || type == "dataTable") {
                if (const auto range =
                        XlsxCellRef::parseRange(XlsxXml::attribute(formula, "ref"))) {
                    arrays_.push_back({range->first.row(), range->first.column(),
                                       range->second.row(), range->second.column(), ref.row(),
                                       ref.column()});
                }
            }
        }
    }
}

void XlsxSheet::setNumber(XlsxCellRef cell, double value) {
    if (!std::isfinite(value)) {
        throw XlsxError(
            u"cell %1 cannot hold the value %2"_s.arg(cellName(cell), QString::number(value)));
    }
    pugi::xml_node node = prepareCell(cell);
    node.append_child(name("v").c_str()).text().set(formatNumber(value).constData());
}

void XlsxSheet::setText(XlsxCellRef cell, QStringView text) {
    if (text.size() > kMaxTextLength) {
        throw XlsxError(u"text for cell %1 is longer than %2 characters"_s.arg(
            cellName(cell), QString::number(kMaxTextLength)));
    }
    pugi::xml_node node = prepareCell(cell);
    if (text.isEmpty()) {
        return;
    }
    node.append_attribute("t") = "inlineStr";
    pugi::xml_node t = node.append_child(name("is").c_str()).append_child(name("t").c_str());
    if (isXmlSpace(text.front()) || isXmlSpace(text.back()) || text.contains(u'\n') ||
        text.contains(u'\t')) {
        t.append_attribute("xml:space") = "preserve";
    }
    t.text().set(escapeText(text).toUtf8().constData());
}

pugi::xml_node XlsxSheet::prepareCell(XlsxCellRef ref) {
    for (auto block = arrays_.begin(); block != arrays_.end(); ++block) {
        if (!contains(block->top, block->left, block->bottom, block->right, ref)) {
            continue;
        }
        const XlsxCellRef master(block->masterRow, block->masterColumn);
        if (master != ref) {
            // Writing into part of an array leaves a workbook that spreadsheets refuse.
            throw XlsxError(u"cell %1 is part of the array formula in %2"_s.arg(cellName(ref),
                                                                                cellName(master)));
        }
        arrays_.erase(block);  // the master is overwritten: the rest keep their values
        break;
    }
    pugi::xml_node row = findOrAddRow(ref.row());
    pugi::xml_node cell = findOrAddCell(row, ref);
    clearCell(cell, ref);
    extendDimension(ref);
    return cell;
}

pugi::xml_node XlsxSheet::findOrAddRow(int row) {
    const auto next = rows_.lower_bound(row);
    if (next != rows_.end() && next->first == row) {
        return next->second;
    }
    pugi::xml_node node = next != rows_.end()
                              ? sheetData_.insert_child_before(name("row").c_str(), next->second)
                              : sheetData_.append_child(name("row").c_str());
    node.append_attribute("r") = row;
    rows_.emplace_hint(next, row, node);
    return node;
}

pugi::xml_node XlsxSheet::findOrAddCell(pugi::xml_node row, XlsxCellRef ref) {
    pugi::xml_node before;
    for (pugi::xml_node cell = XlsxXml::child(row, "c"); cell;
         cell = XlsxXml::nextSibling(cell, "c")) {
        const int column = columnOf(cell.attribute("r").value());
        if (column == ref.column()) {
            return cell;
        }
        if (column > ref.column()) {
            before = cell;
            break;
        }
    }
    pugi::xml_node cell = before ? row.insert_child_before(name("c").c_str(), before)
                                 : row.append_child(name("c").c_str());
    cell.append_attribute("r") = ref.toString().toUtf8().constData();

    // A cell typed into a formatted row or column takes that format; without the s attribute
    // the new cell would fall back to the workbook's default style.
    std::string style;
    if (isTrue(row.attribute("customFormat"))) {
        style = row.attribute("s").value();
    } else {
        for (const ColumnStyle& column : columnStyles_) {
            if (ref.column() >= column.min && ref.column() <= column.max) {
                style = column.style;
                break;
            }
        }
    }
    if (!style.empty() && style != "0") {
        cell.append_attribute("s") = style.c_str();
    }

    // spans is a hint of the columns a row uses; keep it true or drop it.
    if (pugi::xml_attribute spans = row.attribute("spans")) {
        const QString value = QString::fromUtf8(spans.value());
        const QStringList bounds = value.split(u':');
        bool firstOk = false;
        bool lastOk = false;
        const int first = bounds.size() == 2 ? bounds[0].toInt(&firstOk) : 0;
        const int last = bounds.size() == 2 ? bounds[1].toInt(&lastOk) : 0;
        if (firstOk && lastOk) {
            const QString widened =
                u"%1:%2"_s.arg(std::min(first, ref.column())).arg(std::max(last, ref.column()));
            spans.set_value(widened.toUtf8().constData());
        } else {
            row.remove_attribute(spans);
        }
    }
    return cell;
}

void XlsxSheet::clearCell(pugi::xml_node cell, XlsxCellRef ref) {
    pugi::xml_node formula = XlsxXml::child(cell, "f");
    if (std::string_view(formula.attribute("t").value()) == "shared" && formula.attribute("ref") &&
        *formula.text().get() != '\0') {
        dissolveSharedFormula(formula, ref);
    }
    cell.remove_children();
    cell.remove_attribute("t");
    // Metadata indexes belong to the old value (dynamic arrays, rich values).
    cell.remove_attribute("cm");
    cell.remove_attribute("vm");
}

void XlsxSheet::dissolveSharedFormula(pugi::xml_node formula, XlsxCellRef master) {
    // The other cells of a shared formula hold no text of their own; they read the master's.
    // With the master gone, each gets its own formula: the master's, moved to its place.
    const auto range = XlsxCellRef::parseRange(XlsxXml::attribute(formula, "ref"));
    if (!range) {
        return;
    }
    const std::string si = formula.attribute("si").value();
    const QString text = XlsxXml::text(formula);
    const auto [top, bottom] = std::pair(range->first, range->second);
    for (auto row = rows_.lower_bound(top.row()); row != rows_.end() && row->first <= bottom.row();
         ++row) {
        for (pugi::xml_node cell = XlsxXml::child(row->second, "c"); cell;
             cell = XlsxXml::nextSibling(cell, "c")) {
            const int column = columnOf(cell.attribute("r").value());
            const XlsxCellRef ref(row->first, column);
            pugi::xml_node dependent = XlsxXml::child(cell, "f");
            if (ref == master || !dependent ||
                std::string_view(dependent.attribute("t").value()) != "shared" ||
                si != dependent.attribute("si").value()) {
                continue;
            }
            if (*dependent.text().get() == '\0') {
                const QString moved = XlsxFormula::shift(text, ref.row() - master.row(),
                                                         ref.column() - master.column());
                dependent.text().set(moved.toUtf8().constData());
            }
            dependent.remove_attribute("t");
            dependent.remove_attribute("si");
            dependent.remove_attribute("ref");
        }
    }
}

void XlsxSheet::extendDimension(XlsxCellRef ref) {
    pugi::xml_node dimension = XlsxXml::child(document_->document_element(), "dimension");
    if (!dimension) {
        return;
    }
    XlsxCellRef first = extent_ ? extent_->first : ref;
    XlsxCellRef last = extent_ ? extent_->second : ref;
    const XlsxCellRef newFirst(std::min(first.row(), ref.row()),
                               std::min(first.column(), ref.column()));
    const XlsxCellRef newLast(std::max(last.row(), ref.row()),
                              std::max(last.column(), ref.column()));
    if (extent_ && newFirst == first && newLast == last) {
        return;
    }
    extent_ = std::pair(newFirst, newLast);
    const QString text =
        newFirst == newLast ? newFirst.toString() : newFirst.toString() + u':' + newLast.toString();
    pugi::xml_attribute attribute = dimension.attribute("ref");
    if (!attribute) {
        attribute = dimension.append_attribute("ref");
    }
    attribute.set_value(text.toUtf8().constData());
}

void XlsxSheet::renameSheets(const XlsxFormula::SheetMap& sheets) {
    struct Walker : pugi::xml_tree_walker {
        const XlsxFormula::SheetMap* sheets;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() != pugi::node_element) {
                return true;
            }
            const std::string_view local = XlsxXml::localName(node);
            if (local == "f" || local == "formula" || local == "formula1" || local == "formula2") {
                rewrite(node.text());
            } else if (local == "hyperlink") {
                if (pugi::xml_attribute location = node.attribute("location")) {
                    const QString before = QString::fromUtf8(location.value());
                    const QString after = XlsxFormula::renameSheets(before, *sheets);
                    if (after != before) {
                        location.set_value(after.toUtf8().constData());
                    }
                }
            }
            return true;
        }
        void rewrite(pugi::xml_text text) {
            if (text.empty()) {
                return;
            }
            const QString before = QString::fromUtf8(text.get());
            const QString after = XlsxFormula::renameSheets(before, *sheets);
            if (after != before) {
                text.set(after.toUtf8().constData());
            }
        }
    } walker;
    walker.sheets = &sheets;
    document_->traverse(walker);
}

void XlsxSheet::select() {
    pugi::xml_node views = XlsxXml::child(document_->document_element(), "sheetViews");
    pugi::xml_node view = XlsxXml::child(views, "sheetView");
    if (!view) {
        return;
    }
    pugi::xml_attribute selected = view.attribute("tabSelected");
    if (!selected) {
        selected = view.append_attribute("tabSelected");
    }
    selected.set_value("1");
}

QByteArray XlsxSheet::toXml() const {
    return XlsxXml::serialize(*document_);
}

QByteArray XlsxSheet::formatNumber(double value) {
    if (value == 0) {
        return QByteArrayLiteral("0");
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, result.ptr - buffer);
}

QString XlsxSheet::escapeText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'_' && i + 6 < text.size() && text[i + 1] == u'x' &&
            std::all_of(text.begin() + i + 2, text.begin() + i + 6, isHexDigit) &&
            text[i + 6] == u'_') {
            out += u"_x005F_"_s;
        } else if ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF) {
            out += u"_x"_s + u"%1"_s.arg(int(u), 4, 16, QChar(u'0')).toUpper() + u'_';
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate()) {
            out += QChar(QChar::ReplacementCharacter);  // half a pair cannot be written
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace veskplan
