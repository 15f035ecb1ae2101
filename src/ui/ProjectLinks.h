// Where the project lives on the net: shown and linked in the About dialog.
#pragma once

namespace lq {

inline constexpr const char* kWebAddress = "https://lexiquill.org";
inline constexpr const char* kSupportAddress = "support@lexiquill.org";
// "?subject=" starts the query of a mailto: address, so mail programs keep the address whole.
inline constexpr const char* kSupportMailUrl =
    "mailto:support@lexiquill.org?subject=Lexiquill%20Support";

}  // namespace lq
