// Any bytes as a text of the dictionary: every form the reports make of it must stay within
// the text, read it the one way the program shows it, and come out in the report's encoding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report/core/ReportFormatting.h"
#include "store/TextEncoding.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view stored(reinterpret_cast<const char*>(data), size);
    const std::string shown = lq::utf8AsShown(stored);
    require(lq::isValidUtf8(shown));
    require(!lq::isValidUtf8(stored) || shown == stored);
    require(lq::codePointsAsShown(shown) == lq::codePointsAsShown(stored));

    const std::size_t columns = lq::displayColumns(stored);
    require(columns == lq::displayColumns(shown));
    require(columns <= 2 * lq::codePointsAsShown(stored).size());

    std::string line;
    lq::appendRightAligned(line, shown, 24);
    require(lq::displayColumns(line) == std::max<std::size_t>(columns, 24));

    std::string html;
    lq::appendHtmlEscaped(html, stored);
    require(std::all_of(html.begin(), html.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && c != '<' && c != '>' && c != '"';
    }));
    return 0;
}
