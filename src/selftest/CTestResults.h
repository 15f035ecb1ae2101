// "Test results": how many answers of a finished test were right, and a face that grades it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class CTestResults;
}

namespace lq {

class CTestResults : public QDialog {
    Q_OBJECT
  public:
    // Questions left unanswered when the time ran out count as incorrect.
    CTestResults(int32_t rightAnswers, int32_t questionCount, QWidget* parent = nullptr);
    ~CTestResults() override;

    // The picture name of a face, "face-00" (crying) to "face-14" (laughing).
    static QByteArray facePictureName(int picture);

  private:
    std::unique_ptr<Ui::CTestResults> ui_;
};

}  // namespace lq
