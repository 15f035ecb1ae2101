#include "app/StartupRead.h"

#include "app/WordOrder.h"

namespace lq {

StartupRead::StartupRead(const std::string& dictionaryPath)
    : folder_(dictionaryPath), lock_(std::make_unique<DictionaryLock>(folder_)) {
    if (lock_->status() == DictionaryLock::Status::HeldElsewhere) {
        return;
    }
    // The reader gets the folder's descriptor and the name by value: the folder object itself
    // moves to the store while the reader runs.
    reader_ = std::thread([this, folder = folder_.fd(), name = folder_.dictionaryName()] {
        ReadAhead read;
        read.file = DictionaryStore::readOwnFileAt(folder, name, FileOps::system());
        if (read.file.status == LoadStatus::Loaded) {
            read.order.resize(read.file.dictionary.words.size());
            for (std::size_t i = 0; i < read.order.size(); ++i) {
                read.order[i] = static_cast<int32_t>(i);
            }
            sortByShownWord(read.file.dictionary, read.order);
        }
        read_ = std::move(read);
    });
}

StartupRead::~StartupRead() {
    if (reader_.joinable()) {
        reader_.join();
    }
}

std::optional<ReadAhead> StartupRead::takeRead() {
    if (reader_.joinable()) {
        reader_.join();
    }
    return std::move(read_);
}

}  // namespace lq
