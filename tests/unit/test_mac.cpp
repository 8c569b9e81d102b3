// MAC and EMAC instructions: source line to words, and what each core refuses.
#include <gtest/gtest.h>

#include "test_length.h"
#include "test_util.h"

using tobra::test::assemble;
using tobra::test::assemble_and_place;
using tobra::test::hex_words;

namespace {

struct Encoding {
    const char* core;
    const char* line;
    const char* words;
};

// Checked against the GNU assembler, whose spellings differ (d1u for d1.u,
// the shift as an operand of its own: "mac.w %d1u,%d2l,<<,%acc1").
const Encoding mac_cases[] = {
    {"-c5249", " mac.w d1.u,d2.l<<1,acc1", "a481 0240"},
    {"-c5249", " mac.l d1,d2", "a401 0800"},
    {"-c5249", " msac.w d1,d2", "a401 0100"},
    {"-c5249", " mac.w d1,d2,acc2", "a401 0010"},
    {"-c5249", " msac.w d1.u,a7.l<<1,acc3", "aec1 0350"},
    // With load: the accumulator's low bit clears 0x80 of the first word.
    {"-c5249", " mac.w d1,d2,(a0)+,d3", "a698 2001"},
    {"-c5249", " mac.w d1,d2,(a0)+&,d3", "a698 2021"},
    {"-c5249", " mac.w d1,d2,(a0)+,d3,acc1", "a618 2001"},
    {"-c5249", " mac.w d1,d2>>1,(a0)+,a3", "a6d8 2601"},
    {"-c5249", " mac.w d1,d2,8(a0),d3", "a6a8 2001 0008"},
    {"-c5249", " msacl.l d1,d2,(a0)+,d3", "a698 2901"},
    {"-c5307", " mac.l a1,d7,-(a2),a4", "a8e2 7809"},
    // Accumulator moves; the extension registers have opcodes of their own.
    {"-c5249", " move.l d0,acc1", "a300"},
    {"-c5249", " move.l #1,acc2", "a53c 0000 0001"},
    {"-c5249", " move.l acc0,acc3", "a710"},
    {"-c5249", " move.l acc1,d0", "a380"},
    {"-c5249", " movclr.l acc1,d0", "a3c0"},
    {"-c5249", " move.l accext01,d0", "ab80"},
    {"-c5249", " move.l d0,accext01", "ab00"},
    // A MAC unit has ACC0 only.
    {"-c5307", " mac.w d1,d2", "a401 0000"},
    {"-c5307", " move.l d0,acc", "a100"},
    {"-c5307", " move.l acc,d0", "a180"},
    // MACSR and MASK moves need no unit.
    {"-c5206", " move.l #1,macsr", "a93c 0000 0001"},
    {"-c5206", " move.l macsr,ccr", "a9c0"},
    {"-c5206", " move.l d0,mask", "ad00"},
    {"-c5206", " move.l a0,mask", "ad08"},
    {"-c5206", " move.l mask,d2", "ad82"},
};

TEST(Mac, Encodings) {
    for (const auto& c : mac_cases) {
        auto r = assemble(std::string(c.line) + "\n", {"-b", c.core});
        EXPECT_EQ(r.out, "Assembly successful.\n") << c.core << c.line;
        EXPECT_EQ(hex_words(r.bytes), c.words) << c.core << c.line;
    }
}

struct Refusal {
    const char* core;
    const char* line;
    const char* message;
    int length;  // bytes the line still takes: 0 when refused
};

const Refusal mac_errors[] = {
    {"-c5206", " mac.w d1,d2", "core: instruction not allowed on this processor.", 0},
    {"-c5206", " msac.w d1,d2,(a0),d3", "core: instruction not allowed on this processor.", 0},
    {"-c5206", " move.l d0,acc", "mac: instruction not allowed on this processor.", 0},
    {"-c5206", " move.l acc,d0", "mac: instruction not allowed on this processor.", 0},
    {"-c5307", " move.l d0,acc1", "emac: instruction not allowed on this processor.", 0},
    {"-c5307", " move.l acc0,acc1", "emac: instruction not allowed on this processor.", 0},
    {"-c5307", " move.l acc1,d0", "emac: instruction not allowed on this processor.", 0},
    {"-c5307", " movclr.l acc,d0", "emac: instruction not allowed on this processor.", 0},
    {"-c5249", " movclr.l accext01,d0", "emac: instruction not allowed on this processor.", 0},
    // An accumulator operand on a MAC unit is dropped, the instruction kept.
    {"-c5307", " mac.w d1,d2,acc1", "emac: instruction not allowed on this processor.", 4},
    {"-c5407", " mac.w d1,d2,(a0),d3,acc0", "emac: instruction not allowed on this processor.", 4},
    {"-c5249", " mac.l d1.u,d2", "mac: upper/lower not applicable on long", 4},
    {"-c5249", " msac.l d1,d2.l", "msac: upper/lower not applicable on long", 4},
    {"-c5249", " mac.l d1.u,d2,(a0),d3", "macl: upper/lower not applicable on long", 4},
    {"-c5249", " msacl.l d1,d2.u,(a0),d3", "msacl: upper/lower not applicable on long", 4},
    // The load forms stop at (d16,An).
    {"-c5249", " mac.w d1,d2,(8,a0,d0.l),d3", "index: mode not supported by this instruction", 0},
    // The extension registers are no accumulators.
    {"-c5249", " mac.w d1,d2,accext01", "mac: invalid accumulator", 0},
    {"-c5249", " move.l accext23,acc0", "mac: invalid accumulator", 0},
};

TEST(Mac, ErrorsAndWhatIsLeft) {
    for (const auto& c : mac_errors) {
        auto p = assemble_and_place(std::string(c.line) + "\nafter:\n", "after", {"-b", c.core});
        EXPECT_EQ(p.out, std::string("t.s,1: ") + c.message + "\n1 error(s) found\n") << c.core << c.line;
        EXPECT_EQ(p.address, c.length) << c.core << c.line;
    }
}

} // namespace
