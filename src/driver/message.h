// A diagnostic's text with its code. The code is what tools and users look a
// message up by (printed as T and four digits); once given out it never
// changes, even when the text is reworded. Each area's messages.h hands out
// codes from its own thousand: driver 1, expressions 2, operands and parts 3,
// encoders 4, directives 5, outputs 6.
#pragma once
#include <cstdint>

namespace tobra {

struct Message {
    uint16_t code;
    const char* text;
    // The same code on a text put together at the call.
    constexpr Message with(const char* built) const { return {code, built}; }
};

} // namespace tobra
