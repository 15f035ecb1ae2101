// The report order computed literally: passes of adjacent swaps until a pass swaps nothing.
// Quadratic, so only a reference for the fast method.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "store/Dictionary.h"
#include "store/TextField.h"

namespace lq::test {

inline std::vector<int32_t> orderBySwapPasses(const Dictionary& dictionary) {
    std::vector<int32_t> order(dictionary.words.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int32_t>(i);
    }
    if (order.size() < 2) {
        return order;
    }
    const auto textOf = [&](int32_t index) {
        return fieldText(dictionary.words[static_cast<std::size_t>(index)].word);
    };
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            const std::string_view left = textOf(order[i]);
            const std::string_view right = textOf(order[i + 1]);
            const std::size_t common = std::min(left.size(), right.size());
            for (std::size_t k = 0; k < common; ++k) {
                const auto a = static_cast<unsigned char>(left[k]);
                const auto b = static_cast<unsigned char>(right[k]);
                if (a != b) {
                    if (a > b) {
                        std::swap(order[i], order[i + 1]);
                        swapped = true;
                    }
                    break;
                }
            }
        }
    }
    return order;
}

}  // namespace lq::test
