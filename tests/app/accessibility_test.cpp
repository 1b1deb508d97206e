#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/cataloguewindow.h"
#include "app/categorywindow.h"
#include "app/columnmappingdialog.h"
#include "app/formdialog.h"
#include "app/qtuserport.h"
#include "app/windowfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The controls of a window that Tab can reach: visible, enabled and not passing the focus on.
QList<QWidget*> tabControls(QWidget* top) {
    QList<QWidget*> found;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (w->window() == top && w->isVisible() && w->isEnabled() && !w->focusProxy() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            found << w;
        }
    }
    return found;
}

std::string label(QWidget* w) {
    return w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
}

// What a screen reader is told of each control, and of the first rows of each grid.
void checkReaderView(QWidget* top) {
    const QList<QWidget*> controls = tabControls(top);
    ASSERT_FALSE(controls.isEmpty()) << top->objectName().toStdString();
    QSet<QString> names;
    for (QWidget* w : controls) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(iface, nullptr) << label(w);
        EXPECT_FALSE(iface->role() == QAccessible::NoRole || iface->role() == QAccessible::Client)
            << label(w);
        // A combo box's name on Unix is its current text; its label is the widget's name.
        const QString name = iface->role() == QAccessible::ComboBox
                                 ? w->accessibleName()
                                 : iface->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << label(w);
        EXPECT_FALSE(names.contains(name)) << label(w) << " " << name.toStdString();
        names.insert(name);
        if (!w->toolTip().isEmpty()) {
            EXPECT_EQ(iface->text(QAccessible::Description), w->toolTip()) << label(w);
        }
        auto* view = qobject_cast<QAbstractItemView*>(w);
        if (!view) {
            continue;
        }
        QAccessibleTableInterface* table = iface->tableInterface();
        ASSERT_NE(table, nullptr) << label(w);
        const QAbstractItemModel* model = view->model();
        ASSERT_EQ(table->columnCount(), model->columnCount()) << label(w);
        for (int c = 0; c < model->columnCount(); ++c) {
            EXPECT_EQ(table->columnDescription(c), model->headerData(c, Qt::Horizontal).toString())
                << label(w) << " column " << c;
            for (int r = 0; r < std::min(3, model->rowCount()); ++r) {
                QAccessibleInterface* cell = table->cellAt(r, c);
                ASSERT_NE(cell, nullptr) << label(w);
                EXPECT_EQ(cell->text(QAccessible::Name),
                          model->index(r, c).data(Qt::DisplayRole).toString())
                    << label(w) << " cell " << r << "," << c;
            }
        }
        // The cell a screen reader is at follows the keyboard.
        if (model->rowCount() >= 2 && view->isEnabled()) {
            view->setFocus(Qt::TabFocusReason);
            view->setCurrentIndex(model->index(0, view->currentIndex().column()));
            QTest::keyClick(view, Qt::Key_Down);
            QAccessibleInterface* at = iface->focusChild();
            ASSERT_TRUE(at && at->tableCellInterface()) << label(w);
            EXPECT_EQ(at->tableCellInterface()->rowIndex(), 1) << label(w);
            EXPECT_EQ(at->tableCellInterface()->columnIndex(), view->currentIndex().column())
                << label(w);
        }
    }
    // Tab from the first control visits them all (an inner editor stands for its control).
    QSet<QWidget*> reached;
    controls.first()->setFocus(Qt::TabFocusReason);
    for (qsizetype i = 0; i < 2 * controls.size() + 2; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        for (QWidget* at = focus; at; at = at->parentWidget()) {
            if (controls.contains(at)) {
                reached.insert(at);
                break;
            }
        }
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    for (QWidget* w : controls) {
        EXPECT_TRUE(reached.contains(w)) << "Tab misses " << label(w);
    }
}

class AccessibilityTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        applyApplicationFont();
        start();
        addMasterRow(0);
        addMasterRow(3);
        doc().setQuantity(0, 12.5);
        showWindow();
    }
    // Shows a window of its own over the main one and checks it; Esc must close it.
    void checkOwnWindow(QWidget* top) {
        top->show();
        QApplication::setActiveWindow(top);
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
        checkReaderView(top);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : top,
                        Qt::Key_Escape);
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
        top->close();
        reactivate();
    }
};

TEST_F(AccessibilityTest, EveryWindowNamesAndDescribesItsControlsAndGridsAndTabReachesThem) {
    using Field = ColumnLayout::Field;
    const std::vector<std::pair<const char*, std::function<void()>>> windows = {
        {"main", [this] { checkReaderView(window.get()); }},
        {"categories",
         [this] {
             CategoryWindow categories(controller->browsing().categories(), window.get());
             checkOwnWindow(&categories);
         }},
        {"catalogue",
         [this] {
             CatalogueWindow catalogue(controller->catalogue(), window.get());
             checkOwnWindow(&catalogue);
         }},
        {"estimate",
         [this] {
             QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
             checkOwnWindow(window->findChild<QWidget*>(u"estimateWindow"_s));
         }},
        {"take-off review",
         [this] {
             port.files.push_back(u"" VESKPLAN_SOURCE_DIR "/data/sample-takeoff-summary.csv"_s);
             controller->quantityImport().importFiles();
             checkOwnWindow(window->findChild<QWidget*>(u"takeoffReview"_s));
         }},
        {"comparison",
         [this] {
             port.files.push_back(u"" VESKPLAN_SOURCE_DIR "/data/sample.vsk"_s);
             controller->compareWithProject();
             checkOwnWindow(window->findChild<QWidget*>(u"comparisonWindow"_s));
         }},
        {"server connection",
         [this] {
             FormDialog server(controller->historyImport().serverForm(), window.get());
             checkOwnWindow(&server);
         }},
        {"column mapping",
         [this] {
             ColumnMappingDialog mapping({u"tab.csv"_s,
                                          {u"NO"_s, u"JOB"_s},
                                          {Field::ItemNumber, Field::Contract},
                                          {Field::ItemNumber},
                                          {}},
                                         window.get());
             checkOwnWindow(&mapping);
         }},
        {"message",
         [this] {
             QTimer::singleShot(0, [this] {
                 QWidget* box = QApplication::activeModalWidget();
                 ASSERT_NE(box, nullptr);
                 checkOwnWindow(box);
             });
             QtUserPort port;
             port.showMessage({u"Save the changes?"_s, QString(), MessageButtons::YesNoCancel,
                               MessageIcon::Question, Answer::Yes});
         }},
    };
    for (const auto& [name, check] : windows) {
        SCOPED_TRACE(name);
        check();
    }
}

}  // namespace
}  // namespace veskplan
