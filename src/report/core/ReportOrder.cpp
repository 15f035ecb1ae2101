#include "report/core/ReportOrder.h"

#include <algorithm>
#include <cstring>

#include "store/TextField.h"

namespace lq {

bool reportTextGreater(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(a[i]);
        const auto right = static_cast<unsigned char>(b[i]);
        if (left != right) {
            return left > right;
        }
    }
    return false;
}

namespace {

// Plain byte order, a prefix before the longer text.
bool byteOrderLess(std::string_view a, std::string_view b) {
    const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return order != 0 ? order < 0 : a.size() < b.size();
}

// Balance priorities derived from the insertion number: fixed, yet spread like random ones.
uint64_t priorityOf(uint64_t number) {
    uint64_t z = number + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A sequence of words kept as a treap ordered by position. Each subtree knows its size and its
// smallest text in byte order. The words that are not greater than a given text form a
// downward-closed set in byte order (cutting two ordered texts to the same length keeps them
// ordered), so a subtree holds such a word exactly when its smallest text is one; that is what
// lets the last such word be found along one path from the root.
class WordSequence {
  public:
    explicit WordSequence(std::vector<std::string_view> texts) : texts_(std::move(texts)) {
        nodes_.reserve(texts_.size());
    }

    void insertAfterLastNotGreater(int32_t word) {
        const std::size_t position = countThroughLastNotGreater(texts_[word]);
        nodes_.push_back({word, priorityOf(static_cast<uint64_t>(word)), 1, word, kNone, kNone});
        const int32_t added = static_cast<int32_t>(nodes_.size() - 1);
        auto [before, after] = split(root_, position);
        root_ = merge(merge(before, added), after);
    }

    std::vector<int32_t> inOrder() const {
        std::vector<int32_t> order;
        order.reserve(nodes_.size());
        std::vector<int32_t> pending;
        int32_t node = root_;
        while (node != kNone || !pending.empty()) {
            while (node != kNone) {
                pending.push_back(node);
                node = nodes_[node].left;
            }
            node = pending.back();
            pending.pop_back();
            order.push_back(nodes_[node].word);
            node = nodes_[node].right;
        }
        return order;
    }

  private:
    static constexpr int32_t kNone = -1;

    struct Node {
        int32_t word;
        uint64_t priority;
        std::size_t size;
        int32_t smallestWord;
        int32_t left;
        int32_t right;
    };

    // How many words come before the insertion point of a word with this text.
    std::size_t countThroughLastNotGreater(std::string_view text) const {
        std::size_t count = 0;
        int32_t node = root_;
        while (node != kNone) {
            const Node& n = nodes_[node];
            if (n.right != kNone &&
                !reportTextGreater(texts_[nodes_[n.right].smallestWord], text)) {
                count += sizeOf(n.left) + 1;
                node = n.right;
            } else if (!reportTextGreater(texts_[n.word], text)) {
                return count + sizeOf(n.left) + 1;
            } else {
                node = n.left;
            }
        }
        return count;
    }

    std::size_t sizeOf(int32_t node) const { return node == kNone ? 0 : nodes_[node].size; }

    void update(int32_t node) {
        Node& n = nodes_[node];
        n.size = 1 + sizeOf(n.left) + sizeOf(n.right);
        n.smallestWord = n.word;
        for (int32_t child : {n.left, n.right}) {
            if (child != kNone &&
                byteOrderLess(texts_[nodes_[child].smallestWord], texts_[n.smallestWord])) {
                n.smallestWord = nodes_[child].smallestWord;
            }
        }
    }

    // The first `count` words and the rest.
    std::pair<int32_t, int32_t> split(int32_t node, std::size_t count) {
        if (node == kNone) {
            return {kNone, kNone};
        }
        Node& n = nodes_[node];
        if (sizeOf(n.left) >= count) {
            auto [before, after] = split(n.left, count);
            nodes_[node].left = after;
            update(node);
            return {before, node};
        }
        auto [before, after] = split(n.right, count - sizeOf(n.left) - 1);
        nodes_[node].right = before;
        update(node);
        return {node, after};
    }

    int32_t merge(int32_t first, int32_t second) {
        if (first == kNone || second == kNone) {
            return first == kNone ? second : first;
        }
        if (nodes_[first].priority > nodes_[second].priority) {
            nodes_[first].right = merge(nodes_[first].right, second);
            update(first);
            return first;
        }
        nodes_[second].left = merge(first, nodes_[second].left);
        update(second);
        return second;
    }

    std::vector<std::string_view> texts_;
    std::vector<Node> nodes_;
    int32_t root_ = kNone;
};

}  // namespace

// Repeated passes of adjacent swaps until nothing moves would take quadratic time. Inserting each
// word, in storage order, right after the last placed word that is not greater than it gives
// the same order: "greater" is transitive, so one pass never changes where insertion puts the
// words, and insertion leaves an order that no pass would change as it is.
std::vector<int32_t> sortWordsByText(const Dictionary& dictionary) {
    std::vector<std::string_view> texts;
    texts.reserve(dictionary.words.size());
    for (const WordRecord& word : dictionary.words) {
        texts.push_back(fieldText(word.word));
    }
    const auto count = static_cast<int32_t>(texts.size());
    WordSequence sequence(std::move(texts));
    for (int32_t word = 0; word < count; ++word) {
        sequence.insertAfterLastNotGreater(word);
    }
    return sequence.inOrder();
}

}  // namespace lq
