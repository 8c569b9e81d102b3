// Floating-point instructions on a core with a floating-point unit, and what
// is refused.
#include <gtest/gtest.h>

#include "test_length.h"
#include "test_util.h"

using tobra::test::assemble;
using tobra::test::assemble_and_place;
using tobra::test::hex_words;

namespace {

struct Encoding {
    const char* line;
    const char* words;
};

const Encoding fpu_cases[] = {
    {" fadd.d fp1,fp2", "f200 0522"},
    {" fadd.s (a0),fp3", "f210 45a2"},
    {" fadd (a0),fp3", "f210 41a2"},
    {" fcmp.w d1,fp2", "f201 5138"},
    {" fdmul.b d1,fp7", "f201 5be7"},
    // Single-register forms name their register as source and destination.
    {" fsqrt.d fp4", "f200 1204"},
    {" fneg.d fp6", "f200 1b1a"},
    // Displacements are integers whatever the size suffix.
    {" fmove.d 8(a0),fp2", "f228 5500 0008"},
    {" fmove.s l(pc),fp1\nl:", "f23a 4480 0002"},
    // Stores.
    {" fmove.d fp1,-(a7)", "f227 7480"},
    {" fmove.l fp3,d5", "f205 6180"},
    {" fmove.b fp1,(a0)", "f210 7880"},
    // Control registers.
    {" fmove.l d0,fpcr", "f200 9000"},
    {" fmove.l 8(a0),fpcr", "f228 9000 0008"},
    {" fmove.l a0,fpiar", "f208 8400"},
    {" fmove.l fpsr,d1", "f201 a800"},
    {" fmove.l fpiar,a2", "f20a a400"},
    // Register lists: FP0 is bit 7.
    {" fmovem.d fp0-fp2,(a7)", "f217 f0e0"},
    {" fmovem.d (a7),fp0", "f217 d080"},
    {" fmovem.d l(pc),fp0/fp7\nl:", "f23a d081 0002"},
    {" fnop", "f280 0000"},
};

TEST(Fpu, Encodings) {
    for (const auto& c : fpu_cases) {
        auto r = assemble(std::string(c.line) + "\n", {"-b", "-c5485"});
        EXPECT_EQ(r.out, "Assembly successful.\n") << c.line;
        EXPECT_EQ(hex_words(r.bytes), c.words) << c.line;
    }
}

// ftst has no destination; the field repeats the source's register number.
TEST(Fpu, FtstRepeatsTheRegisterNumber) {
    EXPECT_EQ(hex_words(assemble(" ftst.d fp3\n", {"-b", "-c5485"}).bytes), "f200 0dba");
    EXPECT_EQ(hex_words(assemble(" ftst.l (a3)\n", {"-b", "-c5485"}).bytes), "f213 41ba");
}

struct Refusal {
    const char* core;
    const char* line;
};

const Refusal float_modes[] = {
    // No double in a data register.
    {"-c5485", " fmove.d d3,fp6"},
    {"-c5485", " fmove.d fp2,d0"},
    // No index register: the unit stops at (d16,An) and (d16,PC).
    {"-c5485", " fadd.d (8,a0,d0.l),fp1"},
    {"-c5485", " fmove.l fp1,(8,a0,d0.l)"},
    {"-c5485", " fmove.l (8,a0,d0.l),fpcr"},
    {"-c5485", " fmovem.d (8,a0,d0.l),fp0"},
    // Only FPIAR is reached from an address register.
    {"-c5485", " fmove.l a0,fpsr"},
    {"-c5485", " fmove.l fpcr,a0"},
};

TEST(Fpu, ModesNotSupportedEmitNothing) {
    for (const auto& c : float_modes) {
        auto p = assemble_and_place(std::string(c.line) + "\nafter:\n", "after", {"-b", c.core});
        EXPECT_EQ(p.out, "t.s,1: float: mode not supported\n\n1 error(s) found\n") << c.line;
        EXPECT_EQ(p.address, 0) << c.line;
    }
}

TEST(Fpu, CoresWithoutTheUnit) {
    for (const char* line : {" fadd.d fp1,fp2", " fmove.l d0,fpcr", " fmovem.d (a7),fp0", " fbeq after"}) {
        auto p = assemble_and_place(std::string(line) + "\nafter:\n", "after", {"-b", "-c5407"});
        EXPECT_EQ(p.out, "t.s,1: fpu: floating-point not allowed on this processor.\n1 error(s) found\n")
            << line;
        EXPECT_EQ(p.address, 0) << line;
    }
    // fnop, fsave and frestore need no unit.
    auto r = assemble(" fnop\n fsave (a0)\n frestore (a0)\n", {"-b"});
    EXPECT_EQ(r.out, "Assembly successful.\n");
    EXPECT_EQ(hex_words(r.bytes), "f280 0000 f310 f350");
}

} // namespace
