#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qtuserport.h"

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

}  // namespace
}  // namespace veskplan
