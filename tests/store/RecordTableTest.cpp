#include "store/RecordTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "store/Dictionary.h"

namespace lq::test {
namespace {

bool allBytesZero(const WordRecord& word) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&word);
    for (std::size_t i = 0; i < sizeof word; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// Only a read may leave records unset; every ordinary way of growing a table must zero them,
// or stale memory would end up in the file.
TEST(RecordTable, OrdinaryGrowthZeroesTheNewRecords) {
    const struct {
        const char* what;
        std::function<void(WordTable&)> grow;
    } ways[] = {
        {"resize", [](WordTable& t) { t.resize(4); }},
        {"emplace_back", [](WordTable& t) { t.emplace_back(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        WordRecord dirty;
        std::memset(&dirty, 0xAB, sizeof dirty);
        WordTable table(8, dirty);
        table.clear();  // keeps the dirty memory for the growth to reuse
        way.grow(table);
        ASSERT_FALSE(table.empty());
        for (const WordRecord& word : table) {
            EXPECT_TRUE(allBytesZero(word));
        }
    }
}

}  // namespace
}  // namespace lq::test
