// "New Word": a word with its translation, transcription, theme and language.
#pragma once

#include <QDialog>
#include <memory>

#include "app/core/WordChecks.h"

namespace Ui {
class CNewWord;
}

namespace lq {

class ChangeLog;
class Clock;
class Reporter;
struct Dictionary;

class CNewWord : public QDialog {
    Q_OBJECT
  public:
    // The new word becomes a step in `log`.
    CNewWord(Dictionary& dictionary, Reporter& reporter, const Clock& clock, ChangeLog& log,
             QWidget* parent = nullptr);
    ~CNewWord() override;

  public slots:
    // Refuses blank fields and an existing word and stays open; otherwise adds the word.
    void accept() override;

  private:
    void focusField(NewWordField field);

    std::unique_ptr<Ui::CNewWord> ui_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    const Clock& clock_;
    ChangeLog& log_;
};

}  // namespace lq
