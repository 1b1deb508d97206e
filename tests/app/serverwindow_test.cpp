#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "app/qtuserport.h"
#include "app/windowfixture.h"
#include "controller/serverlogins.h"
#include "history/bidhistory.h"
#include "history/serverloginerror.h"
#include "support/installedunits.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

using ServerWindow = test::WindowFixture;

// Types into the dialog that opens next, a text a field (Tab between them), then presses `key`;
// the last field shows what is typed as `echo` says.
void typeInNextDialog(const QStringList& texts, Qt::Key key,
                      QLineEdit::EchoMode echo = QLineEdit::Normal) {
    QTimer::singleShot(0, [=] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        for (const QString& text : texts) {
            if (text != texts.front()) {
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            QTest::keyClicks(dialog->focusWidget(), text);
        }
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog->focusWidget())->echoMode(), echo);
        QTest::keyClick(dialog->focusWidget(), key);
    });
}

TEST_F(ServerWindow, DialogsTakeWhatIsTypedAndCancelStopsAReadingChangingNothing) {
    startAndShow();
    QtUserPort qt;
    typeInNextDialog({u"db.example.org"_s, u"5433"_s, u"bids"_s, u"designer"_s}, Qt::Key_Return);
    EXPECT_EQ(qt.fillIn(controller->historyImport().serverForm()),
              (QStringList{u"db.example.org"_s, u"5433"_s, u"bids"_s, u"designer"_s, QString()}));
    typeInNextDialog({u"db"_s}, Qt::Key_Escape);
    EXPECT_EQ(qt.fillIn(controller->historyImport().serverForm()), std::nullopt);
    ServerLogins logins(qt);
    typeInNextDialog({u"s3cret"_s}, Qt::Key_Enter, QLineEdit::Password);
    EXPECT_TRUE(logins.answer(
        ServerLoginError(u"wanted"_s, u"postgresql://h/db"_s, u"h/db"_s, u"designer"_s, false)));
    EXPECT_EQ(logins.passwords().find(u"postgresql://h/db"_s), u"s3cret"_s);

    // Cancel while a server is read: the estimate stays as it was, the window answers.
    addMasterRow(0);
    doc().setQuantity(0, 10);
    const QString history = sandbox.path(u"bids.db"_s);
    BidHistory::open(history, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    controller->showEstimate();  // its window opens over the main one
    EstimateEditing& tool = controller->estimate();
    ASSERT_TRUE(tool.useSources({{u"history"_s, history}}, QString()));
    const EstimateSetup before = doc().prices().estimateSetup();
    auto* progress = window->findChild<QProgressBar*>(u"estimateProgress"_s);
    auto* cancel = window->findChild<QPushButton*>(u"estimateCancel"_s);
    ASSERT_TRUE(progress && cancel && !progress->isVisible() && !cancel->isVisible());
    // A server that takes the connection and never answers: a socket that listens, unread.
    sockaddr_in hanging{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof hanging;
    const int listening = socket(AF_INET, SOCK_STREAM, 0);
    const auto closing = qScopeGuard([listening] { close(listening); });
    ASSERT_TRUE(bind(listening, reinterpret_cast<sockaddr*>(&hanging), size) == 0 &&
                listen(listening, 4) == 0 &&
                getsockname(listening, reinterpret_cast<sockaddr*>(&hanging), &size) == 0);
    EXPECT_TRUE(tool.useSources({{u"history"_s, u"postgresql://designer@127.0.0.1:"_s +
                                                    QString::number(ntohs(hanging.sin_port)) +
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
