// The dictionary's records, laid out exactly as they stand in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lq {

// Local date and time; the day of week is stored (0 = Sunday), never computed.
struct SYSTEMTIME {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

constexpr int kNameSize = 32;         // theme and language names, words, transcriptions
constexpr int kTranslationSize = 64;  // translations
constexpr int kPasswordBytesSize = 14;

// Bits of DictionaryHeader::optionFlags.
constexpr uint8_t kLimitTestTimeBit = 0x01;
constexpr uint8_t kAskUpdateOnExitBit = 0x02;
// The answer settings of a test; a new dictionary has them all clear.
constexpr uint8_t kTypedAnswersBit = 0x04;
constexpr uint8_t kIgnoreLetterCaseBit = 0x08;
constexpr uint8_t kIgnoreAccentsBit = 0x10;
constexpr uint8_t kIgnorePunctuationBit = 0x20;

struct DictionaryHeader {
    char signature[4];
    SYSTEMTIME created;
    int32_t languageCount;
    int32_t themeCount;
    int32_t wordCount;
    int16_t protectionCode;
    uint8_t passwordBytes[kPasswordBytesSize];
    int32_t testThemeFilter;     // kNoIndex (-1): any theme
    int32_t testLanguageFilter;  // kNoIndex (-1): any language
    uint8_t testMode;            // 0: names, 1: translations
    int8_t testCountIndex;
    int8_t variantCountIndex;
    uint8_t optionFlags;
    int8_t timeLimitIndex;
    uint8_t reportCellOptions;
    uint8_t reportStyleOptions;
    uint8_t reserved;  // kept as loaded

    bool limitTestTime() const { return (optionFlags & kLimitTestTimeBit) != 0; }
    bool askUpdateOnExit() const { return (optionFlags & kAskUpdateOnExitBit) != 0; }
    void setLimitTestTime(bool on) { setFlag(kLimitTestTimeBit, on); }
    void setAskUpdateOnExit(bool on) { setFlag(kAskUpdateOnExitBit, on); }
    // A test asks for the answer to be typed instead of picked from variants.
    bool typedAnswers() const { return (optionFlags & kTypedAnswersBit) != 0; }
    void setTypedAnswers(bool on) { setFlag(kTypedAnswersBit, on); }
    // How leniently a typed answer is compared with the right one.
    bool ignoreLetterCase() const { return (optionFlags & kIgnoreLetterCaseBit) != 0; }
    bool ignoreAccents() const { return (optionFlags & kIgnoreAccentsBit) != 0; }
    bool ignorePunctuation() const { return (optionFlags & kIgnorePunctuationBit) != 0; }
    void setIgnoreLetterCase(bool on) { setFlag(kIgnoreLetterCaseBit, on); }
    void setIgnoreAccents(bool on) { setFlag(kIgnoreAccentsBit, on); }
    void setIgnorePunctuation(bool on) { setFlag(kIgnorePunctuationBit, on); }

  private:
    void setFlag(uint8_t bit, bool on) {
        optionFlags = static_cast<uint8_t>(on ? (optionFlags | bit) : (optionFlags & ~bit));
    }
};

struct LanguageRecord {
    char name[kNameSize];
};

struct ThemeRecord {
    char name[kNameSize];
};

struct WordRecord {
    SYSTEMTIME created;
    int32_t rightCount;
    int32_t testedCount;
    int32_t themeIndex;
    int32_t languageIndex;
    char word[kNameSize];
    char translation[kTranslationSize];
    char transcription[kNameSize];
};

constexpr int kHeaderSize = 64;
constexpr int kLanguageRecordSize = 32;
constexpr int kThemeRecordSize = 32;
constexpr int kWordRecordSize = 160;

// The file is a raw image of these records, so their layout is part of the format.
static_assert(sizeof(SYSTEMTIME) == 16);
static_assert(sizeof(DictionaryHeader) == kHeaderSize);
static_assert(offsetof(DictionaryHeader, created) == 4);
static_assert(offsetof(DictionaryHeader, languageCount) == 20);
static_assert(offsetof(DictionaryHeader, themeCount) == 24);
static_assert(offsetof(DictionaryHeader, wordCount) == 28);
static_assert(offsetof(DictionaryHeader, protectionCode) == 32);
static_assert(offsetof(DictionaryHeader, passwordBytes) == 34);
static_assert(offsetof(DictionaryHeader, testThemeFilter) == 48);
static_assert(offsetof(DictionaryHeader, testLanguageFilter) == 52);
static_assert(offsetof(DictionaryHeader, testMode) == 56);
static_assert(offsetof(DictionaryHeader, testCountIndex) == 57);
static_assert(offsetof(DictionaryHeader, variantCountIndex) == 58);
static_assert(offsetof(DictionaryHeader, optionFlags) == 59);
static_assert(offsetof(DictionaryHeader, timeLimitIndex) == 60);
static_assert(offsetof(DictionaryHeader, reportCellOptions) == 61);
static_assert(offsetof(DictionaryHeader, reportStyleOptions) == 62);
static_assert(offsetof(DictionaryHeader, reserved) == 63);
static_assert(sizeof(LanguageRecord) == kLanguageRecordSize);
static_assert(sizeof(ThemeRecord) == kThemeRecordSize);
static_assert(sizeof(WordRecord) == kWordRecordSize);
static_assert(offsetof(WordRecord, rightCount) == 16);
static_assert(offsetof(WordRecord, testedCount) == 20);
static_assert(offsetof(WordRecord, themeIndex) == 24);
static_assert(offsetof(WordRecord, languageIndex) == 28);
static_assert(offsetof(WordRecord, word) == 32);
static_assert(offsetof(WordRecord, translation) == 64);
static_assert(offsetof(WordRecord, transcription) == 128);
static_assert(std::is_trivially_copyable_v<DictionaryHeader>);
static_assert(std::is_trivially_copyable_v<WordRecord>);

}  // namespace lq
