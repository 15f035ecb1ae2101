// Reads what the results window shows when a test opens it, then leaves it by a button.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"

namespace lq::test {

struct ShownReview {
    bool seen = false;
    QString correct;
    QString incorrect;
    bool reviewShown = false;
    std::vector<QStringList> rows;  // question, answer given, right answer
};

inline std::vector<QStringList> reviewRows(const QWidget* results) {
    std::vector<QStringList> rows;
    const auto* list = child<QTreeWidget>(results, "mistakesList");
    for (int row = 0; list != nullptr && row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        rows.push_back({item->text(0), item->text(1), item->text(2)});
    }
    return rows;
}

// `button`: "okButton" or "repeatButton". `afterLeaving` runs once the button is clicked, the
// place to wait for a window that comes next.
inline void readReviewWhenItOpens(ShownReview& shown, const char* button = "okButton",
                                  std::function<void()> afterLeaving = {}) {
    whenModalOpens([&shown, button, afterLeaving](QWidget* results) {
        shown.seen = results->windowTitle() == "Test results";
        shown.correct = child<QLineEdit>(results, "correctField")->text();
        shown.incorrect = child<QLineEdit>(results, "incorrectField")->text();
        shown.reviewShown = child<QTreeWidget>(results, "mistakesList")->isVisibleTo(results);
        shown.rows = reviewRows(results);
        clickButton(results, button);
        if (afterLeaving) {
            afterLeaving();
        }
    });
}

}  // namespace lq::test
