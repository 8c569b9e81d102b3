// The assembly listing of pass 2.
#pragma once
#include <cstdint>

namespace tobra {

class Assembler;

inline constexpr int LISTING_BYTES = 64;

class Listing {
public:
    explicit Listing(Assembler& as) : as(as) {}

    void list_line();
    void banner();
    void capture(uint8_t byte) {
        if (listing_count < LISTING_BYTES) listing_bytes[listing_count++] = byte;
    }

    uint8_t listing_bytes[LISTING_BYTES] = {};
    int listing_count = 0;
    bool listing_show_address = false;

private:
    Assembler& as;
};

} // namespace tobra
