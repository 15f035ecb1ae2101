// The vector type of the dictionary's tables. It behaves like std::vector, with one addition:
// a table can be made with its records left unset (unsetTable), for a file read to fill. Loading
// a large dictionary then writes each record once instead of zeroing it first; every other way
// of growing a table still value-initialises its records, as std::vector does. A very large
// table lies in huge pages, so that the process forked to write the recovery copy is made in a
// few milliseconds (its page tables are a 512th of the size).
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace lq {

// Constructing a record from this leaves its bytes as they are.
struct LeaveUnset {};

// A range of n LeaveUnset values, to build a table of n unset records in one step. It is just
// enough of an iterator for vector's range constructor.
class UnsetRecords {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = LeaveUnset;
    using difference_type = std::ptrdiff_t;
    using pointer = const LeaveUnset*;
    using reference = LeaveUnset;

    UnsetRecords() = default;
    explicit UnsetRecords(std::size_t position) : position_(position) {}

    LeaveUnset operator*() const { return {}; }
    UnsetRecords& operator++() {
        ++position_;
        return *this;
    }
    UnsetRecords operator++(int) {
        const UnsetRecords before = *this;
        ++position_;
        return before;
    }
    bool operator==(const UnsetRecords&) const = default;

  private:
    std::size_t position_ = 0;
};

// Tables from this size on (200,000 words) go into huge pages; smaller ones cost little to fork.
constexpr std::size_t kHugeTableBytes = std::size_t{32} << 20;
constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

void* allocateHugeTable(std::size_t bytes);
void freeHugeTable(void* table) noexcept;

template <typename Record>
class RecordAllocator {
  public:
    using value_type = Record;

    RecordAllocator() = default;
    template <typename Other>
    RecordAllocator(const RecordAllocator<Other>&) noexcept {}

    Record* allocate(std::size_t n) {
        if (n < kHugeTableBytes / sizeof(Record)) {
            return std::allocator<Record>().allocate(n);
        }
        if (n > std::allocator_traits<std::allocator<Record>>::max_size(std::allocator<Record>())) {
            throw std::bad_array_new_length();
        }
        return static_cast<Record*>(allocateHugeTable(n * sizeof(Record)));
    }
    void deallocate(Record* records, std::size_t n) noexcept {
        if (n < kHugeTableBytes / sizeof(Record)) {
            std::allocator<Record>().deallocate(records, n);
        } else {
            freeHugeTable(records);
        }
    }

    // No arguments value-initialise, as std::allocator does; only LeaveUnset leaves bytes unset.
    template <typename T, typename... Args>
    void construct(T* place, Args&&... args) {
        ::new (static_cast<void*>(place)) T(std::forward<Args>(args)...);
    }
    template <typename T>
    void construct(T* place, LeaveUnset) {
        ::new (static_cast<void*>(place)) T;
    }

    template <typename Other>
    bool operator==(const RecordAllocator<Other>&) const noexcept {
        return true;
    }
};

template <typename Record>
using RecordTable = std::vector<Record, RecordAllocator<Record>>;

// A table of `count` records whose bytes are left for a read to fill. Throws std::bad_alloc.
template <typename Record>
RecordTable<Record> unsetTable(std::size_t count) {
    return RecordTable<Record>(UnsetRecords(), UnsetRecords(count));
}

}  // namespace lq
