// "Rename Word": a new text for one word.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class CRenameWord;
}

namespace lq {

class Reporter;
struct Dictionary;

class CRenameWord : public QDialog {
    Q_OBJECT
  public:
    CRenameWord(Dictionary& dictionary, int32_t wordIndex, Reporter& reporter,
                QWidget* parent = nullptr);
    ~CRenameWord() override;

  public slots:
    // Refuses a blank name and another word's name and stays open; otherwise renames.
    void accept() override;

  private:
    std::unique_ptr<Ui::CRenameWord> ui_;
    Dictionary& dictionary_;
    int32_t wordIndex_;
    Reporter& reporter_;
};

}  // namespace lq
