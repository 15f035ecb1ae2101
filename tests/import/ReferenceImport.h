// The import written out step by step with plain scans of the tables: slow, but easy to check
// against its description. The indexed run must give exactly what this gives.
#pragma once

#include "import/core/DictionaryEdits.h"
#include "import/core/ImportWords.h"

namespace lq::test {

ImportSummary referenceImport(const Dictionary& source, Dictionary& current,
                              const ImportOptions& options, Reporter& reporter, const Clock& clock,
                              ImportProgress& progress, DictionaryEdits& edits);

}  // namespace lq::test
