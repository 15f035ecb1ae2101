#include "catalog/CatalogNames.h"

#include "catalog/core/CatalogSide.h"
#include "ui/TextCodec.h"

namespace lq {

std::vector<NamedIndex> catalogEntries(const Dictionary& dictionary, const CatalogSide& side) {
    std::vector<NamedIndex> entries;
    const auto count = static_cast<int32_t>(side.count(dictionary));
    entries.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        entries.push_back({displayText(side.name(dictionary, i)), i});
    }
    sortIgnoringCase(entries);
    return entries;
}

}  // namespace lq
