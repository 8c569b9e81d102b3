// The mnemonic table: every instruction and directive with its variants.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "isa/classes.h"
#include "isa/features.h"
#include "isa/handlers.h"

namespace tobra {

// One form of a mnemonic: the sizes and operand classes it accepts, the
// handler that encodes it and what the handler is given.
struct Variant {
    uint32_t size_mask = 0;   // size suffixes accepted (SZ_*)
    uint8_t signature[5] = {};  // operand classes, CLS_NONE after the last
    Handler handler_id = H_FIXED;
    Need need = NEEDS_NOTHING;  // what the part must have (isa/features.h)
    uint32_t opcode = 0;      // base opcode (12 for page/pag, 0 for other directives)
    uint32_t flags = 0;       // second parameter, meaning depends on the handler

    constexpr Variant() = default;

    // A row names its classes and its handler; a number in their place does not compile.
    constexpr Variant(uint32_t sizes, std::array<OperandClass, 5> classes, Handler handler, uint32_t base_opcode,
                      uint32_t parameter = 0, Need needs = NEEDS_NOTHING)
        : size_mask(sizes), signature{classes[0], classes[1], classes[2], classes[3], classes[4]}, handler_id(handler),
          need(needs), opcode(base_opcode), flags(parameter) {}

    constexpr Handler handler() const { return handler_id; }
};

struct MnemonicEntry {
    const char* name;
    uint8_t variant_count;
    const Variant* variants;
};

inline constexpr int MNEMONIC_COUNT = 262;
inline constexpr int VARIANT_COUNT = 448;

extern const Variant (&variant_table)[VARIANT_COUNT];
extern const MnemonicEntry (&mnemonic_table)[MNEMONIC_COUNT];

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
extern const std::array<uint32_t, CLS_COUNT> class_sets;
// For each signature class, the operand classes it accepts, one bit per operand
// class: a plain class accepts itself, a composite class its members.
extern const std::array<uint64_t, CLS_COUNT> class_accepts;

} // namespace tobra
