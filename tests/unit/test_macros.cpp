// Macros, repeat blocks, set and dcb: each source beside the words it gives,
// or the messages it draws.
#include <gtest/gtest.h>

#include <string>

#include "test_util.h"

namespace tobra::test {
namespace {

struct Case {
    const char* what;
    std::string source;
    std::string words;  // the binary image, or the messages when the run fails
};

void run_cases(const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        RunResult r = assemble(c.source);
        if (r.exit_code == 0)
            EXPECT_EQ(hex_words(r.bytes), c.words) << r.out;
        else
            EXPECT_EQ(r.out, c.words);
    }
}

// The count, then the first two arguments that are not empty.
const std::string ARGS =
    "m macro\n dc.b narg\n ifnc '\\1',''\n dc.b \\1\n endc\n ifnc '\\2',''\n dc.b \\2\n endc\n endm\n";

TEST(Macros, ArgumentsSplitAndFill) {
    const Case cases[] = {
        {"no arguments: narg 0, \\1 empty", ARGS + " m\n", "00"},
        {"two", ARGS + " m 5,6\n", "0205 06"},
        {"<> keeps commas and drops the brackets", ARGS + " m <1,2>,3\n", "0201 0203"},
        {"quotes keep commas and blanks", "q macro\n dc.b \\1,narg\n endm\n q 'a, b'\n", "612c 2062 01"},
        {"parentheses keep commas", "l macro\n lea \\1,a1\n dc.b narg\n endm\n l 4(a0,d0.l)\n", "43f0 0804 01"},
        {"an empty argument in the middle counts", ARGS + " m 1,,3\n", "0301"},
        {"a trailing comment ends the arguments", ARGS + " m 1,2 ; 3,4\n", "0201 02"},
        {"\\0 is the size letter, empty without one",
         "m macro\n dc.b '\\0'\n endm\n m.w\n m.L\n m\n", "776c"},
        {"\\\\ is one backslash and \\x stays", "m macro\n dc.b '\\\\','\\x'\n endm\n m\n", "5c5c 78"},
        {"\\@ differs per call and is the same in both passes",
         "m macro\nl\\@ dc.w l\\@\n endm\n m\n m\n dc.w l_001,l_002\n", "0000 0002 0000 0002"},
        {"narg is the innermost call's; 0 again after",
         "in macro\n dc.b narg\n endm\nout macro\n in 1,2,3\n dc.b narg\n endm\n out 1\n dc.b narg\n",
         "0301 00"},
    };
    run_cases(cases, std::size(cases));
}

TEST(Macros, BlocksNestAndEnd) {
    const Case cases[] = {
        {"mexit ends the call and the blocks it opened",
         "m macro\n ifeq \\1\n dc.b 1\n mexit\n endc\n dc.b 2\n endm\n m 0\n m 1\n dc.b 3\n", "0102 03"},
        {"rept in a macro: \\@ per repetition, arguments per call",
         "m macro\n rept \\1\nl\\@ dc.b \\2\n endr\n endm\n m 2,9\n dc.b l_002,l_003\n", "0909 0001"},
        {"a macro in a rept", "m macro\n dc.b \\1\n endm\n rept 3\n m 4\n endr\n", "0404 04"},
        {"nested repeats", " rept 2\n rept 3\n dc.b 1\n endr\n dc.b 2\n endr\n", "0101 0102 0101 0102"},
        {"rept 0 assembles nothing, not even its definitions", " rept 0\nx dc.b 1\n endr\n ifnd x\n dc.b 2\n endc\n",
         "02"},
        {"a definition inside a skipped block is skipped whole, its endc included",
         " ifne 0\nm macro\n endc\n endm\n dc.b 1\n endc\n dc.b 2\n", "02"},
        {"ifc and ifnc nest inside skipped blocks",
         " ifne 0\n ifc a,a\n endc\n dc.b 1\n endc\n ifnc a,b\n dc.b 2\n endc\n", "02"},
        {"end inside an expansion ends the source", "m macro\n dc.b 1\n end\n dc.b 2\n endm\n m\n dc.b 3\n", "01"},
        {"an include inside a macro reads its file, then the body goes on",
         "m macro\n include \\1\n dc.b 2\n endm\n m inc.s\n", "0102"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunResult r = assemble(c.source, {"-b"}, {{"inc.s", " dc.b 1\n"}});
        EXPECT_EQ(hex_words(r.bytes), c.words) << r.out;
    }
}

TEST(Macros, SetAndDcb) {
    const Case cases[] = {
        {"set counts", "n set 1\nn set n+1\nn = n*3\n dc.b n\n", "06"},
        {"uses see the latest value", "n set 1\n dc.b n\nn set 2\n dc.b n\n", "0102"},
        {"a counter across a rept", "n set 0\n rept 4\nn set n+1\n dc.b n\n endr\n", "0102 0304"},
        {"dcb of every size", " dcb.b 2,$1ff\n dcb.w 2,-2\n dcb.l 1,7\n dcb 1,3\n dcb.w 1\n",
         "ffff fffe fffe 0000 0007 0003 0000"},
        {"set after equ is a redefinition", "x equ 1\nx set 2\n",
         "t.s,2: install: symbol redefined: x\n1 error(s) found\n"},
        {"equ after set is a redefinition", "x set 1\nx equ 2\n",
         "t.s,2: install: symbol redefined: x\n1 error(s) found\n"},
        {"a set name used before its first set is undefined, as in pass 1",
         " dc.b x\nx set 1\n", "t.s,1: lookup: undefined - x\n1 error(s) found\n"},
        {"set needs a value pass 1 knows", "x set y\ny equ 1\n",
         "t.s,1: set: 'x' - expression MUST evaluate, y is not defined above\n1 error(s) found\n"},
        {"dcb count must be known in pass 1", " dcb.b n,0\nn equ 2\n",
         "t.s,1: dcb: value must be defined before this line\n1 error(s) found\n"},
        {"negative counts", " dcb.w -1,0\n rept -1\n endr\n",
         "t.s,1: dcb: negative count\nt.s,2: rept: negative count\n2 error(s) found\n"},
        {"rept count must be known in pass 1", " rept n\n endr\nn equ 2\n",
         "t.s,1: rept: value must be defined before this line\n1 error(s) found\n"},
    };
    run_cases(cases, std::size(cases));
}

TEST(Macros, RunawayExpansionsStop) {
    // A doubling recursion stays under the depth limit far longer than anyone
    // waits; the line budget ends it.
    Assembler as(nullptr);
    as.write_files = false;
    as.mac.line_limit = 1000;
    as.memory_files["t.s"] = " rept 2000\n nop\n endr\n dc.b 1\n";
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 1);
    EXPECT_EQ(as.con.captured(), "t.s,1: rept #1001 line 1: expansion: too many lines\n1 error(s) found\n");
}

} // namespace
} // namespace tobra::test
