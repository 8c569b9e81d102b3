// Branch sizes, floating-point branches and the zero-displacement rewrite,
// from source text to output words.
#include <gtest/gtest.h>

#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

namespace {

struct Encoding {
    const char* source;
    std::vector<std::string> args;
    const char* words;
};

// The last n words of the output.
std::string tail(const std::string& bytes, size_t n) {
    return hex_words(bytes.size() > 2 * n ? bytes.substr(bytes.size() - 2 * n) : bytes);
}

const Encoding branch_cases[] = {
    // Backward within reach: byte, the branch to itself included. A label
    // on the branch's own line is not yet defined when pass 1 reads the
    // operand, so that branch counts as forward.
    {"l:\n bra l\n", {"-b"}, "60fe"},
    {"l: bra l\n", {"-b"}, "6000 fffe"},
    {" opt optimise=nobranch\nl:\n bra l\n", {"-b"}, "6000 fffe"},
    // Without the byte optimisation a backward branch takes the forward size.
    {" opt optimise=nobranch\nl:\n bra l\n", {"-b", "-f"}, "60fe"},
    {"l: nop\n beq.s l\n", {"-b"}, "4e71 67fc"},
    {"l: nop\n bra.w l\n", {"-b"}, "4e71 6000 fffc"},
    // Forward: word by default, byte under -f, and the passes agree on either.
    {" bra l\n nop\nl: nop\n", {"-b"}, "6000 0004 4e71 4e71"},
    {" bra l\n nop\nl: nop\n", {"-b", "-f"}, "6002 4e71 4e71"},
    {" bsr.b l\n nop\nl: rts\n", {"-b"}, "6102 4e71 4e75"},
    // A byte field of 0 would read as the word form: a branch to the next
    // word is a word branch, even under -f.
    {" bra 2\n", {"-b"}, "6000 0000"},
    {" bra 2\n", {"-b", "-f"}, "6000 0000"},
    // Long displacements on an ISA_B core.
    {" bra.l l\nl: nop\n", {"-b", "-c5407"}, "60ff 0000 0004 4e71"},
    {" bgt.l l\nl: nop\n", {"-b", "-c5485"}, "6eff 0000 0004 4e71"},
    // Floating-point branches: word unless .l, which sets bit 6.
    {" fbeq l\nl: nop\n", {"-b", "-c5485"}, "f281 0002 4e71"},
    {" fbne.l l\nl: nop\n", {"-b", "-c5485"}, "f2ce 0000 0004 4e71"},
    {"l: fbgt.w l\n", {"-b", "-c5485"}, "f292 fffe"},
};

TEST(Branch, Encodings) {
    for (const auto& c : branch_cases) {
        auto r = assemble(c.source, c.args);
        EXPECT_EQ(r.out, "Assembly successful.\n") << c.source;
        EXPECT_EQ(hex_words(r.bytes), c.words) << c.source;
    }
}

TEST(Branch, BackwardBeyondByteReachIsWord) {
    auto r = assemble("l: nop\n ds.b 200\n bne l\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(tail(r.bytes, 2), "6600 ff34");
}

struct Failure {
    const char* source;
    std::vector<std::string> args;
    const char* out;
};

const Failure branch_errors[] = {
    {" bra.s l\nl: nop\n", {"-b"}, "t.s,1: branch: invalid destination\n1 error(s) found\n"},
    {" bra.l l\nl: nop\n", {"-b"},
     "t.s,1: core: long displacment not allowed on this processor.\n1 error(s) found\n"},
    {" bra nowhere\n", {"-b"},
     "t.s,1: lookup: undefined - nowhere\nt.s,1: branch: invalid destination\n2 error(s) found\n"},
    // -f promised a byte to a target that turned out too far away.
    {" bra l\n ds.b 200\nl: nop\n", {"-b", "-f"},
     "t.s,1: branch: byte destination out of range\n1 error(s) found\n"},
    {" bra l\n ds.b 40000\nl: nop\n", {"-b"},
     "t.s,1: branch: word destination out of range\n1 error(s) found\n"},
    {"l: ds.b 40000\n bra.w l\n", {"-b"}, "t.s,2: branch: word destination out of range\n1 error(s) found\n"},
    {" fbeq l\nl: nop\n", {"-b"}, "t.s,1: fpu: floating-point not allowed on this processor.\n1 error(s) found\n"},
    // An image is final: a branch to an external name has nothing to reach.
    {" xref ext\n bra ext\n bra.s ext\n", {"-b"},
     "t.s,2: xref: ext is not defined; only an object file can refer to it\n"
     "t.s,3: xref: ext is not defined; only an object file can refer to it\n2 error(s) found\n"},
    {" xref ext\n bra.l ext\n", {"-b", "-c5407"},
     "t.s,2: xref: ext is not defined; only an object file can refer to it\n1 error(s) found\n"},
};

TEST(Branch, Errors) {
    for (const auto& c : branch_errors) {
        auto r = assemble(c.source, c.args);
        EXPECT_EQ(r.out, c.out) << c.source;
        EXPECT_NE(r.exit_code, 0) << c.source;
    }
}

const Encoding zero_displacement_cases[] = {
    {" move.l 0(a0),d0\n", {"-b"}, "2010"},
    {" move.l 4-4(a1),d0\n", {"-b"}, "2011"},
    {" opt optimise=noindex\n move.l 0(a0),d0\n", {"-b"}, "2028 0000"},
    // The rewrite looks at the operand only, so a later label elsewhere on the
    // line cannot make the passes disagree.
    {" move.l 0(a0),later\nlater: nop\n", {"-b"}, "23d0 0000 0006 4e71"},
    // A displacement that names a symbol keeps its word.
    {"l: nop\n move.l l-l(a0),d0\n", {"-b"}, "4e71 2028 0000"},
    // The first two operands only.
    {" fmovem.d 0(a7),fp0\n", {"-b", "-c5485"}, "f217 d080"},
    {" mac.w d1,d2,0(a0),d3\n", {"-b", "-c5249"}, "a6a8 2001 0000"},
};

TEST(ZeroDisplacement, Encodings) {
    for (const auto& c : zero_displacement_cases) {
        auto r = assemble(c.source, c.args);
        EXPECT_EQ(r.out, "Assembly successful.\n") << c.source;
        EXPECT_EQ(hex_words(r.bytes), c.words) << c.source;
    }
}

} // namespace
