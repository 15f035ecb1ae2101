// "&Test!": checks that the dictionary can fill a test, then runs it to its end.
#pragma once

class QWidget;

namespace lq {

class Clock;
class Reporter;
class TestRandom;
struct Dictionary;

// Refusals go to `reporter`, which also tells the user when the time is up. The answers change
// the words' test counters in `dictionary`. When the learner asks from the results to repeat
// the mistakes, a test of those words follows, and so on.
void startTest(Dictionary& dictionary, TestRandom& random, const Clock& clock, Reporter& reporter,
               QWidget* parent);

}  // namespace lq
