// The program's dictionary store over a temporary folder, with a recorded reporter and a fixed
// clock, for tests that drive windows working on it.
#pragma once

#include "store/DictionaryStore.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {

struct TestStore {
    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    DictionaryStore store{folder.file("Lexiquill.lqd"), reporter, clock};
};

}  // namespace lq::test
