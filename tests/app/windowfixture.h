#pragma once

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include <memory>

#include "app/appfont.h"
#include "app/mainwindow.h"
#include "support/controllerfixture.h"

namespace veskplan::test {

// A started program with its main window shown and active, and what the window tests reach it by.
class WindowFixture : public ControllerTest {
protected:
    // Shows the main window over the started controller.
    void showWindow() {
        window =
            std::make_unique<MainWindow>(*controller, sandbox.path(QStringLiteral("window.conf")));
        window->show();
        reactivate();
    }
    void startAndShow() {
        applyApplicationFont();
        start();
        showWindow();
    }
    // After a window of its own has closed, the main window is the active one again (there is
    // no window manager to hand the activation back).
    void reactivate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename W = QWidget>
    W* find(const QString& name) {
        W* widget = window->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    // The named control that has the focus (an editable combo box passes it to its line edit).
    static QString focusName() {
        QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty() && focus->parentWidget()) {
            focus = focus->parentWidget();
        }
        return focus ? focus->objectName() : QString();
    }
    static void clickCell(QAbstractItemView* view, const QModelIndex& index) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    void keys(QKeySequence::StandardKey key) { QTest::keySequence(window.get(), key); }
    void openProject(const QString& name) {
        port.files = {projectPath(name)};
        keys(QKeySequence::Open);
    }

    std::unique_ptr<MainWindow> window;
};

}  // namespace veskplan::test
