#include "controller/historyimport.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "base/apppaths.h"
#include "base/csv.h"
#include "base/error.h"
#include "base/filedate.h"
#include "base/sqlitedb.h"
#include "controller/asidework.h"
#include "controller/busycursor.h"
#include "history/bidfile.h"
#include "history/bidhistorysource.h"
#include "history/historytexts.h"
#include "history/serverloginerror.h"
#include "master/masterlistfile.h"
#if VESKPLAN_SERVER_HISTORY
#include "history/servercopy.h"
#include "history/serverhistory.h"
#endif

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

const QString kHistoryKey = u"BidHistory/file"_s;

// The fields of a server's address, as the dialog asks for them and the settings keep them.
struct ServerField {
    QString key;
    FormRequest::Field field;
};
const std::vector<ServerField>& serverFields() {
    static const std::vector<ServerField> fields{
        {u"BidHistory/serverHost"_s,
         {u"serverHost"_s, u"&Host:"_s, {}, u"The server's name or address"_s}},
        {u"BidHistory/serverPort"_s,
         {u"serverPort"_s, u"P&ort:"_s, {}, u"Empty for the usual port, 5432"_s}},
        {u"BidHistory/serverDatabase"_s,
         {u"serverDatabase"_s, u"&Database:"_s, {}, u"The database of the bid history"_s}},
        {u"BidHistory/serverUser"_s,
         {u"serverUser"_s, u"&User:"_s, {}, u"Empty for your login name"_s}},
        {u"BidHistory/serverSslMode"_s,
         {u"serverSslMode"_s,
          u"&TLS mode (sslmode):"_s,
          {},
          u"disable, allow, prefer, require, verify-ca or verify-full; empty for prefer"_s}},
    };
    return fields;
}
enum ServerValue { Host, Port, Database, User, SslMode };

bool isServerAddress([[maybe_unused]] const QString& location) {
#if VESKPLAN_SERVER_HISTORY
    return ServerHistory::isAddress(location);
#else
    return false;
#endif
}

// The history as messages name it: a file's path, a server's "HOST/DB".
QString historyName(const QString& history) {
#if VESKPLAN_SERVER_HISTORY
    if (ServerHistory::isAddress(history)) {
        return ServerHistory::shownName(history);
    }
#endif
    return QDir::toNativeSeparators(history);
}

// Why the fields typed make no server's address; nothing when they do.
[[maybe_unused]] std::optional<QString> addressProblem(const QStringList& values) {
    if (values[Host].isEmpty() || values[Database].isEmpty()) {
        return u"Type the server's host and the database of its bid history."_s;
    }
    bool ok = values[Port].isEmpty();
    if (!ok) {
        const int port = values[Port].toInt(&ok);
        ok = ok && port >= 1 && port <= 65535;
    }
    if (!ok) {
        return u"The port \""_s + values[Port] +
               u"\" is no port: type a number from 1 to 65535, or nothing for 5432."_s;
    }
    static const QStringList modes{u"disable"_s, u"allow"_s,     u"prefer"_s,
                                   u"require"_s, u"verify-ca"_s, u"verify-full"_s};
    if (!values[SslMode].isEmpty() && !modes.contains(values[SslMode])) {
        return u"The TLS mode \""_s + values[SslMode] + u"\" is none of "_s + modes.join(u", "_s) +
               u"."_s;
    }
    return std::nullopt;
}

// postgresql://[user@]host[:port]/database[?sslmode=...], every part encoded as libpq reads it.
[[maybe_unused]] QString addressOf(const QStringList& values) {
    const auto encoded = [](const QString& text) {
        return QString::fromLatin1(QUrl::toPercentEncoding(text));
    };
    const QString& host = values[Host];
    const bool literalV6 = host.contains(u':') && !host.startsWith(u'/');
    return u"postgresql://"_s +
           (values[User].isEmpty() ? QString() : encoded(values[User]) + u'@') +
           (literalV6 ? u'[' + host + u']' : encoded(host)) +
           (values[Port].isEmpty() ? QString() : u':' + values[Port]) + u'/' +
           encoded(values[Database]) +
           (values[SslMode].isEmpty() ? QString() : u"?sslmode="_s + values[SslMode]);
}

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
           u" into the bid history "_s + historyName(history) + u"."_s;
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
      dataDir_(std::move(dataDir)),
      logins_(port) {}

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
    const bool onServer = isServerAddress(history);
    if (!onServer && isReadOnly(history)) {
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
    const bool existed = onServer || QFileInfo::exists(history);
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
        std::vector<ImportReport> reports;
        if (onServer) {
            std::optional<std::vector<ImportReport>> imported =
                importToServer(history, sources, units);
            if (!imported) {
                return;
            }
            reports = std::move(*imported);
        } else {
            BusyCursor busy(busy_);
            QDir().mkpath(directoryOf(history));
            reports = BidHistory::open(history, false).import(sources, units);
        }
        int bids = 0;
        int estimateRows = 0;
        QString skipped;
        for (const ImportReport& report : reports) {
            bids += report.rows;
            estimateRows += report.estimateRowsSkipped;
            if (report.importedBefore) {
                skipped += u" "_s + report.file + u" was imported before ("_s +
                           *report.importedBefore + u") and is skipped."_s;
            }
        }
        port_.inform(importedText(bids, files.size(), history) +
                     (estimateRows > 0
                          ? u" "_s + historytexts::estimateRowsSkipped(estimateRows) + u"."_s
                          : QString()) +
                     skipped);
    } catch (const Cancelled&) {
        return;
    } catch (const Error& error) {
        if (!existed) {
            SqliteDb::removeFiles(history);  // no empty history left behind by a failed import
        }
        port_.warn(error.message());
    }
}

bool HistoryImport::withLogin(const QString& address, const QString& doing,
                              const std::function<void(const QString&)>& work) {
    const WaitRequest waiting{u"serverWait"_s, u"Bid History Server"_s, doing};
    for (;;) {
        try {
            const QString password = logins_.passwords().find(address);
            return runAside(port_, waiting, [&work, &password] { work(password); });
        } catch (const ServerLoginError& refusal) {
            if (!logins_.answer(refusal)) {
                return false;
            }
        } catch (const Error& error) {
            port_.warn(error.message());
            return false;
        }
    }
}

std::optional<std::vector<ImportReport>> HistoryImport::importToServer(
    [[maybe_unused]] const QString& address,
    [[maybe_unused]] const std::vector<BidHistory::Source>& sources,
    [[maybe_unused]] const KnownUnits& units) {
    std::optional<std::vector<ImportReport>> reports;
#if VESKPLAN_SERVER_HISTORY
    withLogin(
        address,
        u"Importing into the bid history at "_s + ServerHistory::shownName(address) + u"..."_s,
        [&](const QString& password) {
            reports = ServerHistory::connect(address, password).import(sources, units);
        });
#endif
    return reports;
}

FormRequest HistoryImport::serverForm() const {
    FormRequest request;
    request.name = u"serverConnect"_s;
    request.title = u"Connect to Bid History Server"_s;
    request.text =
        u"The agency's bid history on its PostgreSQL server. The password is not kept: it comes "
        u"from the password file (~/.pgpass), or is asked for once while Veskplan runs."_s;
    for (const ServerField& field : serverFields()) {
        request.fields.push_back(field.field);
        request.fields.back().value = settings_.text(field.key);
    }
    return request;
}

bool HistoryImport::connectToServer() {
#if VESKPLAN_SERVER_HISTORY
    FormRequest request = serverForm();
    for (;;) {
        const std::optional<QStringList> typed = port_.fillIn(request);
        if (!typed) {
            return false;
        }
        QStringList values;
        for (qsizetype i = 0; i < qsizetype(request.fields.size()); ++i) {
            values.append(typed->value(i).trimmed());
            request.fields[size_t(i)].value = values.back();
        }
        if (const std::optional<QString> problem = addressProblem(values)) {
            port_.warn(*problem);
            continue;
        }
        QList<std::pair<QString, QVariant>> kept{{kHistoryKey, addressOf(values)}};
        for (size_t i = 0; i < serverFields().size(); ++i) {
            kept.append({serverFields()[i].key, values[qsizetype(i)]});
        }
        settings_.setValues(kept);
        return true;
    }
#else
    port_.warn(u"This build of Veskplan reaches no bid history on a server."_s);
    return false;
#endif
}

void HistoryImport::copyServerHistory() {
    const QString address = historyFile();
    if (!isServerAddress(address)) {
        port_.inform(
            u"Connect to a bid history server first (File > Bid History > Connect to "
            u"Server)."_s);
        return;
    }
#if VESKPLAN_SERVER_HISTORY
    FormRequest request;
    request.name = u"serverCopy"_s;
    request.title = u"Copy Server Bid History"_s;
    request.text = u"The bids of the history at "_s + ServerHistory::shownName(address) +
                   u" to copy into a file of their own; empty fields take them all."_s;
    request.fields = {
        {u"serverCopyFrom"_s, u"Let &from (YYYY-MM-DD):"_s, {}, u"The first letting date"_s},
        {u"serverCopyRegion"_s, u"&Region:"_s, {}, u"Only the bids of this region"_s}};
    QDate from;
    QString region;
    for (;;) {
        const std::optional<QStringList> typed = port_.fillIn(request);
        if (!typed) {
            return;
        }
        const QString date = typed->value(0).trimmed();
        region = typed->value(1).trimmed();
        request.fields[0].value = date;
        request.fields[1].value = region;
        from = filedate::fromIso(date);
        if (date.isEmpty() || from.isValid()) {
            break;
        }
        port_.warn(u"\""_s + date + u"\" is no date: type one such as 2026-03-31."_s);
    }
    FileDialogRequest save;
    save.mode = FileDialogRequest::Mode::Save;
    save.title = u"Copy Bid History to File"_s;
    save.filters = {BidHistorySource::sourceKind().fileFilter, u"All Files (*.*)"_s};
    save.defaultSuffix = u"sqlite"_s;
    const std::optional<QString> file = dialogs_.choose(save);
    if (!file) {
        return;
    }
    std::optional<ServerCopy> copied;
    if (withLogin(address,
                  u"Copying the bid history at "_s + ServerHistory::shownName(address) + u"..."_s,
                  [&](const QString& password) {
                      copied = veskplan::copyServerHistory(address, password, *file, from, region);
                  })) {
        port_.inform(copied->text(*file));
    }
#endif
}

}  // namespace veskplan
