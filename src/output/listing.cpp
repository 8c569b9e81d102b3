// The assembly listing.
#include "output/listing.h"

#include <cstring>

#include "driver/assembler.h"

namespace tobra {

void Listing::banner() {
    as.con.write(BANNER);
    as.con.write(MAKER_NOTICE);
    as.con.write("\n");
}

void Listing::list_line() {
    Console& con = as.con;
    if (listing_count > 0 || listing_show_address)
        con.print("%08lx", static_cast<unsigned long>(static_cast<uint32_t>(as.drv.line_start_address)));
    else
        con.write("        ");
    char field[16];
    int n = 0;
    static const char HEX[] = "0123456789abcdef";
    for (int i = 0; i < 6; ++i) {
        if (i < listing_count) {
            if (i % 2 == 0) field[n++] = ' ';
            field[n++] = HEX[listing_bytes[i] >> 4];
            field[n++] = HEX[listing_bytes[i] & 15];
        } else {
            int blanks = i % 2 == 0 ? 3 : 2;
            while (blanks--) field[n++] = ' ';
        }
    }
    con.write(std::string_view(field, static_cast<size_t>(n)));
    con.put(' ');
    const char* text = as.src.line_buffer;
    const char* end = std::strchr(text, '\n');
    con.write(std::string_view(text, end ? static_cast<size_t>(end - text) : std::strlen(text)));
    for (int i = 6; i < listing_count; ++i) {
        if (i % 6 == 0)
            con.write("\n        ");
        else if (i % 2 == 0)
            con.put(' ');
        con.put(HEX[listing_bytes[i] >> 4]);
        con.put(HEX[listing_bytes[i] & 15]);
    }
    con.put('\n');
}

} // namespace tobra
