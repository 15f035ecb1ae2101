// Store operations that also record what they change, so that a whole run of them (an import)
// becomes one step in the undo history. The step goes to the log when the edits go; a run that
// changed nothing adds none.
#pragma once

#include <string>

#include "import/core/DictionaryEdits.h"
#include "store/ChangeLog.h"
#include "store/DictionaryChange.h"

namespace lq {

class RecordingEdits : public DictionaryEdits {
  public:
    // `inner` does the work (the store's operations, or a test's stand-in); only what it reports
    // done is recorded.
    RecordingEdits(ChangeLog& log, std::string stepName,
                   DictionaryEdits& inner = DictionaryEdits::store());
    ~RecordingEdits() override;
    RecordingEdits(const RecordingEdits&) = delete;
    RecordingEdits& operator=(const RecordingEdits&) = delete;

    bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) override;
    bool addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                     Reporter& reporter) override;
    bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter) override;
    bool deleteWord(Dictionary& dictionary, int32_t index, Reporter& reporter) override;
    void replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word) override;

  private:
    ChangeLog& log_;
    std::string stepName_;
    DictionaryEdits& inner_;
    ChangeRecorder recorder_;
};

}  // namespace lq
