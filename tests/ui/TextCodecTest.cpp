#include <gtest/gtest.h>

#include <QLineEdit>

#include "support/GuiHelpers.h"
#include "ui/TextCodec.h"

namespace lq {
namespace {

TEST(TextCodecTest, ShowsUtf8AsItIsAndOtherBytesAsWindows1252) {
    struct Case {
        std::string bytes;
        QString shown;
    };
    const Case cases[] = {
        {"apple", "apple"},
        {"\xD0\xBA\xD0\xBE\xD1\x82", QString::fromUtf8("кот")},
        {"caf\xE9", QString::fromUtf8("café")},   // Latin-1 range of Windows-1252
        {"\x80 \x9F", QString::fromUtf8("€ Ÿ")},  // the range where 1252 differs
        {"\xC3", QString::fromUtf8("Ã")},         // a cut UTF-8 sequence is not UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displayText(c.bytes), c.shown) << c.bytes;
    }
}

TEST(TextCodecTest, TypedTextIsStoredAsUtf8) {
    EXPECT_EQ(storedText(QString::fromUtf8("ˈæpəl")), "\xCB\x88\xC3\xA6p\xC9\x99l");
}

TEST(TextCodecTest, FieldRefusesTheKeystrokeThatWouldOverflowItsBytes) {
    QLineEdit edit;
    edit.setValidator(new ByteLimitValidator(5, &edit));
    test::typeText(&edit, QString::fromUtf8("abcd"));
    test::typeText(&edit, QString::fromUtf8("ж"));  // two bytes would make six
    EXPECT_EQ(edit.text(), QString::fromUtf8("abcd"));
    test::typeText(&edit, QString::fromUtf8("e"));
    EXPECT_EQ(edit.text(), QString::fromUtf8("abcde"));
}

}  // namespace
}  // namespace lq
