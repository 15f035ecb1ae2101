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

class Reporter;
struct Dictionary;

class WordDetailsEditor : public QWidget {
    Q_OBJECT
  public:
    explicit WordDetailsEditor(QWidget* parent = nullptr);
    ~WordDetailsEditor() override;

    // Edits go into the dictionary's words and refusals to the reporter. `selectedWord` names
    // the word an edit is for, asked when the edit ends; kNoIndex while no word is selected.
    void setUp(Dictionary& dictionary, Reporter& reporter, std::function<int32_t()> selectedWord);
    // Takes no more edits, so that the focus changes of a window being torn down change nothing.
    void stopEditing();

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
    void changeTranslation();
    void changeTranscription();
    void moveWord(const QComboBox* list, int32_t WordRecord::*field);

    std::unique_ptr<Ui::WordDetailsEditor> ui_;
    Dictionary* dictionary_ = nullptr;
    Reporter* reporter_ = nullptr;
    std::function<int32_t()> selectedWord_;
};

}  // namespace lq
