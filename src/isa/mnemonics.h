// The mnemonic table: every instruction and directive with its variants.
#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
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

// The entry of a name (lower case, without its size suffix), or nullptr.
const MnemonicEntry* find_mnemonic(std::string_view name);

// The index of the names of one to seven characters, which nearly every line
// asks for: each is packed with its length into one 64-bit key (its bytes
// from the low end up, the length in the top byte) and found by comparing keys.
// A slot also holds what a line needs of its entry, so that finding the
// mnemonic is one load: the line's operands are read next, and wait for it.
struct ShortMnemonicSlot {
    uint64_t key;  // 0: empty
    const MnemonicEntry* entry;
    const Variant* variants;  // the entry's
    uint8_t variant_count;
    OperandNumbers numbers;   // how the first variant's handler reads numbers
};
inline constexpr int SHORT_MNEMONIC_SLOTS = 1024;  // a power of two
inline constexpr int SHORT_MNEMONIC_BITS = 10;
inline constexpr size_t SHORT_MNEMONIC = 7;  // the longest name a key holds
extern const ShortMnemonicSlot (&short_mnemonic_index)[SHORT_MNEMONIC_SLOTS];

constexpr uint32_t short_mnemonic_slot(uint64_t key) {
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - SHORT_MNEMONIC_BITS));
}

// The slot of a name of one to seven characters whose first eight bytes
// (those of the line parser's mnemonic field, from the low end up) are
// word; nullptr when there is none. The key is the word masked to the
// name's length, and the lookup needs no call.
[[gnu::always_inline]] inline const ShortMnemonicSlot* find_short_mnemonic(uint64_t word, size_t n) {
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    const uint64_t key = (word & ((uint64_t{1} << (8 * n)) - 1)) | (uint64_t{n} << 56);
    for (uint32_t h = short_mnemonic_slot(key);; h = (h + 1) & (SHORT_MNEMONIC_SLOTS - 1)) {
        const ShortMnemonicSlot& slot = short_mnemonic_index[h];
        if (slot.key == key) return &slot;
        if (slot.key == 0) return nullptr;
    }
}

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
