#include "selftest/core/TestResults.h"

#include <algorithm>

#include "store/Knowledge.h"

namespace lq {

int32_t percentRight(int32_t rightAnswers, int32_t questionCount) {
    return percentOf(rightAnswers, questionCount);
}

int resultPicture(int32_t percentRight) {
    if (percentRight >= 100) {
        return kResultPictureCount - 1;
    }
    // A hair below 0.14, so that 50 % still gets the face of 43 to 49 %.
    constexpr double kPicturesPerPercent = 0.13999999999999999;
    const int picture = static_cast<int>(std::max(percentRight, 0) * kPicturesPerPercent);
    return std::min(picture, kResultPictureCount - 1);
}

}  // namespace lq
