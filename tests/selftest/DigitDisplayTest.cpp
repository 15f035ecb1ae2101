#include <gtest/gtest.h>

#include <QImage>

#include "selftest/DigitDisplay.h"

namespace lq::test {
namespace {

QImage drawn(const QString& text) {
    DigitDisplay display;
    display.setText(text);
    display.resize(display.sizeHint());
    return display.grab().toImage();
}

TEST(DigitDisplayTest, EveryCharacterHasItsOwnPicture) {
    const QString characters = QStringLiteral("0123456789-:/");
    for (int a = 0; a < characters.size(); ++a) {
        const QImage first = drawn(characters[a]);
        EXPECT_FALSE(first.isNull());
        for (int b = a + 1; b < characters.size(); ++b) {
            EXPECT_NE(first, drawn(characters[b]))
                << characters[a].toLatin1() << " and " << characters[b].toLatin1();
        }
    }
}

TEST(DigitDisplayTest, PlacesShowTheirOwnCharacters) {
    // The same characters in another order make another picture.
    EXPECT_NE(drawn("01/10"), drawn("10/01"));
    EXPECT_NE(drawn("00:10"), drawn("00:01"));
    EXPECT_NE(drawn("--:--"), drawn("00:00"));
}

TEST(DigitDisplayTest, GrowsWithItsText) {
    DigitDisplay display;
    display.setText("00/00");
    const QSize counter = display.sizeHint();
    display.setText("00:00");
    EXPECT_LT(display.sizeHint().width(), counter.width());  // a colon is narrower than a slash
    EXPECT_EQ(display.sizeHint().height(), counter.height());
    display.setText("0");
    EXPECT_LT(display.sizeHint().width(), counter.width());
    EXPECT_EQ(display.text(), "0");
}

}  // namespace
}  // namespace lq::test
