// The options both fuzz targets take from an input's first byte, so that the
// output writers and the core checks are exercised too.
#pragma once
#include <cstdint>
#include <vector>

namespace tobra::fuzz {

// Appends the output format, -g, the part and the -f and -r options that
// the bits of mode pick (bit 1, the listing, is the caller's).
inline void push_mode_options(std::vector<const char*>& argv, uint8_t mode) {
    // Bit 64 picks the other format of each pair: ELF beside the native
    // object, Intel HEX beside the binary image.
    if (mode & 2) argv.push_back(mode & 64 ? "--elf" : "-o");
    else if (mode & 4) argv.push_back(mode & 64 ? "--ihex" : "-b");
    if ((mode & (2 | 64 | 128)) == (2 | 64 | 128)) argv.push_back("-g");
    if (mode & 8) argv.push_back("-c5485");
    if (mode & 16) argv.push_back("-f");
    if (mode & 32) argv.push_back("-r");
}

} // namespace tobra::fuzz
