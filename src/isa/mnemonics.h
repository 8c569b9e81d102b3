// The mnemonic table: every instruction and directive with its variants.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "isa/classes.h"

namespace tobra {

struct Variant {
    uint32_t size_mask;    // size suffixes accepted (SZ_*)
    uint8_t signature[8];  // bytes 0-4: operand classes; 5-6: 0; 7: handler number
    uint32_t opcode;       // base opcode (12 for page/pag, 0 for other directives)
    uint32_t flags;        // second parameter, meaning depends on the handler

    constexpr uint8_t handler() const { return signature[7]; }
};

struct MnemonicEntry {
    const char* name;
    uint8_t variant_count;
    const Variant* variants;
};

inline constexpr int MNEMONIC_COUNT = 260;
inline constexpr int VARIANT_COUNT = 446;

extern const Variant variant_table[VARIANT_COUNT];
extern const MnemonicEntry mnemonic_table[MNEMONIC_COUNT];

// Binary search by byte-wise name comparison; name is lower case without suffix.
const MnemonicEntry* find_mnemonic(std::string_view name);

// Size mask of a size-suffix letter (lower case); 0 for letters without meaning.
// Every line asks, so it is a table lookup the caller can inline.
inline constexpr std::array<uint8_t, 256> suffix_masks = [] {
    std::array<uint8_t, 256> m{};
    m['b'] = SZ_B;
    m['w'] = SZ_W;
    m['l'] = SZ_L;
    m['s'] = SZ_S;
    m['d'] = SZ_D;
    m['u'] = SZ_U;
    return m;
}();

inline uint32_t suffix_mask(char suffix) { return suffix_masks[static_cast<uint8_t>(suffix)]; }

// Printed names of the operand classes, and member sets of the composite classes.
extern const char* const class_names[CLS_COUNT];
extern const uint32_t class_sets[CLS_COUNT];
// For each signature class, the operand classes it accepts, one bit per operand
// class: a plain class accepts itself, a composite class its members.
extern const std::array<uint64_t, CLS_COUNT> class_accepts;

} // namespace tobra
