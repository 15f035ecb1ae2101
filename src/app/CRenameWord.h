// "Rename Word": a new text for one word.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class CRenameWord;
}

namespace lq {

class ChangeLog;
class Reporter;
struct Dictionary;

class CRenameWord : public QDialog {
    Q_OBJECT
  public:
    // A new name becomes a step in `log`.
    CRenameWord(Dictionary& dictionary, int32_t wordIndex, Reporter& reporter, ChangeLog& log,
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
    ChangeLog& log_;
};

}  // namespace lq
