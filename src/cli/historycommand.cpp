#include "cli/historycommand.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "base/error.h"
#include "base/sqlitedb.h"
#include "history/bidhistory.h"
#include "history/columnlayout.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

int runHistoryCommand(const QStringList& args) {
    if (args.value(0) != u"import"_s) {
        throw HistoryUsageProblem{"history takes import"};
    }
    QStringList operands;
    std::optional<ColumnLayout> layout;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--layout"_s) {
            if (layout || i + 1 >= args.size()) {
                throw HistoryUsageProblem{"--layout takes one layout file"};
            }
            layout = ColumnLayout::read(args[++i]);
        } else {
            operands.append(args[i]);
        }
    }
    if (operands.size() < 2) {
        throw HistoryUsageProblem{"history import needs a history and one or more files"};
    }
    const QString database = QFileInfo(operands.takeFirst()).absoluteFilePath();
    const bool existed = QFileInfo::exists(database);
    std::vector<ImportReport> reports;
    try {
        BidHistory history = BidHistory::open(database, false);
        reports = history.import(operands, layout ? &*layout : nullptr);
    } catch (const Error&) {
        if (!existed) {
            SqliteDb::removeFiles(database);  // no empty history left behind by a failed run
        }
        throw;
    }
    for (const ImportReport& report : reports) {
        std::printf("%s: %d %s imported\n", report.file.toUtf8().constData(), report.rows,
                    report.rows == 1 ? "bid" : "bids");
    }
    return 0;
}

}  // namespace veskplan
