// The main window's word details: the selected word's translation and transcription, edited in
// place and taken when the field loses the focus, and its theme and language, changed by picking.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "store/Records.h"

class QComboBox;

namespace Ui {
class WordDetailsEditor;
}

namespace lq {

class ChangeLog;
class Reporter;
struct Dictionary;

class WordDetailsEditor : public QWidget {
    Q_OBJECT
  public:
    explicit WordDetailsEditor(QWidget* parent = nullptr);
    ~WordDetailsEditor() override;

    // Edits go into the dictionary's words, each a step in `log`, and refusals to the reporter.
    // `selectedWord` names the word an edit is for, asked when the edit ends; kNoIndex while no
    // word is selected.
    void setUp(Dictionary& dictionary, Reporter& reporter, ChangeLog& log,
               std::function<int32_t()> selectedWord);
    // Takes no more edits, so that the focus changes of a window being torn down change nothing.
    void stopEditing();
    // Takes what is typed in the fields and not yet taken, as leaving them would. False when the
    // translation is refused; it then keeps the focus.
    bool finishEditing();

    // Empties the theme and language lists and, when `withNames`, lists the dictionary's names.
    void fillNameLists(bool withNames);
    // Copies the word into the fields (which is no edit) and selects its theme and language.
    void showWord(int32_t index);
    void enableEditing(bool enabled);

  signals:
    // The selected word was given another theme or language.
    void wordMoved(int32_t index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int32_t editedWord() const;
    bool changeTranslation();
    void changeTranscription();
    void moveWord(const QComboBox* list, int32_t WordRecord::*field, const char* stepName);
    // Puts the changed word in place as one step, named `stepName` and the word's text.
    void storeWord(int32_t index, const WordRecord& word, const char* stepName);

    std::unique_ptr<Ui::WordDetailsEditor> ui_;
    Dictionary* dictionary_ = nullptr;
    Reporter* reporter_ = nullptr;
    ChangeLog* log_ = nullptr;
    std::function<int32_t()> selectedWord_;
};

}  // namespace lq
