#pragma once

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/appfont.h"
#include "app/mainwindow.h"
#include "support/controllerfixture.h"

namespace veskplan::test {

// Opens a combo box's list from the keyboard and takes the entry `downs` rows further down.
inline void chooseInList(QComboBox* box, int downs) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box->view()));
    for (int i = 0; i < downs; ++i) {
        QTest::keyClick(box->view(), Qt::Key_Down);
    }
    QTest::keyClick(box->view(), Qt::Key_Return);
}

// A started program with its main window shown and active, and what the window tests reach it by.
class WindowFixture : public ControllerTest {
protected:
    void showWindow() {
        window = std::make_unique<MainWindow>(*controller, windowSettings);
        window->show();
        reactivate();
    }
    void startAndShow() {
        applyApplicationFont();
        start();
        showWindow();
    }
    // Activates the main window again, as a window manager would after a window of its own.
    void reactivate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The catalogue window an Open shows for items the list lacks is closed again, as a user would.
    void closeCatalogueWindows() {
        port.catalogueReport = [this] {
            QTimer::singleShot(0, [this] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->close();
                }
                QApplication::setActiveWindow(window.get());
            });
        };
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
    static void doubleClickCell(QAbstractItemView* view, const QModelIndex& index) {
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // Keys to the focus: in a view the first opens the cell's editor and `end` closes it.
    static void type(const QString& text, Qt::Key end = Qt::Key_Return,
                     Qt::KeyboardModifiers modifiers = {}) {
        for (const QChar c : text) {
            QTest::keyClick(focus(), c.toLatin1());
        }
        QTest::keyClick(focus(), end, modifiers);
        QApplication::processEvents();
    }
    void keys(QKeySequence::StandardKey key) { QTest::keySequence(window.get(), key); }
    // A command of a menu of the bar, by the menu's and the command's access keys.
    void menuCommand(Qt::Key menu, Qt::Key command) {
        QTest::keyClick(window.get(), menu, Qt::AltModifier);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), command);
    }
    void openProject(const QString& name) {
        port.files = {projectPath(name)};
        keys(QKeySequence::Open);
        reactivate();
    }
    void openRows(const QString& name, const std::vector<ProjectRecord>& rows) {
        makeProjectFile(projectPath(name), rows);
        openProject(name);
    }
    void saveAs(const QString& name, QKeySequence::StandardKey key = QKeySequence::Save) {
        port.files = {projectPath(name)};
        keys(key);
    }

    // The window's own settings, apart from the controller's.
    SettingsStore windowSettings{sandbox.path(QStringLiteral("window.conf"))};
    std::unique_ptr<MainWindow> window;
};

}  // namespace veskplan::test
