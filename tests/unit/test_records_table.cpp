// Walks the mnemonic table: every directive variant, with every size suffix it
// accepts, must match its line and reach an action, both in an assembled and
// in a skipped block. The dispatcher's last resort "Error in Mnemonic table"
// must never be reached from the table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "driver/assembler.h"
#include "isa/mnemonics.h"
#include "test_util.h"

namespace tobra::test {
namespace {

bool is_directive(int handler) {
    if (handler < 100) return false;
    switch (handler) {
    case 133: case 139: case 160: case 161: case 178: return false;  // mov3q, rts, MAC moves, ISA_A+
    default: break;
    }
    if (handler >= 143 && handler <= 155) return false;  // integer instructions
    if (handler >= 165 && handler <= 172) return false;  // floating point
    return true;
}

// Operand text that the variant's signature accepts; directives that read the
// text themselves get names that need no other line.
std::string operands_for(const MnemonicEntry& m, const Variant& v) {
    std::string text;
    for (int i = 0; i < 5 && v.signature[i] != 0; ++i) {
        if (i > 0) text += ',';
        switch (v.signature[i]) {
        case CLS_EXPR: text += "4"; break;
        case CLS_STRING: text += "\"ab\""; break;
        case CLS_EXPR_LIST: text += "1,2"; break;
        default: ADD_FAILURE() << m.name << ": directive with operand class " << int(v.signature[i]); break;
        }
    }
    if (v.signature[0] != 0) return text;
    const std::string name = m.name;
    if (name == "bitdef") return "P,n,1";
    if (name == "struct") return "x,4";
    if (name == "call") return "Open";
    if (name == "callres" || name == "callusr") return "Open,Base";
    if (name == "cpu") return "5206";
    if (name == "section" || name == "sect") return "data";
    // A named block start needs its end further down; a nameless one does not.
    if (name == "classtagbegin" || name == "classtagconcat") return "";
    return "x";
}

const char SUFFIXES[] = {'u', 'b', 'w', 'l', 's', 'd'};
const uint32_t SUFFIX_MASKS[] = {SZ_U, SZ_B, SZ_W, SZ_L, SZ_S, SZ_D};

TEST(MnemonicTableWalk, EveryDirectiveVariantReachesAnAction) {
    const std::string prelude = "Base equ 4\n lvoreset\n lvo Open\n";
    std::set<int> handlers;
    int lines = 0;
    for (const MnemonicEntry& m : mnemonic_table) {
        for (int k = 0; k < m.variant_count; ++k) {
            const Variant& v = m.variants[k];
            if (!is_directive(v.handler())) continue;
            handlers.insert(v.handler());
            for (int s = 0; s < 6; ++s) {
                if (!(v.size_mask & SUFFIX_MASKS[s])) continue;
                std::string line = std::string("lab ") + m.name;
                if (SUFFIXES[s] != 'u') line += std::string(".") + SUFFIXES[s];
                line += " " + operands_for(m, v) + "\n";
                for (bool skipped : {false, true}) {
                    std::string source = prelude + (skipped ? " ifne 0\n" + line + " endc\n" : line);
                    RunResult r = assemble(source);
                    ++lines;
                    SCOPED_TRACE((skipped ? "skipped: " : "assembled: ") + line);
                    EXPECT_EQ(r.out.find("Error in Mnemonic table"), std::string::npos) << r.out;
                    EXPECT_EQ(r.out.find("process: bad size or wrong operand(s)"), std::string::npos) << r.out;
                    EXPECT_EQ(r.out.find("unrecognized mnemonic"), std::string::npos) << r.out;
                }
            }
        }
    }
    // Every directive handler of the table was walked.
    std::set<int> expected;
    for (int h = 100; h <= 177; ++h)
        if (is_directive(h) && h != 105 && h != 106) expected.insert(h);
    for (int h = 200; h <= 207; ++h) expected.insert(h);  // ifc, macros, repeat blocks, set, dcb
    for (int h : {226, 227}) expected.insert(h);          // even, cnop
    EXPECT_EQ(handlers, expected);
    EXPECT_GT(lines, 150);
}

// A label on a directive line names the location counter, except on equ,
// which gives it the operand's value ("ab" is $6162, and .s reads 4 as a
// single-precision number).
TEST(MnemonicTableWalk, LabelsOnDirectiveLines) {
    const std::string prelude = "Base equ 4\n lvoreset\n lvo Open\n";
    int lines = 0;
    for (const MnemonicEntry& m : mnemonic_table) {
        for (int k = 0; k < m.variant_count; ++k) {
            const Variant& v = m.variants[k];
            if (!is_directive(v.handler())) continue;
            // The label field of a macro line names the macro, not a place.
            if (std::string_view(m.name) == "macro") continue;
            for (int s = 0; s < 6; ++s) {
                if (!(v.size_mask & SUFFIX_MASKS[s])) continue;
                std::string line = std::string("lab ") + m.name;
                if (SUFFIXES[s] != 'u') line += std::string(".") + SUFFIXES[s];
                line += " " + operands_for(m, v) + "\n";
                Assembler as(nullptr);
                as.write_files = false;
                as.memory_files["t.s"] = prelude + line;
                const char* argv[] = {"tobra", "-b", "t.s"};
                as.run(3, argv);
                SCOPED_TRACE(line);
                const SymbolRecord* lab = as.sym.probe("lab");
                ASSERT_NE(lab, nullptr) << as.con.captured();
                const std::string name = m.name;
                int32_t want = 0;
                if (name == "equ" || name == "set" || name == "=") want = v.signature[0] == CLS_STRING ? 0x6162 : SUFFIXES[s] == 's' ? 0x40800000 : 4;
                EXPECT_EQ(lab->value, want);
                ++lines;
            }
        }
    }
    EXPECT_GT(lines, 80);
}

} // namespace
} // namespace tobra::test
