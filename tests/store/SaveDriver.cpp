// Saves a dictionary once, for scripts that prove on the real system that a save is atomic.
//
//   lq_save_driver bytes <variant> <words> <file>   writes the exact image of a variant
//   lq_save_driver save <folder> <variant> <words>  loads the folder's dictionary, replaces its
//                                                   contents by the variant and saves
//
// The save exits 0 only when saveDictionary reported success, 1 when it reported failure and
// 2 when the dictionary could not even be loaded. Nothing goes to standard output. With
// LQ_SAVE_DRIVER_TIMING set it says "saving" on standard error just before the save starts and
// then how long the save took, so that kills can be aimed at the save. With
// LQ_SAVE_DRIVER_NAMED_TEMPORARY set it plays a file system without unnamed temporary files.
#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "store/DictionaryStore.h"
#include "store/TextField.h"

namespace {

class StderrReporter final : public lq::Reporter {
  public:
    void showError(std::string_view message, std::string_view howToFix) override {
        std::fprintf(stderr, "%.*s %.*s\n", int(message.size()), message.data(),
                     int(howToFix.size()), howToFix.data());
    }
    void showInformation(std::string_view) override {}
    bool askWarning(std::string_view, bool) override { return false; }
    void showNewDictionary(std::string_view) override {}
};

// The real file calls on a file system that has no unnamed temporary files (O_TMPFILE).
class NoUnnamedFileOps final : public lq::FileOps {
  public:
    int openat(int folder, const char* name, int flags, mode_t mode) override {
        if ((flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return real().openat(folder, name, flags, mode);
    }
    ssize_t read(int fd, void* buffer, size_t size) override {
        return real().read(fd, buffer, size);
    }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        return real().write(fd, buffer, size);
    }
    int fstat(int fd, struct stat* status) override { return real().fstat(fd, status); }
    int fchmod(int fd, mode_t mode) override { return real().fchmod(fd, mode); }
    int fsync(int fd) override { return real().fsync(fd); }
    int close(int fd) override { return real().close(fd); }
    int renameat(int fromFolder, const char* from, int toFolder, const char* to) override {
        return real().renameat(fromFolder, from, toFolder, to);
    }
    int unlinkat(int folder, const char* name, int flags) override {
        return real().unlinkat(folder, name, flags);
    }

  private:
    static lq::FileOps& real() { return lq::FileOps::system(); }
};

lq::SYSTEMTIME fixedTime() {
    return {2007, 3, 1, 5, 9, 7, 3, 250};
}

// A dictionary whose every record depends on the variant name, so two variants never share
// a file image.
lq::Dictionary variantDictionary(const std::string& variant, int words) {
    lq::Dictionary d;
    d.header = lq::newDictionaryHeader(fixedTime());
    for (const char* name : {"English", "German"}) {
        lq::LanguageRecord language{};
        lq::setFieldText(language.name, variant + "-" + name);
        d.languages.push_back(language);
    }
    for (int t = 0; t < 4; ++t) {
        lq::ThemeRecord theme{};
        lq::setFieldText(theme.name, variant + "-theme-" + std::to_string(t));
        d.themes.push_back(theme);
    }
    for (int i = 0; i < words; ++i) {
        lq::WordRecord word{};
        word.created = fixedTime();
        word.themeIndex = i % 4;
        word.languageIndex = i % 2;
        word.testedCount = i % 7;
        word.rightCount = i % 5;
        lq::setFieldText(word.word, variant + "-" + std::to_string(i));
        lq::setFieldText(word.translation, "translation of " + variant + " " + std::to_string(i));
        lq::setFieldText(word.transcription, "[" + std::to_string(i) + "]");
        d.words.push_back(word);
    }
    d.header.languageCount = static_cast<int32_t>(d.languages.size());
    d.header.themeCount = static_cast<int32_t>(d.themes.size());
    d.header.wordCount = static_cast<int32_t>(d.words.size());
    return d;
}

double millisecondsSince(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

int usage() {
    std::fprintf(stderr,
                 "usage: lq_save_driver bytes <variant> <words> <file>\n"
                 "       lq_save_driver save <folder> <variant> <words>\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        return usage();
    }
    const std::string command = argv[1];
    if (command == "bytes") {
        const auto bytes = lq::dictionaryBytes(variantDictionary(argv[2], std::atoi(argv[3])));
        std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return out.good() ? 0 : 1;
    }
    if (command == "save") {
        StderrReporter reporter;
        lq::SystemClock clock;
        NoUnnamedFileOps noUnnamedFiles;
        lq::FileOps& ops = std::getenv("LQ_SAVE_DRIVER_NAMED_TEMPORARY") != nullptr
                               ? noUnnamedFiles
                               : lq::FileOps::system();
        lq::DictionaryStore store(lq::DictionaryStore::ownFilePathIn(argv[2]), reporter, clock,
                                  ops);
        if (store.loadDictionary("", store.currentDictionary) != lq::LoadStatus::Loaded) {
            return 2;
        }
        store.currentDictionary = variantDictionary(argv[3], std::atoi(argv[4]));
        const bool timing = std::getenv("LQ_SAVE_DRIVER_TIMING") != nullptr;
        if (timing) {
            std::fprintf(stderr, "saving\n");
            std::fflush(stderr);
        }
        const auto begin = std::chrono::steady_clock::now();
        const bool saved = store.saveDictionary();
        if (timing) {
            std::fprintf(stderr, "saved in %.0f ms\n", millisecondsSince(begin));
        }
        return saved ? 0 : 1;
    }
    return usage();
}
