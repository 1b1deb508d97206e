#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <memory>

#include "app/appfont.h"
#include "app/appicon.h"
#include "app/mainwindow.h"
#include "app/qtuserport.h"
#include "base/error.h"
#include "base/texts.h"
#include "controller/maincontroller.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veskplan"));
    QApplication::setApplicationVersion(QStringLiteral(VESKPLAN_VERSION));
    veskplan::applyApplicationFont();
    QApplication::setWindowIcon(veskplan::applicationIcon());

    veskplan::QtUserPort port;
    std::unique_ptr<veskplan::MainController> controller;
    try {
        controller = std::make_unique<veskplan::MainController>(
            port, veskplan::Environment::fromSystem(), QLocale::system(),
            [] { return QDate::currentDate(); });
        controller->Form_Load();
    } catch (const veskplan::Error& error) {
        QMessageBox::critical(nullptr, veskplan::texts::appTitle(), error.message());
        return 1;
    }
    veskplan::MainWindow window(*controller);
    port.attach(&window, controller.get());
    window.show();
    return QApplication::exec();
}
