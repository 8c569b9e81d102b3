// Whole lines through the scanner, the mnemonic table and the integer
// encoders: source text in; words, messages and lengths out. The words were
// checked against the GNU assembler; a comment marks a line it spells or
// encodes differently.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "test_length.h"
#include "test_util.h"

using tobra::test::assemble;
using tobra::test::assemble_and_place;
using tobra::test::hex_words;

namespace {

std::vector<std::string> options(const char* core, bool listing = false) {
    std::vector<std::string> args{"-b"};
    if (listing) args.push_back("-l");
    if (core[0]) args.push_back(std::string("-c") + core);
    return args;
}

struct Line {
    const char* core;    // -c option, "" for the default 5206
    const char* source;  // one or more lines
    const char* words;
};

// The label after the lines makes pass 2 report a phasing error if pass 1
// measured them differently.
void check_words(const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        auto r = assemble(std::string(l.source) + "\nafter:\n", options(l.core));
        EXPECT_EQ(r.out, "Assembly successful.\n") << l.source;
        EXPECT_EQ(hex_words(r.bytes), l.words) << l.source;
    }
}

struct Refusal {
    const char* core;
    const char* source;   // the faulty line first
    const char* message;  // after "t.s,1: "
    int length;           // bytes pass 1 gave the line: 0 when it was refused
};

// Errors found in pass 1 end the run there; a label after the line shows the
// length it was given.
void check_refused(const std::vector<Refusal>& rows) {
    for (const Refusal& r : rows) {
        auto p = assemble_and_place(std::string(r.source) + "\nafter:\n", "after", options(r.core));
        EXPECT_EQ(p.out, std::string("t.s,1: ") + r.message + "\n1 error(s) found\n") << r.source;
        EXPECT_EQ(p.address, r.length) << r.source;
    }
}

struct Verdict {
    const char* core;
    const char* source;   // the judged line first
    const char* words;    // listed for the first line
    const char* message;  // after "t.s,1: ", nullptr for none
};

bool is_listing_line(const std::string& line) {
    return line.size() > 9 && line[8] == ' ' &&
           std::all_of(line.begin(), line.begin() + 8, [](char c) { return c == ' ' || std::isxdigit(c); });
}

// Values judged in pass 2 keep their words, so that later addresses stay
// where they are. An error keeps the output file from being written, so the
// words are read from the listing.
void check_verdicts(const std::vector<Verdict>& rows) {
    const std::string banner = std::string(tobra::BANNER) + tobra::MAKER_NOTICE + "\n";
    for (const Verdict& v : rows) {
        auto r = assemble(std::string(v.source) + "\nafter:\n", options(v.core, true));
        ASSERT_EQ(r.out.substr(0, banner.size()), banner) << v.source;
        std::istringstream out(r.out.substr(banner.size()));
        std::string line, words, messages;
        int entries = 0;  // listed lines with an address; their continuations leave it blank
        while (std::getline(out, line)) {
            if (!is_listing_line(line)) {
                messages += line + "\n";
                continue;
            }
            if (line[0] != ' ') ++entries;
            std::string bytes = line.substr(9, 15);
            bytes.erase(bytes.find_last_not_of(' ') + 1);
            if (entries == 1 && !bytes.empty()) words += (words.empty() ? "" : " ") + bytes;
        }
        const bool error = v.message && std::string(v.message).rfind("warning", 0) != 0;
        std::string want = v.message ? std::string("t.s,1: ") + v.message + "\n" : "";
        want += error ? "1 error(s) found\n" : "Assembly successful.\n";
        EXPECT_EQ(words, v.words) << v.source;
        EXPECT_EQ(messages, want) << v.source;
        EXPECT_EQ(r.exit_code, error ? 1 : 0) << v.source;
    }
}

constexpr const char* NOT_ON_CORE = "core: instruction not allowed on this processor.";
constexpr const char* NOT_ON_CORE_A_PLUS = "code: instruction not allowed on this processor.";
constexpr const char* NO_INDEX = "index: mode not supported by this instruction";
constexpr const char* SCALE_8 = "index: scale 8 not supported on this processor.";
constexpr const char* NO_FORM = "process: bad size or wrong operand(s)";
constexpr const char* MODE = "move: mode not supported";
constexpr const char* BYTE_AN = "ea: byte size not allowed on address register";
constexpr const char* LONG_ONLY = "cmp: size must be long";
constexpr const char* DISPLACEMENT = "index: index value out of range";

}  // namespace

TEST(EncodeSource, Moves) {
    check_words({
        {"", " move.l d0,(a0)\n move.b (a0)+,-(a1)\n move.w a0,d1\n movea.w (a0),a2", "2080 1318 3208 3450"},
        // An unsized move is a word move (GNU: move.w).
        {"", " move #1,d0\n move.l #$12345678,(a0)\n moveq #-1,d3", "303c 0001 20bc 1234 5678 76ff"},
        {"", " move.l 4(a0),8(a1)\n move.l -(a1),8(a2)", "2368 0004 0008 2561 0008"},
        {"", " move.l (4,a0,d0.l),d1\n move.l (4,a0,d1.l*4),d2", "2230 0804 2430 1c04"},
        {"", " move.l $1234.w,d0\n move.l $12345678,d0", "2038 1234 2039 1234 5678"},
        // Combinations that ISA_B still allows (GNU shortens $1234 to a word
        // address unless written $1234.l).
        {"5407", " move.l (4,a0,d0.l),(a1)\n move.l $1234,-(a1)\n move.l d0,$1234\n move.l next(pc),8(a1)\nnext:",
         "22b0 0804 2339 0000 1234 23c0 0000 1234 237a 0004 0008"},
        {"5407", " move.b #1,8(a0)", "117c 0001 0008"},
        {"", " move.w d0,ccr\n move #4,ccr\n move #$2700,sr\n move.w #1,sr\n move.w sr,d1",
         "44c0 44fc 0004 46fc 2700 46fc 0001 40c1"},
        {"5485", " move.l usp,a0\n move.l a1,usp", "4e68 4e61"},
        {"", " movec d0,vbr\n movec a1,cacr", "4e7b 0801 4e7b 9002"},
        {"5407", " mov3q #1,d0\n mov3q #-1,4(a1)", "a340 a169 0004"},
        // An unsized mvs is a word (GNU: mvs.w).
        {"5407", " mvs (a0),d1\n mvz.b #5,d1\n mvz.w #$1234,d1", "7350 73bc 0005 73fc 1234"},
        {"", " movem.l d0-d1/a0,(a7)\n movem.l 8(a0),d0/a6\n movem.l d0/a6,8(a0)\n movem.l d0/a7,(a0)",
         "48d7 0103 4ce8 4001 0008 48e8 4001 0008 48d0 8001"},
        {"", " movem.l (a7),d0-d7/a0-a6\n movem.l (a0),d3", "4cd7 7fff 4cd0 0008"},
        // GNU has no push and pull: compared with move.l to -(sp), lea and movem.
        {"", " push d0\n push a5\n push d0-d1/a0", "2f00 2f0d 4fef fff4 48d7 0103"},
        {"", " pull d0-d1/a0\n pull d3\n pull a2", "4cd7 0103 4fef 000c 261f 245f"},
    });
}

TEST(EncodeSource, ArithmeticAndLogic) {
    check_words({
        // An unsized add is long, so #5 goes quick.
        {"", " add.l (a0),d2\n add.l d2,(a0)+\n add.l #100,d0\n add #5,d1", "d490 d598 0680 0000 0064 5a81"},
        {"", " adda.l #1000,a3\n addx.l d0,d1\n addq.l #8,d0\n addq.l #3,(a1)", "d7fc 0000 03e8 d380 5080 5691"},
        // GNU picks andi for and #1,d0 (0280 0000 0001); its disassembler reads
        // c0bc 0000 0001 as andl #1,%d0.
        {"", " and #1,d0\n or.l (a1),d3\n eor.l d0,(a0)", "c0bc 0000 0001 8691 b190"},
        {"", " andi.l #1,d0\n ori #$10,d0", "0280 0000 0001 0080 0000 0010"},
        {"", " asl.l d0,d1\n lsr.l #8,d7", "e1a1 e08f"},
        // The long multiply repeats the register in the low field of its second
        // word, which GNU leaves 0 (4c00 1800); its disassembler reads both alike.
        {"", " mulu.w #5,d1\n muls.l d0,d1\n mulu.l (a0),d1\n muls.l 8(a2),d7",
         "c2fc 0005 4c00 1801 4c10 1001 4c2a 7807 0008"},
        {"5206e", " divu.w #5,d1\n divs.l d0,d1\n divs.l (a0),d3", "82fc 0005 4c40 1801 4c50 3803"},
        {"5206e", " rems.l d0,d1:d2\n remu.l 4(a0),d3:d4", "4c40 2801 4c68 4003 0004"},
        // An unsized clr is long (GNU: clr.l).
        {"", " ext.w d0\n clr -(a1)\n tst.b #5\n tst.w a0", "4880 42a1 4a3c 0005 4a48"},
        {"5407", " sats.l d0", "4c80"},
    });
}

TEST(EncodeSource, CompareAndBits) {
    check_words({
        // An unsized compare is long. GNU picks cmpi for cmp #5,d1 (0c81 0000 0005);
        // its disassembler reads b2bc 0000 0005 as cmpl #5,%d1.
        {"", " cmp #5,d1\n cmpa.l a0,a1\n cmpi.l #5,d0", "b2bc 0000 0005 b3c8 0c80 0000 0005"},
        // GNU knows no word cmpa on ColdFire; its 68000 disassembler reads
        // b2c0 and b2fc 0005 as cmpaw.
        {"5407", " cmp.w d0,d1\n cmp.b (a0),d1\n cmpi.w #5,d0\n cmpa.w d0,a1\n cmpa.w #5,a1",
         "b240 b210 0c40 0005 b2c0 b2fc 0005"},
        // The unsized mode makes an unsized compare a word, where ISA_B has one
        // (GNU: cmp.w reads b27c 0005, cmpi.w 0c41 0005).
        {"5407", " cmp #5,d1\n opt unsizemode\n cmp #5,d1\n cmpi #5,d1", "b2bc 0000 0005 b27c 0005 0c41 0005"},
        {"", " opt unsizemode\n cmpi #5,d1", "0c81 0000 0005"},
        {"", " btst.b d2,4(a2)\n btst d0,#5\n bset d1,(a0)", "052a 0004 013c 0005 03d0"},
        {"", " bset #7,(a0)\n btst #1,4(a1)", "08d0 0007 0829 0001 0004"},
    });
}

TEST(EncodeSource, ControlAndSystem) {
    check_words({
        {"", " jmp (a0)\n jsr 8(a1)\n st d0\n rts", "4ed0 4ea9 0008 50c0 4e75"},
        {"", " link a6,#-8\n unlk a6\n trap #15\n stop #$2700", "4e56 fff8 4e5e 4e4f 4e72 2700"},
        {"", " opt rtxnop\n rts\n rte", "4e75 4e71 4e73 4e71"},
        // GNU spells tpf #5 as tpf.w #5.
        {"", " tpf #5\n tpf.l #$12345678\n tpf", "51fa 0005 51fb 1234 5678 51fc"},
        {"", " pulse\n wddata.l (a0)\n wddata.l -(a1)\n wdebug.l (a0)", "4acc fb90 fba1 fbd0 0003"},
        // GNU has no cpushl (An): compared with cpushl bc,(a2).
        {"", " cpushl (a2)\n cpushl dc,(a0)\n cpushl bc,(a2)", "f4ea f468 f4ea"},
        // GNU writes intouch a0.
        {"5407", " tas.b 4(a0)\n intouch (a0)", "4ae8 0004 f428"},
        {"5282", " bitrev d0\n strldsr #$2700", "00c0 40e7 46fc 2700"},
    });
}

TEST(EncodeSource, EffectiveAddresses) {
    check_words({
        {"", " lea (4,a0,d1.l*4),a1\n lea (-2,a0,a1.l*2),a1\n lea (127,a7,d7.l),a1\n lea (-128,a2,a3.l),a1",
         "43f0 1c04 43f0 9afe 43f7 787f 43f2 b880"},
        // A core with an FPU has the scale 8.
        {"5475", " move.l (4,a0,d0.l*8),d1", "2230 0e04"},
        // PC-relative distances count from the first extension word.
        {"", "back: lea fwd(pc),a0\n jmp (back,pc,d0.l)\n jmp (fwd,pc,d0.l)\n move.l fwd(pc),8(a1)\nfwd: nop",
         "41fa 0010 4efb 08fa 4efb 0808 237a 0004 0008 4e71"},
        // Displacements defined later keep their only forms.
        {"",
         " lea count(a5),a1\n lea (idx,a0,d0.l),a1\n move.l count(a5),d0\n move.l (idx,a0,d0.l),d1\n"
         "count equ 12\nidx equ -4",
         "43ed 000c 43f0 08fc 202d 000c 2230 08fc"},
        {"", " move.l table(a5),d0\n section basebss\n ds.b 8\ntable: ds.l 1", "202d 0008"},
    });
}

TEST(EncodeSource, QuickAndShortForms) {
    check_words({
        {"", " move.l #127,d1\n move.l #-128,d1\n move.l #128,d1\n move.l #5,(a1)",
         "727f 7280 223c 0000 0080 22bc 0000 0005"},
        {"", " opt optimise=nomoveq\n move.l #1,d0", "203c 0000 0001"},
        // Values not known in pass 1, or relocatable, keep the long form.
        {"", " move.l #later,d1\n addi.l #later,d2\n add.l #later,d2\n sub.l #later,a0\nlater equ 4",
         "223c 0000 0004 0682 0000 0004 0682 0000 0004 91fc 0000 0004"},
        {"", " nop\n nop\nlabel: add.l #label,d2", "4e71 4e71 0682 0000 0004"},
        {"", " subi #8,d2\n addi.l #8,d2\n subi.l #9,d2", "5182 5082 0482 0000 0009"},
        {"", " opt optimise=nosubq\n subi.l #8,d2\n addi.l #8,d2", "0482 0000 0008 5082"},
        {"", " opt optimise=noaddq\n addi.l #8,d2\n add.l #1,d0\n sub.l #4,a0\n subi.l #8,d2",
         "0682 0000 0008 0680 0000 0001 91fc 0000 0004 5182"},
        // Only sub.l goes quick on an address register; suba and adda never do.
        {"", " sub.l #2,(a0)+\n sub.l #4,a0\n suba #4,a0\n adda.l #4,a0", "5598 5988 91fc 0000 0004 d1fc 0000 0004"},
        // GNU spells the short forms lea $1234.w,a1 and suba.l a3,a3.
        {"", " lea $1234,a1\n lea -2,a1\n lea 0,a3\n lea $8000,a1", "43f8 1234 43f8 fffe 97cb 43f9 0000 8000"},
        {"", " opt optimise=nolea\n lea $1234,a1", "43f9 0000 1234"},
    });
}

TEST(EncodeSource, MissingFeaturesRefuseTheInstruction) {
    check_refused({
        {"", " mov3q #1,d0", NOT_ON_CORE, 0},
        {"", " mvs.w d0,d1", NOT_ON_CORE, 0},
        {"", " mvz.b d0,d1", NOT_ON_CORE, 0},
        {"", " sats d0", NOT_ON_CORE, 0},
        {"", " tas.b (a0)", NOT_ON_CORE, 0},
        {"", " intouch (a0)", NOT_ON_CORE, 0},
        {"", " divs.w d0,d1", NOT_ON_CORE, 0},
        {"", " divu.l d0,d1", NOT_ON_CORE, 0},
        {"", " rems.l d0,d1:d2", NOT_ON_CORE, 0},
        {"5407", " bitrev d0", NOT_ON_CORE_A_PLUS, 0},
        {"", " strldsr #$2700", NOT_ON_CORE_A_PLUS, 0},
        {"", " move.l usp,a0", "core: usp not available on this processor.", 0},
        {"", " move.l (4,a0,d0.l*8),d1", SCALE_8, 0},
        {"5407", " lea (a0,d0.l*8),a1", SCALE_8, 0},
    });
}

TEST(EncodeSource, UndefinedFormsAreRefused) {
    // Each on a core that has the instruction.
    check_refused({
        {"", " btst #1,(4,a0,d0.l)", NO_INDEX, 0},
        {"", " muls.l (4,a0,d0.l),d1", NO_INDEX, 0},
        {"5206e", " divs.l (4,a0,d0.l),d1", NO_INDEX, 0},
        {"5206e", " remu.l (4,a0,d0.l),d1:d2", NO_INDEX, 0},
        {"", " movem.l d0-d1,(4,a0,d0.l)", NO_INDEX, 0},
        {"", " movem.l (4,a0,d0.l),d0-d1", NO_INDEX, 0},
        {"", " wdebug.l (4,a0,d0.l)", NO_INDEX, 0},
        {"5475", " fsave (4,a0,d0.l)", "float: mode not supported\n", 0},
        {"5475", " frestore (pc,d0.l)", "float: mode not supported\n", 0},
        {"", " bset #1,(pc,d0.l)", NO_FORM, 0},
        {"", " move.w (a0),ccr", NO_FORM, 0},
        {"", " move.w (a0),sr", MODE, 0},
        {"", " move.w sr,(a0)", MODE, 0},
        {"", " move.b a0,d0", BYTE_AN, 0},
        {"", " tst.b a0", BYTE_AN, 0},
        {"5485", " move.l vbr,a0", MODE, 0},
        {"5485", " move.l a0,cacr", MODE, 0},
        {"", " add.l #10,(a0)", "add: this mode is not supported\n", 0},
        {"", " sub.l #10,4(a0)", "sub: this mode is not supported\n", 0},
        // A word index, a displacement beyond 16 bits and an index without a
        // base have no ColdFire form.
        {"", " lea (127,a7,d7.w),a1", "scan: illegal size for index", 4},
        {"", " jmp 70000(a0)", DISPLACEMENT, 2},
        {"", " lea later(a1.l),a2\nlater equ 0", DISPLACEMENT, 2},
    });
}

TEST(EncodeSource, RestrictedFormsKeepTheirLength) {
    check_refused({
        {"", " move.b #1,8(a0)", MODE, 6},
        {"", " move.w #1,8(a0)", MODE, 6},
        {"", " cmp.b d0,d1", LONG_ONLY, 2},
        {"", " cmpi.w #1,d1", LONG_ONLY, 4},
        {"", " cmpa.w d0,a1", LONG_ONLY, 2},
        {"5407", " move.l #1,8(a0)", MODE, 8},
        {"5407", " move.w #1,(4,a0,d0.l)", MODE, 6},
        {"5407", " move.w #1,$1234.w", MODE, 6},
        {"5407", " move.l 4(a0),(4,a1,d0.l)", MODE, 6},
        {"5407", " move.l 4(a0),$1234", MODE, 8},
        {"5407", " move.l (4,a0,d0.l),8(a1)", MODE, 6},
        {"5407", " move.l $1234.w,$5678.w", MODE, 6},
        {"5407", " move.l (pc,d0.l),8(a1)", MODE, 6},
    });
}

TEST(EncodeSource, ValuesJudgedInPass2) {
    // A field that cannot hold the value is an error; one that holds the bits
    // written, read with another sign, is a warning. The words match GNU's for
    // the value cut to the field; GNU judges some lines otherwise (it takes
    // btst #32,d0 and jmp -2.w silently, and refuses moveq #200,d0).
    check_verdicts({
        {"", " trap #16", "4e40", "16 value not in range: [0,15]"},
        {"", " moveq #200,d0", "70c8", "warning --- 200 value not in range: [-128,127]"},
        {"", " moveq #300,d0", "702c", "300 value not in range: [-128,255]"},
        {"", " moveq #-129,d0", "707f", "-129 value not in range: [-128,255]"},
        {"", " addq.l #9,d0", "5280", "9 value not in range: [1,8]"},
        {"", " subq.l #0,d1", "5181", "0 value not in range: [1,8]"},
        {"", " lsl.l #0,d0", "e188", "0 value not in range: [1,8]"},
        {"", " btst #32,d0", "0800 0000", "32 value not in range: [0,31]"},
        {"", " stop #$10000", "4e72 0000", "65536 value not in range: [-32768,65535]"},
        {"", " tpf.w #$12345", "51fa 2345", "74565 value not in range: [-32768,65535]"},
        {"", " tpf.w #-1", "51fa ffff", "warning --- -1 value not in range: [0,65535]"},
        // 0 would load -1.
        {"5407", " mov3q #0,d0", "a140", "0 value not in range: -1 or [1,7]"},
        {"5407", " mov3q #8,d0", "a140", "8 value not in range: -1 or [1,7]"},
        // A short address is sign-extended: -2.w is $FFFFFFFE as written, $8000.w is not $8000.
        {"", " jmp -2.w", "4ef8 fffe", nullptr},
        {"", " jmp $8000.w", "4ef8 8000",
         "warning --- abs: short address $8000 is sign-extended to $FFFF8000; write .l to reach $8000"},
        {"", " jmp $12345.w", "4ef8 2345", "74565 value not in range: [-32768,65535]"},
        {"", " jmp far(a0)\nfar equ 40000", "4ee8 9c40", "40000 value not in range: [-32768,32767]"},
        {"", " lea far(a5),a1\nfar equ 40000", "43ed 9c40", "40000 value not in range: [-32768,32767]"},
        {"", " link a6,#$12345", "4e56 2345", "74565 value not in range: [-32768,65535]"},
        {"", " link a6,#$fff8", "4e56 fff8", "warning --- 65528 value not in range: [-32768,32767]"},
        {"", " move.w #$12345,d0", "303c 2345", "74565 value not in range: [-32768,65535]"},
        {"", " move.w #$ffff,d0", "303c ffff", nullptr},
        // The byte's extension word keeps the value's low 16 bits.
        {"", " move.b #300,d0", "103c 012c", "300 value not in range: [-128,255]"},
        {"", " move.b #-1,d0", "103c ffff", nullptr},
        // A long is never judged.
        {"", " move.l #$87654321,d0", "203c 8765 4321", nullptr},
        {"", " jmp (far,pc,d1.l)\n ds.b $1fc\nfar: nop", "4efb 18fe", "510 value not in range: [-128,127]"},
        {"", " move.l table(a5),d0\n section data\n ds.b 8\ntable: dc.l 0", "202d 0008",
         "index: offset must be in basedata or basebss section"},
        {"", " lea table(pc),a0\n section data\n ds.b $20\ntable: dc.l 0", "41fa 001e",
         "pcindex: symbol reference not in same section"},
    });
}

// No table row lets a size other than .b, .w or .l reach a handler that puts
// the size in bits 7-6, so no source line can reach this guard.
TEST(EncodeGuards, ASizeOutsideByteWordLongIsFatal) {
    tobra::Assembler as{nullptr};
    EXPECT_THROW(as.enc.size76(tobra::SZ_S), tobra::FatalError);
    EXPECT_NE(as.con.captured().find("Bad size in size76"), std::string::npos);
}
