// A test dialog over twelve words of one theme and language, and ways to answer it.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "selftest/CTest.h"
#include "selftest/DigitDisplay.h"
#include "store/TextField.h"
#include "support/FixedClock.h"
#include "support/GuiFixture.h"
#include "support/TestDictionary.h"

namespace lq::test {

// Words "w01" to "w12" meaning "t01" to "t12".
inline std::vector<WordSpec> numberedWords(int count) {
    std::vector<WordSpec> words;
    for (int i = 1; i <= count; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        words.push_back({"w" + number, 0, 0, 0, 0, "t" + number});
    }
    return words;
}

inline QString digitsOf(const CTest& dialog, const char* name) {
    const auto* display = child<DigitDisplay>(&dialog, name);
    return display != nullptr ? display->text() : QString();
}

inline QListWidget* variantsList(const CTest& dialog) {
    return child<QListWidget>(&dialog, "variantsList");
}

inline QPushButton* answerButton(const CTest& dialog) {
    return child<QPushButton>(&dialog, "answerButton");
}

inline QTimer* clockTimer(const CTest& dialog) {
    return child<QTimer>(&dialog, "clockTimer");
}

inline QStringList offered(const CTest& dialog) {
    QStringList texts;
    const QListWidget* list = variantsList(dialog);
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

class TestDialogFixture : public GuiFixture {
  protected:
    Dictionary dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
    TestRandom random;
    FixedClock clock;

    const WordRecord& askedWord(const CTest& dialog) const {
        return dictionary.words.at(static_cast<std::size_t>(dialog.run().questionWord()));
    }

    // The entry that answers the current question right, or the first one that does not.
    QListWidgetItem* entry(const CTest& dialog, bool right) const {
        const QString answer =
            QString::fromStdString(std::string(fieldText(askedWord(dialog).translation)));
        QListWidget* list = variantsList(dialog);
        for (int i = 0; i < list->count(); ++i) {
            if ((list->item(i)->text() == answer) == right) {
                return list->item(i);
            }
        }
        ADD_FAILURE() << "no " << (right ? "right" : "wrong") << " entry";
        return nullptr;
    }

    // Selects an entry and presses "&Answer", as a user would.
    void answer(CTest& dialog, bool right) const {
        QListWidgetItem* chosen = entry(dialog, right);
        ASSERT_NE(chosen, nullptr);
        EXPECT_FALSE(answerButton(dialog)->isEnabled()) << "enabled before a choice";
        variantsList(dialog)->setCurrentItem(chosen);
        EXPECT_TRUE(answerButton(dialog)->isEnabled());
        answerButton(dialog)->click();
    }

    std::vector<int32_t> testedCounts() const {
        std::vector<int32_t> counts;
        for (const WordRecord& word : dictionary.words) {
            counts.push_back(word.testedCount);
        }
        return counts;
    }
    std::vector<int32_t> rightCounts() const {
        std::vector<int32_t> counts;
        for (const WordRecord& word : dictionary.words) {
            counts.push_back(word.rightCount);
        }
        return counts;
    }
};

// The first `count` words of the table, in order.
inline TestWords firstWords(int count) {
    TestWords words;
    for (int i = 0; i < count; ++i) {
        words.push_back(i);
    }
    return words;
}

}  // namespace lq::test
