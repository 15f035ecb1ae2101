#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <string>

#include "ui/Pictures.h"

namespace lq {
namespace {

QImage drawn(const char* name) {
    return picture(name).pixmap(32, 32).toImage();
}

TEST(PicturesTest, EveryPictureIsBuiltIn) {
    for (const char* name :
         {"lexiquill", "lexiquill-banner", "error", "information", "warning", "new-dictionary",
          "password", "exit", "button-ok", "button-cancel", "button-yes", "button-no",
          "button-single-ok", "button-save", "button-exit", "word-info", "word-new", "word-rename",
          "word-delete"}) {
        EXPECT_FALSE(drawn(name).isNull()) << name;
    }
    EXPECT_TRUE(drawn("no-such-picture").isNull());
}

TEST(PicturesTest, EachFormOfButtonHasItsOwnPicture) {
    const char* buttons[] = {"button-ok",        "button-cancel", "button-yes", "button-no",
                             "button-single-ok", "button-save",   "button-exit"};
    for (const char* a : buttons) {
        for (const char* b : buttons) {
            if (std::string(a) < std::string(b)) {
                EXPECT_NE(drawn(a), drawn(b)) << a << " and " << b;
            }
        }
    }
}

}  // namespace
}  // namespace lq
