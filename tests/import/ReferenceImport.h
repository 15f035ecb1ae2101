// The import written out step by step with plain scans of the tables: slow, but easy to check
// against its description. The indexed run must give exactly what this gives.
#pragma once

#include "import/core/DictionaryEdits.h"
#include "import/core/ImportWords.h"

namespace lq::test {

struct ReferenceRun {
    ImportSummary summary;
    int32_t wordsTaken = 0;
};

// Takes at most `wordLimit` source words; a run that stops before the last word ends as a stopped
// run does.
ReferenceRun referenceImport(const Dictionary& source, Dictionary& current,
                             const ImportOptions& options, Reporter& reporter, const Clock& clock,
                             DictionaryEdits& edits, int32_t wordLimit);

}  // namespace lq::test
