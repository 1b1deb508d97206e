// A program that edits and saves a project in a loop until it is killed, telling on standard
// output each change and each save it has completed. The crash test kills it at random moments.
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>

#include "controller/maincontroller.h"
#include "support/quietport.h"

namespace {

using namespace veskplan;
using namespace Qt::Literals::StringLiterals;

void say(const char* what, int number) {
    std::printf("%s %d\n", what, number);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    Environment env;
    env.variables.insert(u"SystemRoot"_s, root + u"/config"_s);
    env.variables.insert(u"temp"_s, root + u"/temp"_s);
    env.variables.insert(u"VESKPLAN_DATA"_s, root + u"/data"_s);
    env.homeDir = root + u"/home"_s;
    test::QuietPort port;
    port.nextFile = root + u"/projects/job.vsk"_s;
    MainController controller(port, port, env, QLocale::c(), [] { return QDate(2026, 12, 6); });
    controller.start();
    controller.browsing().pickRow(0);
    controller.editing().addCurrentMasterItem();
    say("ready", 0);
    ProjectGridModel& model = controller.editing().model();
    for (int change = 1;; ++change) {
        model.setData(model.index(0, ProjectGridModel::QuantityColumn), QString::number(change));
        say("change", change);
        if (change % 4 == 0) {
            controller.files().save();
            say("saved", change);
        }
    }
}
