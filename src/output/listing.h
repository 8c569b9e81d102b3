// The assembly listing of pass 2.
#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tobra {

class Assembler;
class Console;

inline constexpr int LISTING_BYTES = 64;
// Bytes shown on the first listing line of a source line and on each continuation line.
inline constexpr int LISTING_BYTES_PER_LINE = 6;

class Listing {
public:
    explicit Listing(Assembler& assembler) : as(assembler) {}

    // The listing line(s) of the line just processed.
    void list_line();
    // The heading printed at the start of every file named on the command line.
    void banner();
    // Whether lines are being listed now (pass 2 with the listing on).
    bool active() const;
    // Where the listing goes: standard output, or the file given by set_file.
    Console& out() const;
    void set_file(Console* file) { file_ = file; }

    // A class-tag line (the offset and the tag's symbol name, "ct_" included),
    // printed only while the listing is active.
    void class_tag_line(int32_t offset, std::string_view symbol_name);

    void capture(uint8_t byte) {
        if (listing_count < LISTING_BYTES) listing_bytes[listing_count++] = byte;
    }
    // The first of n bytes, as many as the line's listing shows.
    void capture(const uint8_t* bytes, int n) {
        const int k = n < LISTING_BYTES - listing_count ? n : LISTING_BYTES - listing_count;
        if (k <= 0) return;
        std::memcpy(listing_bytes + listing_count, bytes, static_cast<size_t>(k));
        listing_count += k;
    }

    uint8_t listing_bytes[LISTING_BYTES] = {};
    int listing_count = 0;
    bool listing_show_address = false;
    // The line came out of a macro or repeat block: marked with '+' before its text.
    bool expanded_line = false;

private:
    Assembler& as;
    Console* file_ = nullptr;
};

} // namespace tobra
