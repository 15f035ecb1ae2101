// A fixture for tests that open real windows: none may be left open when a test ends.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QString>
#include <QWidget>

#include "support/ModalHelpers.h"

namespace lq::test {

class GuiFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(openWindowCount(), 0) << "a window was left open";
        endModalWatchers();
    }
};

// The named control of a dialog; fails the test when there is no such control.
template <typename Widget>
Widget* child(const QWidget* dialog, const char* objectName) {
    auto* found = dialog->findChild<Widget*>(objectName);
    EXPECT_NE(found, nullptr) << "no " << objectName;
    return found;
}

// The text of the named label of a dialog; fails the test when there is no such label.
inline QString labelText(const QWidget* dialog, const char* objectName) {
    const auto* label = dialog->findChild<QLabel*>(objectName);
    EXPECT_NE(label, nullptr) << "no label " << objectName;
    return label != nullptr ? label->text() : QString();
}

}  // namespace lq::test
