#include "support/modeltestfailures.h"

#include <gtest/gtest.h>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace veskplan::test {
namespace {

QtMessageHandler previous = nullptr;

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && QByteArrayView(context.category) == "qt.modeltest" &&
        type != QtDebugMsg && type != QtInfoMsg) {
        ADD_FAILURE() << "model tester: " << message.toStdString();
    }
    if (previous) {
        previous(type, context, message);
    }
}

}  // namespace

void reportModelTesterWarningsAsFailures() {
    previous = qInstallMessageHandler(handler);
}

}  // namespace veskplan::test
