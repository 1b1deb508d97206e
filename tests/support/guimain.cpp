#include <gtest/gtest.h>

#include <QGuiApplication>
#include "support/modeltestfailures.h"

// Tests of the UI-free code run inside a QGuiApplication: item models, fonts and PDF rendering
// need one. The offscreen platform keeps them off any display.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    veskplan::test::reportModelTesterWarningsAsFailures();
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
