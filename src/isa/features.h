// What a part has and what an instruction form needs of it. Each part of the
// core table (encode/cores.cpp) has one set of features; each variant row of
// the mnemonic table (isa/mnemonics.cpp) names what it needs. The dispatcher
// refuses a matched variant whose need the part does not meet, before its
// handler runs; the first variant that fits the line is still the one taken.
#pragma once
#include <cstdint>

#include "isa/messages.h"

namespace tobra {

// The features of a part, a bit each.
enum CoreFeature : uint16_t {
    F_ISA_B = 1u << 0,       // the ISA_B forms: mov3q, mvs, mvz, sats, tas, intouch, byte and word compares, bra.l
    F_ISA_A_PLUS = 1u << 1,  // the ISA_A+ instructions: bitrev, byterev, ff1, strldsr
    F_MAC = 1u << 2,         // a multiply-accumulate unit, MAC or EMAC
    F_EMAC = 1u << 3,        // that unit is the EMAC: four accumulators and their moves
    F_DIVIDE = 1u << 4,      // divide and remainder
    F_USP = 1u << 5,         // a user stack pointer
    F_FPU = 1u << 6,         // the floating-point unit
};

// What a variant needs, and what a part without it is told. Some needs ask for
// the same feature and differ in the message only.
enum Need : uint8_t {
    NEEDS_NOTHING,
    NEEDS_ISA_B,
    NEEDS_ISA_A_PLUS,
    NEEDS_DIVIDE,
    NEEDS_MAC,      // mac, msac, macl, msacl
    NEEDS_MAC_ACC,  // the moves into and out of the accumulators
    NEEDS_FPU,
    NEED_COUNT
};

struct NeedRow {
    Need need;
    uint16_t features;    // every one of them must be there
    Message refusal;      // the error on a part that lacks one
};

inline constexpr NeedRow need_rows[NEED_COUNT] = {
    {NEEDS_NOTHING, 0, {0, nullptr}},
    {NEEDS_ISA_B, F_ISA_B, msg::CORE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR},
    {NEEDS_ISA_A_PLUS, F_ISA_A_PLUS, msg::CODE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR},
    {NEEDS_DIVIDE, F_DIVIDE, msg::CORE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR},
    {NEEDS_MAC, F_MAC, msg::CORE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR},
    {NEEDS_MAC_ACC, F_MAC, msg::MAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR},
    {NEEDS_FPU, F_FPU, msg::FPU_FLOATING_POINT_NOT_ALLOWED_ON_THIS},
};

constexpr bool need_rows_in_order() {
    for (int i = 0; i < NEED_COUNT; ++i)
        if (need_rows[i].need != i) return false;
    return true;
}
static_assert(need_rows_in_order(), "need_rows has one row per Need, in the enum's order");

// Whether a part with these features can run a variant with this need: the
// test every matched instruction line makes.
constexpr bool meets(uint16_t features, Need need) {
    return (need_rows[need].features & ~features) == 0;
}

} // namespace tobra
