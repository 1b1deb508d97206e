#include "export/exportgate.h"

#include "base/texts.h"
#include "base/userport.h"
#include "master/mastersession.h"
#include "project/exportcheck.h"
#include "project/projectdocument.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A message box holds this many findings; the rest are counted.
constexpr int kShown = 15;

QString line(const ExportCheck& check) {
    const QString severity = check.severity == ExportCheck::Error ? u"Error"_s : u"Warning"_s;
    if (check.itemNumber.isEmpty()) {
        return severity + u": "_s + check.message;
    }
    return severity + u": "_s + check.itemNumber.trimmed() + u" (category "_s + check.category +
           u"): "_s + check.message;
}

}  // namespace

bool passChecksBeforeExport(const ProjectDocument& document, const MasterSession& master,
                            UserPort& port) {
    const std::vector<ExportCheck> checks = checkBeforeExport(
        document.items().records(IndexOrder::PrimaryKey), document.header().projNum,
        document.header().letMonth, master.loadFailed() ? nullptr : &master.list());
    if (checks.empty()) {
        return true;
    }
    int errors = 0;
    QStringList lines;
    for (const ExportCheck& check : checks) {
        errors += check.severity == ExportCheck::Error ? 1 : 0;
        if (lines.size() < kShown) {
            lines.append(line(check));
        }
    }
    if (checks.size() > kShown) {
        lines.append(u"... and "_s + QString::number(checks.size() - kShown) + u" more"_s);
    }
    const int warnings = static_cast<int>(checks.size()) - errors;
    const Answer answer = port.showMessage(
        MessageRequest{texts::checksQuestion(errors, warnings, lines.join(u'\n')),
                       texts::checksTitle(), MessageButtons::ExportAnywayGoBack,
                       errors > 0 ? MessageIcon::Exclamation : MessageIcon::Information});
    return answer == Answer::ExportAnyway;
}

}  // namespace veskplan
