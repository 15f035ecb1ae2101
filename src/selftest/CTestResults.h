// "Test results": how many answers of a finished test were right, and a face that grades it;
// after a test with mistakes, what went wrong and a way to be asked those words again.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CTestResults;
}

namespace lq {

class CTestResults : public QDialog {
    Q_OBJECT
  public:
    // The result of exec() when the learner asked for the mistakes to be repeated.
    static constexpr int RepeatMistakes = QDialog::Accepted + 1;

    // One question answered wrong or not at all, as the review shows it.
    struct MistakeRow {
        QString question;
        std::optional<QString> given;  // none: not answered
        QString rightAnswer;
    };

    // Questions left unanswered when the time ran out count as incorrect.
    CTestResults(int32_t rightAnswers, int32_t questionCount, QWidget* parent = nullptr);
    ~CTestResults() override;

    // Lists the mistakes and offers "&Repeat mistakes"; without any the dialog shows neither.
    void showMistakes(const std::vector<MistakeRow>& mistakes);

    // The picture name of a face, "face-00" (crying) to "face-14" (laughing).
    static QByteArray facePictureName(int picture);

  private:
    void showReview(bool shown);

    std::unique_ptr<Ui::CTestResults> ui_;
};

}  // namespace lq
