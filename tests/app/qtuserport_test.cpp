#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "app/qtuserport.h"
#include "app/windowfixture.h"
#include "base/error.h"
#include "controller/asidework.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Presses a key in the modal window that opens next, as the user at the keyboard would.
void pressInNextModal(Qt::Key key, QString* shownDefault = nullptr) {
    QTimer::singleShot(0, [key, shownDefault] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (shownDefault && box->defaultButton()) {
            *shownDefault = box->defaultButton()->text();
        }
        QTest::keyClick(box, key);
    });
}

TEST(QtUserPortTest, EnterInTheChecksBeforeAnExportGoesBackWhenThereAreErrors) {
    QtUserPort port;
    MessageRequest question{u"1 error(s) and 0 warning(s) were found"_s, u"Before the Export"_s,
                            MessageButtons::ExportAnywayGoBack, MessageIcon::Exclamation,
                            Answer::GoBack};
    QString shownDefault;
    pressInNextModal(Qt::Key_Return, &shownDefault);
    EXPECT_EQ(port.showMessage(question), Answer::GoBack);
    EXPECT_EQ(shownDefault, u"Go Back"_s);
    question.defaultAnswer = Answer::ExportAnyway;
    pressInNextModal(Qt::Key_Enter);
    EXPECT_EQ(port.showMessage(question), Answer::ExportAnyway);
    pressInNextModal(Qt::Key_Escape);
    EXPECT_EQ(port.showMessage(question), Answer::GoBack);
}

TEST(QtUserPortTest, PrintingShowsThePreviewFirstOnTheLocalesPaperAndItsPrintButtonAsksOnce) {
#ifdef Q_OS_WIN
    // With no printer installed, Print offers a PDF file instead (in Qt's own file dialog, which
    // the test can answer), and choosing none closes the preview having printed nothing.
    const bool offersPdf = QPrinterInfo::availablePrinterNames().isEmpty();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, offersPdf);
#else
    const bool offersPdf = false;
#endif
    for (const auto& [locale, paper] :
         {std::pair{QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
          std::pair{QLocale(QLocale::German, QLocale::Germany), QPageSize::A4}}) {
        QtUserPort port(locale);
        const std::unique_ptr<PrintTarget> target = port.choosePrinter();
        ASSERT_NE(target, nullptr);
        QStringList modals;  // the windows that opened, in order
        QPageSize::PageSizeId shownPaper = QPageSize::Custom;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            modals << preview->objectName();
            EXPECT_EQ(preview->windowTitle(), u"Print Preview - VESKPLAN"_s);
            shownPaper = preview->printer()->pageLayout().pageSize().id();
            // The preview's Print button asks for the printer; cancelled, the preview stays.
            QTimer::singleShot(0, [&, preview] {
                QWidget* asked = QApplication::activeModalWidget();
                modals << QString::fromLatin1(asked->metaObject()->className());
                QTest::keyClick(asked, Qt::Key_Escape);
                if (!offersPdf) {
                    QTimer::singleShot(0, [&, preview] {
                        modals << QApplication::activeModalWidget()->objectName();
                        preview->reject();
                    });
                }
            });
            auto buttons = preview->findChildren<QToolButton*>();
            const auto print = std::find_if(buttons.begin(), buttons.end(), [](QToolButton* b) {
                return b->defaultAction() && b->defaultAction()->text().contains(u"Print"_s);
            });
            ASSERT_NE(print, buttons.end());
            QTest::mouseClick(*print, Qt::LeftButton);
        });
        bool drawn = false;
        EXPECT_FALSE(
            target->print(QPageLayout::Portrait, [&drawn](QPagedPaintDevice&) { drawn = true; }));
        EXPECT_TRUE(drawn);
        EXPECT_EQ(shownPaper, paper);
        const QStringList expected =
            offersPdf ? QStringList{u"printPreview"_s, u"QFileDialog"_s}
                      : QStringList{u"printPreview"_s, u"QPrintDialog"_s, u"printPreview"_s};
        EXPECT_EQ(modals, expected);
    }
}

TEST(QtUserPortTest, WorkBesideTheWindowStopsOnCancelOrEscTheDialogWaitingForItsEnd) {
    QtUserPort port;
    const WaitRequest request{u"serverWait"_s, u"Bid History Server"_s, u"Importing..."_s};
    const auto untilStopped = [] {  // goes on until asked to stop, then stops short
        while (!QThread::currentThread()->isInterruptionRequested()) {
            QThread::msleep(2);
        }
        throw Error(u"stopped"_s);
    };
    const std::pair<const char*, std::function<void(QWidget*)>> stops[] = {
        {"Cancel",
         [](QWidget* dialog) {
             QTest::mouseClick(dialog->findChild<QPushButton*>(u"serverWaitCancel"_s),
                               Qt::LeftButton);
         }},
        {"Esc", [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
    };
    for (const auto& [how, stop] : stops) {
        QString said;
        QTimer::singleShot(50, [&said, &stop] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog && dialog->objectName() == u"serverWait"_s);
            stop(dialog);
            said = dialog->findChild<QLabel*>(u"serverWaitText"_s)->text();
        });
        EXPECT_FALSE(runAside(port, request, untilStopped)) << how;
        EXPECT_EQ(said, u"Cancelling: waiting for the server to stop..."_s) << how;
    }
    // Work that ends is done; what fails is thrown where the command is.
    EXPECT_TRUE(runAside(port, request, [] { QThread::msleep(20); }));
    EXPECT_THROW(runAside(port, request, [] { throw Error(u"the server does not answer"_s); }),
                 Error);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtUserPortTest, TheColumnsAreChosenInTheListsAndOkWaitsForTheRequiredOnes) {
    using Field = ColumnLayout::Field;
    QtUserPort port;
    ColumnMappingRequest request{u"tab.csv"_s,
                                 {u"NO"_s, u"JOB"_s, u"UOM"_s},
                                 {Field::ItemNumber, Field::Unit, Field::Contract},
                                 {Field::ItemNumber, Field::Contract},
                                 {}};
    request.proposed.name(Field::Unit, u"UOM"_s);
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        // A failed step leaves the dialog open: it is closed so that the test ends.
        const auto closing = qScopeGuard([dialog] { dialog->close(); });
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* missing = dialog->findChild<QLabel*>(u"lblColumnsMissing"_s);
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ASSERT_TRUE(missing && ok);
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_EQ(missing->text(),
                  u"Choose the columns that give the item number and the contract."_s);
        auto* first = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->accessibleName(), u"Item Number"_s);
        EXPECT_EQ(first->currentText(), u"(none)"_s);
        EXPECT_EQ(dialog->findChild<QComboBox*>(u"cboColumnUnit"_s)->currentText(), u"UOM"_s);
        QTest::keyClick(first, Qt::Key_Down);  // the first heading
        EXPECT_EQ(missing->text(), u"Choose the column that gives the contract."_s);
        QTest::keyClick(first, Qt::Key_Return);  // refused: the dialog stays
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        auto* contract = dialog->findChild<QComboBox*>(u"cboColumnContract"_s);
        test::chooseInList(contract, 2);
        EXPECT_EQ(contract->currentText(), u"JOB"_s);
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_FALSE(missing->isVisible());
        QTest::keyClick(contract, Qt::Key_Home);  // back to "(none)"
        EXPECT_FALSE(ok->isEnabled());
        QTest::keyClick(contract, Qt::Key_Down);
        QTest::keyClick(contract, Qt::Key_Down);
        QTest::keyClick(contract, Qt::Key_Return);
    });
    const std::optional<ColumnLayout> chosen = port.chooseColumns(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->headingOf(Field::ItemNumber), u"NO"_s);
    EXPECT_EQ(chosen->headingOf(Field::Unit), u"UOM"_s);
    EXPECT_EQ(chosen->headingOf(Field::Contract), u"JOB"_s);
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_FALSE(port.chooseColumns(request));
}

}  // namespace
}  // namespace veskplan
