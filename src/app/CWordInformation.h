// "Word Information": one word's theme, language, test statistics and creation time.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class CWordInformation;
}

namespace lq {

struct Dictionary;

class CWordInformation : public QDialog {
    Q_OBJECT
  public:
    CWordInformation(const Dictionary& dictionary, int32_t wordIndex, QWidget* parent = nullptr);
    ~CWordInformation() override;

  private:
    void showStatistics(int32_t tested, int32_t right);

    std::unique_ptr<Ui::CWordInformation> ui_;
};

}  // namespace lq
