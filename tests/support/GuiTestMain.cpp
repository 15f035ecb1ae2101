// Runs GUI tests headless unless the caller chose a display platform (for screenshots).
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Pictures.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    lq::initResources();
    return RUN_ALL_TESTS();
}
