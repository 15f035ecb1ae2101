#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "app/CDictionaryInformation.h"
#include "app/CWordInformation.h"
#include "store/Protection.h"
#include "support/GuiFixture.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

using InformationDialogsTest = GuiFixture;

QString fieldText(const QWidget* dialog, const char* name) {
    const auto* field = child<QLineEdit>(dialog, name);
    return field != nullptr ? field->text() : QString();
}

TEST_F(InformationDialogsTest, WordInformationShowsItsCountsKnowledgeAndDate) {
    struct Case {
        int32_t tested;
        int32_t right;
        QStringList counts;  // tested, right, wrong
        QString knowledge;
        int bar;
    };
    const Case cases[] = {
        {3, 2, {"3", "2", "1"}, "66%", 66},
        {0, 0, {"0", "0", "0"}, "wasn't tested", 0},
        {4, 4, {"4", "4", "0"}, "100%", 100},
        {7, 0, {"7", "0", "7"}, "0%", 0},
    };
    const Dictionary d =
        makeDictionary({"German", "English"}, {"Animals"},
                       {{.word = "dog", .language = 0}, {.word = "cat", .language = 1}});
    for (const Case& c : cases) {
        Dictionary tested = d;
        tested.words[1].testedCount = c.tested;
        tested.words[1].rightCount = c.right;
        CWordInformation dialog(tested, 1);
        EXPECT_EQ(dialog.windowTitle(), "Word Information");
        EXPECT_EQ(fieldText(&dialog, "wordCaption"), "cat (Animals,English)");
        EXPECT_EQ(QStringList({fieldText(&dialog, "testedField"), fieldText(&dialog, "rightField"),
                               fieldText(&dialog, "wrongField")}),
                  c.counts);
        EXPECT_EQ(child<QLabel>(&dialog, "knowledgeText")->text(), c.knowledge);
        EXPECT_EQ(child<QProgressBar>(&dialog, "knowledgeBar")->value(), c.bar);
        EXPECT_EQ(fieldText(&dialog, "createdField"), "Mon, 5.3.2007, 9:7:3");
    }
}

TEST_F(InformationDialogsTest, WordCaptionOfTheLongestTextsIsWhole) {
    const std::string name(31, 'n');
    const Dictionary d = makeDictionary({name}, {name}, {{.word = name}});
    CWordInformation dialog(d, 0);
    const QString n = QString::fromStdString(name);
    EXPECT_EQ(fieldText(&dialog, "wordCaption"), n + " (" + n + "," + n + ")");
}

TEST_F(InformationDialogsTest, DictionaryInformationShowsTheHeaderAndTheSizeToBeSaved) {
    struct Case {
        const char* name;
        Dictionary dictionary;
        bool protect;
        QStringList counts;  // languages, themes, words
        QString protection;
        QString size;
    };
    const Case cases[] = {
        {"empty", makeDictionary({}, {}, {}), false, {"0", "0", "0"}, "< disabled >", "64"},
        {"two languages, a theme, three words",
         makeDictionary({"English", "German"}, {"Food"}, {{"a"}, {"b"}, {"c"}}),
         false,
         {"2", "1", "3"},
         "< disabled >",
         "640"},
        {"protected",
         makeDictionary({"English"}, {}, {}),
         true,
         {"1", "0", "0"},
         "< enabled >",
         "96"},
    };
    for (const Case& c : cases) {
        Dictionary d = c.dictionary;
        if (c.protect) {
            d.header.protectionCode = static_cast<int16_t>(unprotectedValue(d.header.created) + 1);
        }
        CDictionaryInformation dialog(d);
        EXPECT_EQ(dialog.windowTitle(), "Dictionary Information");
        EXPECT_EQ(fieldText(&dialog, "typeField"), "LQD") << c.name;
        EXPECT_EQ(fieldText(&dialog, "createdField"), "Mon, 5.3.2007, 9:7:3") << c.name;
        EXPECT_EQ(QStringList({fieldText(&dialog, "languageCountField"),
                               fieldText(&dialog, "themeCountField"),
                               fieldText(&dialog, "wordCountField")}),
                  c.counts)
            << c.name;
        EXPECT_EQ(fieldText(&dialog, "protectionField"), c.protection) << c.name;
        EXPECT_EQ(fieldText(&dialog, "fileSizeField"), c.size) << c.name;
    }
}

}  // namespace
}  // namespace lq::test
