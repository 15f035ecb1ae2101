// What Options gives the undo history: OK is one step, each password change made through it
// another, and each takes the header back to its bytes before it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <cstring>
#include <functional>

#include "selftest/COptions.h"
#include "store/Protection.h"
#include "store/TestRandom.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/KeptSteps.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

bool sameHeader(const DictionaryHeader& a, const DictionaryHeader& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Answers the password dialog: protection on with `password`, or off when it is empty.
void answerPassword(const QString& current, const QString& password) {
    whenModalOpens([=](QWidget* dialog) {
        if (!current.isEmpty()) {
            typeText(child<QLineEdit>(dialog, "currentPasswordEdit"), current);
        }
        auto* protection = child<QCheckBox>(dialog, "protectionCheck");
        protection->setChecked(!password.isEmpty());
        if (!password.isEmpty()) {
            typeText(child<QLineEdit>(dialog, "newPasswordEdit"), password);
            typeText(child<QLineEdit>(dialog, "repeatPasswordEdit"), password);
        }
        clickButton(dialog, "okButton");
    });
}

using OptionsStepsTest = GuiFixture;

TEST_F(OptionsStepsTest, OkAndEachPasswordChangeAreStepsOfTheirOwn) {
    struct Case {
        const char* what;
        bool protectedBefore;
        std::function<void(COptions&)> session;
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {"a password set, then Cancel",
         false,
         [](COptions& d) {
             answerPassword({}, "secret");
             clickButton(&d, "passwordButton");
             clickButton(&d, "cancelButton");
         },
         {"Set password"}},
        {"a password set, then OK with a new test count",
         false,
         [](COptions& d) {
             answerPassword({}, "secret");
             clickButton(&d, "passwordButton");
             child<QSlider>(&d, "testCountSlider")->setValue(0);
             clickButton(&d, "okButton");
         },
         {"Set password", "Change options"}},
        {"a password changed, then removed",
         true,
         [](COptions& d) {
             answerPassword("old", "new");
             clickButton(&d, "passwordButton");
             answerPassword("new", {});
             clickButton(&d, "passwordButton");
             clickButton(&d, "okButton");
         },
         {"Change password", "Remove password"}},
        {"a new test count, then Cancel",
         false,
         [](COptions& d) {
             child<QSlider>(&d, "testCountSlider")->setValue(0);
             clickButton(&d, "cancelButton");
         },
         {}},
        {"OK with nothing changed", false, [](COptions& d) { clickButton(&d, "okButton"); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dictionary dictionary = makeDictionary({}, {}, {});
        TestRandom random;
        if (c.protectedBefore) {
            scramblePassword(dictionary.header, "old");
            setProtection(dictionary.header, true, random);
            ASSERT_TRUE(isProtected(dictionary.header));
        }
        const DictionaryHeader before = dictionary.header;
        RecordingReporter reporter;
        KeptSteps log;
        {
            COptions dialog(dictionary, reporter, random);
            dialog.setChangeLog(log);
            dialog.show();
            c.session(dialog);
            EXPECT_FALSE(dialog.isVisible());
        }
        EXPECT_EQ(log.names, c.steps);
        const DictionaryHeader after = dictionary.header;
        log.revertAll(dictionary);
        EXPECT_TRUE(sameHeader(dictionary.header, before));
        for (DictionaryChange& change : log.changes) {
            change.apply(dictionary);
        }
        EXPECT_TRUE(sameHeader(dictionary.header, after));
    }
}

}  // namespace
}  // namespace lq::test
