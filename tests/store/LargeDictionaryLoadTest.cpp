// A dictionary too large for one read goes into its tables piece by piece; every piece must land
// in its place, and a fault or damage in any piece must fail the load like one in a small file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/FailingFileOps.h"
#include "store/DictionaryStore.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr int kWordCount = 20000;  // 3.2 MB of words
constexpr std::size_t kFirstWord = 64 + 3 * 32 + 2 * 32;
constexpr std::size_t kWordSize = 160;

// Every word differs from its neighbours, so a piece read into the wrong place shows.
Dictionary largeDictionary() {
    std::vector<WordSpec> words;
    words.reserve(kWordCount);
    for (int i = 0; i < kWordCount; ++i) {
        words.push_back({"word" + std::to_string(i), i % 2, i % 3, i % 7, i % 11,
                         "translation " + std::to_string(i), std::to_string(i * 7)});
    }
    return makeDictionary({"English", "German", "French"}, {"Even", "Odd"}, words);
}

const std::vector<uint8_t>& largeBytes() {
    static const std::vector<uint8_t> bytes = dictionaryBytes(largeDictionary());
    return bytes;
}

Dictionary sentinelDictionary() {
    return makeDictionary({"Sentinel"}, {"Kept"}, {{"unchanged"}});
}

// Counts the reads of a load, to aim a fault at a chosen one.
class ReadCounter : public FailingFileOps {
  public:
    ssize_t read(int fd, void* buffer, size_t size) override {
        ++reads;
        return FailingFileOps::read(fd, buffer, size);
    }
    int reads = 0;
};

// The file shrinks to `keep` bytes right after the load has taken its size.
class ShrinkingFileOps : public FailingFileOps {
  public:
    ShrinkingFileOps(std::string path, off_t keep) : path_(std::move(path)), keep_(keep) {}
    int fstat(int fd, struct stat* status) override {
        const int result = FailingFileOps::fstat(fd, status);
        EXPECT_EQ(::truncate(path_.c_str(), keep_), 0);
        return result;
    }

  private:
    std::string path_;
    off_t keep_;
};

void putInt32(std::vector<uint8_t>& bytes, std::size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

class LargeDictionaryLoadTest : public ::testing::Test {
  protected:
    LoadStatus load(FileOps& ops, Dictionary& target) {
        DictionaryStore store(ownFile, reporter, clock, ops);
        return store.loadDictionary(ownFile, target);
    }

    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::string ownFile = folder.file("large.lqd");
};

TEST_F(LargeDictionaryLoadTest, LoadsEveryRecordInItsPlace) {
    writeBytes(ownFile, largeBytes());
    Dictionary loaded;
    ASSERT_EQ(load(FileOps::system(), loaded), LoadStatus::Loaded);
    EXPECT_EQ(dictionaryBytes(loaded), largeBytes());
    EXPECT_TRUE(isConsistent(loaded));
}

TEST_F(LargeDictionaryLoadTest, ReadErrorInAnyPieceOfTheWordsFailsTheLoad) {
    writeBytes(ownFile, largeBytes());
    ReadCounter counter;
    Dictionary counted;
    ASSERT_EQ(load(counter, counted), LoadStatus::Loaded);
    // Header, languages and themes come first; the words need more than one piece.
    const int firstWordRead = 4;
    ASSERT_GE(counter.reads, firstWordRead + 2);

    const struct {
        const char* what;
        int nth;
    } failures[] = {{"first piece", firstWordRead},
                    {"a middle piece", (firstWordRead + counter.reads) / 2},
                    {"last piece", counter.reads}};
    for (const auto& f : failures) {
        SCOPED_TRACE(f.what);
        FailingFileOps ops({FileCall::Read, EIO, f.nth});
        Dictionary target = sentinelDictionary();
        EXPECT_EQ(load(ops, target), LoadStatus::ReadError);
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
    }
}

TEST_F(LargeDictionaryLoadTest, FileThatShrinksAfterItsSizeWasTakenIsDamaged) {
    const std::size_t size = largeBytes().size();
    const struct {
        const char* what;
        off_t keep;
    } cases[] = {{"to the header", 64},
                 {"to the middle of a word", static_cast<off_t>(kFirstWord + kWordSize / 2)},
                 {"to half the words", static_cast<off_t>(size / 2)},
                 {"by one byte", static_cast<off_t>(size - 1)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(ownFile, largeBytes());
        ShrinkingFileOps ops(ownFile, c.keep);
        Dictionary target = sentinelDictionary();
        EXPECT_EQ(load(ops, target), LoadStatus::Damaged);
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
    }
}

TEST_F(LargeDictionaryLoadTest, BadIndexInAnyPieceOfTheWordsIsDamaged) {
    constexpr std::size_t kThemeIndex = 24, kLanguageIndex = 28;
    const struct {
        const char* what;
        std::size_t word;
        std::size_t field;
        int32_t value;
    } cases[] = {
        {"theme one past the table in the middle", kWordCount / 2, kThemeIndex, 2},
        {"negative language in the middle", kWordCount / 2 + 1, kLanguageIndex, -1},
        {"language one past the table in the last word", kWordCount - 1, kLanguageIndex, 3},
        {"negative theme in the last word", kWordCount - 1, kThemeIndex, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = largeBytes();
        putInt32(bytes, kFirstWord + c.word * kWordSize + c.field, c.value);
        writeBytes(ownFile, bytes);
        Dictionary target = sentinelDictionary();
        EXPECT_EQ(load(FileOps::system(), target), LoadStatus::Damaged);
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), target), LoadStatus::Damaged);
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
    }
}

}  // namespace
}  // namespace lq::test
