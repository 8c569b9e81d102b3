// Helpers for the object-file tests.
#pragma once
#include <cctype>
#include <string>

#include "output/objread.h"
#include "test_util.h"

namespace tobra::test {

// Bytes from hex digits; anything else (blanks) is skipped.
inline std::string hex_bytes(const std::string& hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
        int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

} // namespace tobra::test
