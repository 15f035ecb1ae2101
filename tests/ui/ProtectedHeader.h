// Dictionary headers with and without a password, for the password dialogs' tests.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "store/Dictionary.h"
#include "store/Protection.h"
#include "store/TestRandom.h"

namespace lq::test {

inline DictionaryHeader unprotectedHeader() {
    return newDictionaryHeader(SYSTEMTIME{2024, 3, 2, 12, 9, 41, 7, 250});
}

inline DictionaryHeader protectedHeader(std::string_view password) {
    DictionaryHeader header = unprotectedHeader();
    TestRandom random;
    scramblePassword(header, password);
    setProtection(header, true, random);
    EXPECT_TRUE(isProtected(header)) << "the draw happened to give the unprotected code";
    return header;
}

}  // namespace lq::test
