// The line parser and the emitter take shortcuts for the common cases; these
// cases sit on the edges where a shortcut could part from the general path.
#include <gtest/gtest.h>

#include <string>

#include "test_util.h"

namespace tobra::test {
namespace {

struct ParseCase {
    std::string line;
    std::string out;  // the -x1 trace and messages
};

// A clean line is traced in both passes; an error ends the run after pass 1.
std::string clean(const std::string& trace) { return trace + trace + "Assembly successful.\n"; }
std::string failed(const std::string& trace) { return trace + "1 error(s) found\n"; }

const std::string L89 = "A" + std::string(88, 'b');
const std::string L90 = "A" + std::string(89, 'b');

TEST(LineParser, FieldsAtTheirEdges) {
    const ParseCase cases[] = {
        {"Lab: nop", clean("Parseline: <Lab> <nop.u> <\n")},
        {L89 + " nop", clean("Parseline: <" + L89 + "> <nop.u> <\n")},
        {L89 + ": nop", clean("Parseline: <" + L89 + "> <nop.u> <\n")},
        {L90 + " nop", clean("Parseline: <" + L90 + "> <nop.u> <\n")},
        {L90 + ": nop", clean("Parseline: <" + L90 + "> <nop.u> <\n")},
        {" NOP.W", failed("Parseline: <> <nop.w> <\nt.s,1: process: bad size or wrong operand(s)\n")},
        {"\tMove.L d0,d1 ; c", clean("Parseline: <> <move.l> <d0,d1 ; c\n")},
        {" abcdefghijklmnopqrstuvwxyz d0",
         failed("Parseline: <> <abcdefghijklmnopqrstuvwxyz.u> <d0\n"
                "t.s,1: process: unrecognized mnemonic - abcdefghijklmnopqrstuvwxyz\n")},
        {" nop;comment", clean("Parseline: <> <nop.u> <;comment\n")},
        {"x:\vnop", clean("Parseline: <x> <.u> <\vnop\n")},
        {"y\tRTS", clean("Parseline: <y> <rts.u> <\n")},
        {".loc: nop", clean("Parseline: <.loc> <nop.u> <\n")},
        {"1$ nop", clean("Parseline: <1$> <nop.u> <\n")},
        {"Z:", clean("Parseline: <Z> <.u> <\n")},
        {"  ;only", "Assembly successful.\n"},
        {" dc.b 1,\\\n 2", clean("Parseline: <> <dc.b> <1, 2\n")},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(assemble(c.line + "\n", {"-x1", "-c5407"}).out, c.out) << c.line;
}

// Labels are defined under the length the parser found, local ones joined to
// the last global label (of any length) first.
TEST(LineParser, LabelsAreDefinedUnderTheirWholeName) {
    struct Case {
        std::string source;
        std::string out, words;
    };
    const std::string ok = "Assembly successful.\n";
    const Case cases[] = {
        {"Glob: nop\n.l nop\n1$ nop\n dc.l .l,1$,Glob\n", ok, "4e71 4e71 4e71 0000 0002 0000 0004 0000 0000"},
        {L89 + ": nop\n.x nop\n dc.l .x\n", ok, "4e71 4e71 0000 0002"},
        {"Abc nop\nAbcdef nop\n.x nop\nAbc2 nop\n.x nop\n dc.l .x\n bra.s .x\n", ok,
         "4e71 4e71 4e71 4e71 4e71 0000 0008 60f8"},
        {L89 + ": nop\n.xyz nop\n dc.l .xyz\n", ok, "4e71 4e71 0000 0002"},
    };
    for (const Case& c : cases) {
        RunResult r = assemble(c.source);
        EXPECT_EQ(r.out, c.out) << c.source;
        if (!c.words.empty()) {
            EXPECT_EQ(hex_words(r.bytes), c.words) << c.source;
        }
    }
}

// Words and longs are stored several bytes at a time while they fit the pending
// record; at every offset into a record they must come out as the same bytes,
// records, listing and object file as the single bytes they stand for.
TEST(Emission, WordsAndLongsAcrossRecordEdges) {
    for (int pad = 0; pad < 8; ++pad) {
        // Code and data sections keep their bytes apart in object output.
        const std::string section = pad % 2 ? " section data\n" : "";
        std::string as_units = section, as_bytes = section;
        for (int i = 0; i < pad; ++i) {
            as_units += " dc.b $7" + std::to_string(i) + "\n";
            as_bytes += " dc.b $7" + std::to_string(i) + "\n";
        }
        for (int i = 0; i < 20; ++i) {
            as_units += " dc.w $1122\n dc.l $33445566\n nop\n";
            as_bytes += " dc.b $11,$22\n dc.b $33,$44,$55,$66\n dc.b $4e,$71\n";
        }
        for (const char* mode : {"-c5407", "-o", "-b"}) {
            RunResult units = assemble(as_units, {mode});
            RunResult bytes = assemble(as_bytes, {mode});
            EXPECT_EQ(units.exit_code, 0) << units.out;
            EXPECT_EQ(units.bytes, bytes.bytes) << "pad " << pad << " " << mode;
        }
        // The listing shows each line's own bytes.
        RunResult listed = assemble(as_units, {"-l"});
        EXPECT_NE(listed.out.find("1122            dc.w $1122"), std::string::npos) << listed.out;
        EXPECT_NE(listed.out.find("3344 5566       dc.l $33445566"), std::string::npos) << listed.out;
    }
}

} // namespace
} // namespace tobra::test
