#include "controller/historyimport.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "base/csv.h"
#include "base/error.h"
#include "base/sqlitedb.h"
#include "controller/busycursor.h"
#include "history/bidfile.h"
#include "history/bidhistorysource.h"
#include "history/historytexts.h"
#include "master/masterlistfile.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

const QString kHistoryKey = u"BidHistory/file"_s;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A file write-protected for everyone counts as read-only even for a user the system lets
// write anywhere: its owner meant it to be read.
bool isReadOnly(const QString& path) {
    const QFileInfo info(path);
    return info.exists() &&
           (!info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner));
}

QString importedText(int bids, qsizetype files, const QString& history) {
    return QString::number(bids) + (bids == 1 ? u" bid"_s : u" bids"_s) + u" imported from "_s +
           QString::number(files) + (files == 1 ? u" file"_s : u" files"_s) +
           u" into the bid history "_s + shown(history) + u"."_s;
}

// The proposal for a layout that is not recognised whole: each field whose column is
// recognised on its own.
ColumnLayout proposalFor(const QStringList& headings) {
    ColumnLayout proposed;
    for (Field field : BidFile::wantedFields()) {
        try {
            const auto found = ColumnLayout().locate(headings, {field}, {});
            if (!found.empty()) {
                proposed.name(field, headings[found.begin()->second].trimmed());
            }
        } catch (const ColumnLayout::ColumnProblem&) {
            // two columns claim the field: the user picks one
        }
    }
    return proposed;
}

}  // namespace

HistoryImport::HistoryImport(UserPort& port, BusyIndicator& busy, FileDialogs& dialogs,
                             SettingsStore& settings, const Configuration& config, QString dataDir)
    : port_(port),
      busy_(busy),
      dialogs_(dialogs),
      settings_(settings),
      config_(config),
      dataDir_(std::move(dataDir)) {}

QString HistoryImport::defaultHistoryFile() const {
    return joinPath(dataDir_, u"bid-history.sqlite"_s);
}

QString HistoryImport::layoutFile() const {
    return LayoutStore::fileIn(dataDir_);
}

QString HistoryImport::historyFile() const {
    const QString chosen = settings_.text(kHistoryKey);
    return chosen.isEmpty() ? defaultHistoryFile() : chosen;
}

void HistoryImport::chooseHistoryFile() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = u"Choose Bid History File"_s;
    request.filters = {BidHistorySource::sourceKind().fileFilter, u"All Files (*.*)"_s};
    request.fileName = historyFile();
    request.directory = directoryOf(historyFile());
    const std::optional<QString> chosen = dialogs_.choose(request);
    if (!chosen) {
        return;
    }
    try {
        const bool readOnly = isReadOnly(*chosen);
        BidHistory::open(*chosen, readOnly);  // refuses a file that is no bid history
        settings_.setValue(kHistoryKey, *chosen);
        if (readOnly) {
            port_.inform(u"The bid history "_s + shown(*chosen) +
                         u" is read-only: its bids serve the estimates, but no bids can be "
                         u"imported into it."_s);
        }
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

std::optional<ColumnLayout> HistoryImport::layoutFor(const QString& file, LayoutStore& store,
                                                     bool& asked) {
    const BidFile::Heading heading = BidFile::heading(file);
    const QStringList& headings = heading.cells;
    if (!BidFile::unrecognised(headings)) {
        return std::nullopt;
    }
    // Not recognised whole: a kept layout or the user says which column is which.
    if (std::optional<ColumnLayout> kept = store.find(headings)) {
        return kept;
    }
    const std::optional<ColumnLayout> chosen = port_.chooseColumns(
        ColumnMappingRequest{heading.shownName, headings, BidFile::wantedFields(),
                             BidFile::requiredFields(), proposalFor(headings)});
    if (!chosen) {
        throw Cancelled{};
    }
    try {
        chosen->locate(headings, BidFile::wantedFields(), BidFile::requiredFields());
    } catch (const ColumnLayout::ColumnProblem& problem) {
        throw csv::ReadError(heading.shownName, heading.line, problem.reason);
    }
    store.remember(headings, *chosen);
    asked = true;
    return chosen;
}

void HistoryImport::importBidFiles() {
    const QString history = historyFile();
    if (isReadOnly(history)) {
        port_.warn(historytexts::historyNotWritten(shown(history), historytexts::fileReadOnly()));
        return;
    }
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = u"Import Bid History"_s;
    request.filters = {u"Bid Tabulations (*.csv *.xlsx)"_s, u"All Files (*.*)"_s};
    const QStringList files = port_.chooseFiles(request);
    if (files.isEmpty()) {
        return;
    }
    const bool existed = QFileInfo::exists(history);
    try {
        LayoutStore store = LayoutStore::read(layoutFile());
        std::vector<BidHistory::Source> sources;
        bool asked = false;
        for (const QString& file : files) {
            sources.push_back(BidHistory::Source{file, layoutFor(file, store, asked)});
        }
        if (asked) {
            QDir().mkpath(dataDir_);
            store.write(layoutFile());
        }
        const KnownUnits units(MasterListFile::unitsIn(config_.mastDir));
        int bids = 0;
        int estimateRows = 0;
        {
            BusyCursor busy(busy_);
            QDir().mkpath(directoryOf(history));
            BidHistory target = BidHistory::open(history, false);
            for (const ImportReport& report : target.import(sources, units)) {
                bids += report.rows;
                estimateRows += report.estimateRowsSkipped;
            }
        }
        port_.inform(importedText(bids, files.size(), history) +
                     (estimateRows > 0
                          ? u" "_s + historytexts::estimateRowsSkipped(estimateRows) + u"."_s
                          : QString()));
    } catch (const Cancelled&) {
        return;
    } catch (const Error& error) {
        if (!existed) {
            SqliteDb::removeFiles(history);  // no empty history left behind by a failed import
        }
        port_.warn(error.message());
    }
}

}  // namespace veskplan
