// Rows of a parameterised test are known by their names: in CTest's list of tests, in the
// test's own name and in failure messages, instead of as raw bytes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace lq::test {

template <typename Case>
concept NamedCase = requires(const Case& c) {
    std::string_view(c.name);
};

// Gives each instance of a parameterised test the name of its row.
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return std::string(info.param.name);
    }
};

// GoogleTest finds PrintTo next to the row's type. Rows are declared in a test file's unnamed
// namespace, and this one is the same unnamed namespace in every file that includes it.
namespace {

template <NamedCase Case>
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

}  // namespace

}  // namespace lq::test
