#include <gtest/gtest.h>

#include <QApplication>
#include "support/modeltestfailures.h"

// Widget tests run in a QApplication on the offscreen platform.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    veskplan::test::reportModelTesterWarningsAsFailures();
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
