#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/estimatewindow.h"
#include "app/qtuserport.h"
#include "app/windowfixture.h"
#include "controller/serverlogins.h"
#include "history/bidhistory.h"
#include "history/serverloginerror.h"
#include "support/installedunits.h"
#include "support/loopbackport.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

using ServerWindow = test::WindowFixture;

// Types into the dialog that opens next, a text a field (Tab between them), then presses `key`.
void typeInNextDialog(const QStringList& texts, Qt::Key key, QLineEdit::EchoMode* echo = nullptr) {
    QTimer::singleShot(0, [=] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        for (const QString& text : texts) {
            auto* field = qobject_cast<QLineEdit*>(dialog->focusWidget());
            ASSERT_NE(field, nullptr);
            if (echo) {
                *echo = field->echoMode();
            }
            QTest::keyClicks(field, text);
            QTest::keyClick(field, Qt::Key_Tab);
        }
        QTest::keyClick(dialog->focusWidget(), key);
    });
}

TEST_F(ServerWindow, TheServerAndThePasswordAreTypedIntoDialogsThatEnterConfirmsAndEscCancels) {
    startAndShow();
    QtUserPort qt;
    typeInNextDialog({u"db.example.org"_s, u"5433"_s, u"bids"_s, u"designer"_s}, Qt::Key_Return);
    EXPECT_EQ(qt.fillIn(controller->historyImport().serverForm()),
              (QStringList{u"db.example.org"_s, u"5433"_s, u"bids"_s, u"designer"_s, QString()}));
    typeInNextDialog({u"db"_s}, Qt::Key_Escape);
    EXPECT_EQ(qt.fillIn(controller->historyImport().serverForm()), std::nullopt);
    ServerLogins logins(qt);
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    typeInNextDialog({u"s3cret"_s}, Qt::Key_Enter, &echo);
    EXPECT_TRUE(logins.answer(
        ServerLoginError(u"wanted"_s, u"postgresql://h/db"_s, u"h/db"_s, u"designer"_s, false)));
    EXPECT_TRUE(echo == QLineEdit::Password &&
                logins.passwords().find(u"postgresql://h/db"_s) == u"s3cret"_s);
}

TEST_F(ServerWindow, CancelWhileAServerIsReadLeavesTheEstimateAsItWasAndTheWindowAnswers) {
    startAndShow();
    addMasterRow(0);
    doc().setQuantity(0, 10);
    const QString history = sandbox.path(u"bids.db"_s);
    BidHistory::open(history, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    auto* estimate = window->findChild<EstimateWindow*>(u"estimateWindow"_s);
    ASSERT_NE(estimate, nullptr);
    EstimateEditing& tool = controller->estimate();
    ASSERT_TRUE(tool.useSources({{u"history"_s, history}}, QString()));
    const EstimateSetup before = doc().prices().estimateSetup();
    auto* progress = estimate->findChild<QProgressBar*>(u"estimateProgress"_s);
    auto* cancel = estimate->findChild<QPushButton*>(u"estimateCancel"_s);
    ASSERT_TRUE(progress && cancel);
    EXPECT_FALSE(progress->isVisible() || cancel->isVisible());
    const test::LoopbackPort hanging(true);
    EXPECT_TRUE(
        tool.useSources({{u"history"_s, u"postgresql://designer@127.0.0.1:"_s + hanging.port() +
                                            u"/x?sslmode=disable&connect_timeout=2"_s}},
                        QString()));
    EXPECT_TRUE(tool.reading() && progress->isVisible() && cancel->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(tool.reading() || progress->isVisible() || cancel->isVisible());
    QTest::qWait(2500);  // the connection given up times out unseen
    EXPECT_TRUE(doc().prices().estimateSetup() == before &&
                tool.estimate().lines[0].unitPriceCents == 39200 && port.messages.empty());
}

}  // namespace
}  // namespace veskplan
