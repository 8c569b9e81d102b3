// The assembly listing.
#include "output/listing.h"

#include <cstring>

#include "driver/assembler.h"

namespace tobra {

namespace {

constexpr char HEX[] = "0123456789abcdef";

void put_byte(Console& con, uint8_t b) {
    con.put(HEX[b >> 4]);
    con.put(HEX[b & 15]);
}

} // namespace

bool Listing::active() const { return as.drv.pass_number == 2 && as.options.listing_enabled; }

Console& Listing::out() const { return file_ ? *file_ : as.con; }

void Listing::banner() {
    Console& con = out();
    con.write(BANNER);
    con.write(MAKER_NOTICE);
    con.write("\n");
}

void Listing::list_line() {
    Console& con = out();
    if (listing_count > 0 || listing_show_address)
        con.print("%08lx", static_cast<unsigned long>(static_cast<uint32_t>(as.drv.line_start_address)));
    else
        con.write("        ");

    // The byte field is always 15 characters wide, so the source text starts
    // in the 25th column whatever the line produced.
    for (int i = 0; i < LISTING_BYTES_PER_LINE; ++i) {
        if (i < listing_count) {
            if (i % 2 == 0) con.put(' ');
            put_byte(con, listing_bytes[i]);
        } else {
            con.write(i % 2 == 0 ? "   " : "  ");
        }
    }
    con.put(expanded_line ? '+' : ' ');

    const char* text = as.src.line_buffer;
    const char* end = std::strchr(text, '\n');
    size_t length = end ? static_cast<size_t>(end - text) : std::strlen(text);
    con.write(std::string_view(text, length));

    // Continuation lines line their bytes up under those of the first line.
    int count = listing_count < LISTING_BYTES ? listing_count : LISTING_BYTES;
    for (int i = LISTING_BYTES_PER_LINE; i < count; ++i) {
        if (i % LISTING_BYTES_PER_LINE == 0) con.write("\n        ");
        if (i % 2 == 0) con.put(' ');
        put_byte(con, listing_bytes[i]);
    }
    con.put('\n');
}

void Listing::class_tag_line(int32_t offset, std::string_view symbol_name) {
    if (!active()) return;
    Console& con = out();
    con.print("%08lx                ", static_cast<unsigned long>(static_cast<uint32_t>(offset)));
    con.write(symbol_name);
    con.put('\n');
}

} // namespace tobra
