// The pictures the program asks for: every name that src/ hands to a function that shows a
// picture, and the names the code builds (the catalog banners and the test results' faces),
// found afresh on every run instead of kept in a list.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "catalog/core/CatalogSide.h"
#include "selftest/CTestResults.h"
#include "selftest/core/TestResults.h"
#include "ui/Pictures.h"

namespace lq {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot(LQ_SOURCE_DIR);

QImage drawn(const char* name) {
    return picture(name).pixmap(32, 32).toImage();
}

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// A picture's name is its file's name without ".svg": small letters, digits and dashes.
bool isPictureName(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

// The picture names among the string literals between the parenthesis at `open` and the one
// that closes it.
void collectLiterals(std::string_view text, std::size_t open, std::set<std::string>& out) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos) {
                return;
            }
            const std::string_view literal = text.substr(i + 1, end - i - 1);
            if (isPictureName(literal)) {
                out.emplace(literal);
            }
            i = end;
        } else if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            return;
        }
    }
}

// The functions that take a picture's name: the three of ui/Pictures.h, and the message
// dialogs' look.
constexpr std::string_view kPictureTakers[] = {"picture(", "setButtonPicture(", "setLabelPicture(",
                                               "setLook("};

// The literal names in every call of the picture functions, however its arguments are wrapped.
std::set<std::string> namesInCalls(std::string_view text) {
    std::set<std::string> names;
    for (const std::string_view function : kPictureTakers) {
        for (std::size_t at = text.find(function); at != std::string_view::npos;
             at = text.find(function, at + 1)) {
            if (at == 0 || !isIdentifierChar(text[at - 1])) {
                collectLiterals(text, at + function.size() - 1, names);
            }
        }
    }
    return names;
}

std::set<std::string> picturesTheCodeAsksFor() {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot / "src")) {
        const fs::path& file = entry.path();
        if (file.extension() == ".cpp" || file.extension() == ".h") {
            names.merge(namesInCalls(contentsOf(file)));
        }
    }
    names.insert(kThemeSide.bannerPicture);
    names.insert(kLanguageSide.bannerPicture);
    for (int face = 0; face < kResultPictureCount; ++face) {
        names.insert(CTestResults::facePictureName(face).toStdString());
    }
    return names;
}

std::set<std::string> pictureFiles() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSourceRoot / "resources" / "pictures")) {
        if (entry.path().extension() == ".svg") {
            names.insert(entry.path().stem().string());
        }
    }
    return names;
}

TEST(PicturesTest, TheScanFindsTheCallsOfEveryKind) {
    const std::set<std::string> found = namesInCalls(
        "setButtonPicture(okButton, \"button-ok\");\n"
        "setLabelPicture(ui_->formatPicture, html ? \"report-html\"\n"
        "                                          : \"report-text\", 48);\n"
        "picture(side_.bannerPicture);  resultPicture(\"not-a-picture\");\n"
        "setWindowIcon(picture(\"lexiquill\"));\n"
        "setLook(QStringLiteral(\"New dictionary\"), \"new-dictionary\", 64, 80);");
    EXPECT_EQ(found, (std::set<std::string>{"button-ok", "report-html", "report-text", "lexiquill",
                                            "new-dictionary"}));
}

TEST(PicturesTest, EveryPictureTheCodeAsksForIsBuiltIn) {
    const std::set<std::string> asked = picturesTheCodeAsksFor();
    EXPECT_TRUE(asked.count("button-ok") != 0)
        << "the scan of " << kSourceRoot << " found no calls";
    for (const std::string& name : asked) {
        EXPECT_FALSE(drawn(name.c_str()).isNull()) << name;
    }
    EXPECT_TRUE(drawn("no-such-picture").isNull());
}

// A picture file that nothing asks for is dead weight, or a name that the code misspells.
TEST(PicturesTest, EveryPictureFileIsAskedFor) {
    const std::set<std::string> asked = picturesTheCodeAsksFor();
    for (const std::string& name : pictureFiles()) {
        EXPECT_TRUE(asked.count(name) != 0) << name;
        EXPECT_FALSE(drawn(name.c_str()).isNull()) << name << " is missing from the resources";
    }
}

TEST(PicturesTest, EachFormOfButtonHasItsOwnPicture) {
    std::set<std::string> buttons;
    for (const std::string& name : picturesTheCodeAsksFor()) {
        if (name.rfind("button-", 0) == 0) {
            buttons.insert(name);
        }
    }
    for (const std::string& a : buttons) {
        for (const std::string& b : buttons) {
            if (a < b) {
                EXPECT_NE(drawn(a.c_str()), drawn(b.c_str())) << a << " and " << b;
            }
        }
    }
}

}  // namespace
}  // namespace lq
