// The figures of the results window.
#pragma once

#include <cstdint>

namespace lq {

constexpr int kResultPictureCount = 15;

// Share of right answers, fraction cut off; 0 for an empty test.
int32_t percentRight(int32_t rightAnswers, int32_t questionCount);

// The face that grades a result, 0 (crying) to 14 (laughing).
int resultPicture(int32_t percentRight);

}  // namespace lq
