#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QMessageBox>

#include "app/appfont.h"
#include "app/appicon.h"
#include "app/mainwindow.h"
#include "app/qtuserport.h"
#include "shell/error.h"
#include "shell/maincontroller.h"
#include "shell/texts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veskplan"));
    QApplication::setApplicationVersion(QStringLiteral(VESKPLAN_VERSION));
    veskplan::applyApplicationFont();
    QApplication::setWindowIcon(veskplan::applicationIcon());

    veskplan::QtUserPort port;
    veskplan::MainController controller(port, veskplan::Environment::fromSystem(),
                                        QLocale::system(), [] { return QDate::currentDate(); });
    try {
        controller.Form_Load();
    } catch (const veskplan::Error& error) {
        QMessageBox::critical(nullptr, veskplan::texts::appTitle(), error.message());
        return 1;
    }
    veskplan::MainWindow window(controller);
    port.attach(&window, &controller);
    window.show();
    return QApplication::exec();
}
