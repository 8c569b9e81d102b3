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
struct ShortMnemonicSlot {
    uint64_t key;  // 0: empty
    const MnemonicEntry* entry;
};
inline constexpr int SHORT_MNEMONIC_SLOTS = 1024;  // a power of two
inline constexpr int SHORT_MNEMONIC_BITS = 10;
inline constexpr size_t SHORT_MNEMONIC = 7;  // the longest name a key holds
extern const ShortMnemonicSlot (&short_mnemonic_index)[SHORT_MNEMONIC_SLOTS];

constexpr uint32_t short_mnemonic_slot(uint64_t key) {
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - SHORT_MNEMONIC_BITS));
}

// find_mnemonic for the name at the start of the line parser's mnemonic
// field, whose first eight bytes are word: the key of a short name is that
// word masked to its length, and the lookup needs no call.
[[gnu::always_inline]] inline const MnemonicEntry* find_mnemonic_by_word(const char* name, size_t n, uint64_t word) {
    if (std::endian::native != std::endian::little || n - 1 >= SHORT_MNEMONIC) return find_mnemonic({name, n});
    const uint64_t key = (word & ((uint64_t{1} << (8 * n)) - 1)) | (uint64_t{n} << 56);
    for (uint32_t h = short_mnemonic_slot(key);; h = (h + 1) & (SHORT_MNEMONIC_SLOTS - 1)) {
        const ShortMnemonicSlot& slot = short_mnemonic_index[h];
        if (slot.key == key) return slot.entry;
        if (slot.key == 0) return nullptr;
    }
}

// The same for a name at the start of a buffer with at least eight bytes to read.
inline const MnemonicEntry* find_mnemonic_in_field(const char* name, size_t n) {
    uint64_t word;
    std::memcpy(&word, name, 8);
    return find_mnemonic_by_word(name, n, word);
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
