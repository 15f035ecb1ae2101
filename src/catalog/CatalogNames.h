// The names of one side's table as the dialogs list them: sorted without regard to letter case,
// each entry carrying its record's index, so that a picked entry is never looked up again by
// the text it shows (a Windows-1252 name would not survive the round trip).
#pragma once

#include <vector>

#include "ui/NameOrder.h"

namespace lq {

struct CatalogSide;
struct Dictionary;

std::vector<NamedIndex> catalogEntries(const Dictionary& dictionary, const CatalogSide& side);

}  // namespace lq
