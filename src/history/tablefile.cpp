#include "history/tablefile.h"

#include <QDir>
#include <QFileInfo>

#include "base/texts.h"
#include "history/fieldtext.h"
#include "history/historytexts.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxsheetvalues.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

bool holdsSomething(const QStringList& cells) {
    for (const QString& cell : cells) {
        if (!cell.trimmed().isEmpty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

TableFile TableFile::open(const QString& path, qint64 maxBytes, qsizetype maxRows) {
    TableFile table;
    table.shownName_ = QDir::toNativeSeparators(path);
    if (QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) != 0) {
        table.reader_ =
            std::make_unique<csv::Reader>(csv::Reader::fromFile(path, maxBytes, maxRows));
        return table;
    }
    if (QFileInfo(path).size() > maxBytes) {
        throw csv::ReadError(table.shownName_, 0, texts::fileTooLarge(maxBytes));
    }
    try {
        for (XlsxSheetValues::Row& row :
             XlsxSheetValues::read(path, maxRows, int(csv::Reader::kMaxFields))) {
            table.sheetRows_.push_back({row.row, std::move(row.cells)});
        }
    } catch (const XlsxError& error) {
        throw csv::ReadError(table.shownName_, 0, error.reason());
    }
    return table;
}

std::optional<TableFile::Row> TableFile::next() {
    if (reader_) {
        while (std::optional<QStringList> cells = reader_->next()) {
            if (holdsSomething(*cells)) {
                return Row{reader_->line(), std::move(*cells)};
            }
        }
        return std::nullopt;
    }
    while (sheetPosition_ < sheetRows_.size()) {
        Row& row = sheetRows_[sheetPosition_++];
        if (holdsSomething(row.cells)) {
            return std::move(row);
        }
    }
    return std::nullopt;
}

bool RowFaults::check(int line, const std::function<void()>& read) {
    try {
        read();
        return true;
    } catch (const fieldtext::FieldError& error) {
        if (++count_ == 1) {
            firstLine_ = line;
            firstReason_ = error.reason();
        } else if (count_ <= kMaxTold) {
            later_.append(historytexts::laterFault(line, error.reason()));
        }
        return false;
    }
}

void RowFaults::throwIfAny(const QString& shownName) const {
    if (count_ > 0) {
        throw csv::ReadError(shownName, firstLine_,
                             historytexts::rowFaults(firstReason_, later_, count_ - kMaxTold));
    }
}

}  // namespace veskplan
