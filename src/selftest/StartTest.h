// "&Test!": checks that the dictionary can fill a test, then runs it to its end.
#pragma once

#include "store/ChangeLog.h"

class QWidget;

namespace lq {

class Clock;
class Reporter;
class TestRandom;
struct Dictionary;

// Refusals go to `reporter`, which also tells the user when the time is up. The answers change
// the words' test counters in `dictionary`. When the learner asks from the results to repeat
// the mistakes, a test of those words follows, and so on. Each test that changed counters,
// finished or stopped, becomes one step in `log`.
void startTest(Dictionary& dictionary, TestRandom& random, const Clock& clock, Reporter& reporter,
               QWidget* parent, ChangeLog& log = ChangeLog::none());

}  // namespace lq
