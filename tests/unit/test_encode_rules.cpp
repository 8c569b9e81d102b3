// What the integer encoders refuse, what they emit with an error, the range
// warnings and the size rewrites.
#include <gtest/gtest.h>

#include "test_encode_rig.h"

using namespace tobra;
using namespace tobra::test;

namespace {

struct Case {
    const char* line;
    int handler;
    uint32_t opcode;
    uint32_t flags;
    uint32_t size;
    Operand a, b;
    const char* pass1;    // bytes counted in pass 1
    const char* message;  // without the "t.s,1: " location
};

void check_pass1(const std::vector<Case>& cases, void (*core)(EncodeRig&)) {
    for (const Case& c : cases) {
        EncodeRig rig(1);
        if (core) core(rig);
        EXPECT_EQ(rig.run(c.handler, c.opcode, c.flags, c.size, c.a, c.b), c.pass1) << c.line;
        std::string want = c.message[0] ? std::string("t.s,1: ") + c.message + "\n" : "";
        EXPECT_EQ(rig.messages(), want) << c.line;
    }
}

void default_core(EncodeRig&) {}
void isa_b_core(EncodeRig& rig) { rig.isa_b(); }
void full_core(EncodeRig& rig) { rig.full_core(); }

constexpr const char* NOT_ON_CORE = "core: instruction not allowed on this processor.";
constexpr const char* NO_BRIEF = "index: mode not supported by this instruction";
constexpr const char* MODE = "move: mode not supported";
constexpr const char* BYTE_AN = "ea: byte size not allowed on address register";

} // namespace

TEST(EncodeRules, MissingFeaturesRefuseTheInstruction) {
    check_pass1({
        {"mov3q #1,d0", 133, 0xA140, 0, SZ_U, imm(1), dn(0), "+0", NOT_ON_CORE},
        {"mvs.w d0,d1", 147, 0x7100, 0, SZ_W, dn(0), dn(1), "+0", NOT_ON_CORE},
        {"mvz.b d0,d1", 147, 0x7180, 0, SZ_B, dn(0), dn(1), "+0", NOT_ON_CORE},
        {"sats d0", 149, 0x4C80, 0, SZ_U, dn(0), {}, "+0", NOT_ON_CORE},
        {"tas.b (a0)", 149, 0x4AC0, 0, SZ_B, ind(0), {}, "+0", NOT_ON_CORE},
        {"intouch (a0)", 146, 0xF428, 0, SZ_U, ind(0), {}, "+0", NOT_ON_CORE},
        {"divs.w d0,d1", 153, 0x81C0, 0, SZ_W, dn(0), dn(1), "+0", NOT_ON_CORE},
        {"divu.l d0,d1", 154, 0x4C40, 0, SZ_L, dn(0), dn(1), "+0", NOT_ON_CORE},
        {"rems.l d0,d1:d2", 154, 0x4C40, 0x800, SZ_L, dn(0), pair(1, 2), "+0", NOT_ON_CORE},
        {"bitrev d0", 178, 0x00C0, 0, SZ_U, dn(0), {}, "+0", "code: instruction not allowed on this processor."},
        {"strldsr #$2700", 178, 0x40E7, 0x46FC, SZ_U, imm(0x2700), {}, "+0",
         "code: instruction not allowed on this processor."},
        {"move.l usp,a0", 42, 0x4E68, 0, SZ_L, ctl(0x800), an(0), "+0", "core: usp not available on this processor."},
        {"move.l (4,a0,d0.l*8),d1", 44, 0x2000, 0, SZ_L, index(4, 0, 0, false, true, 3), dn(1), "+0",
         "index: scale 8 not supported on this processor."},
        {"lea (a0,d0.l*8),a1", 5, 0x41C0, 0, SZ_L, index(0, 0, 0, false, true, 3), an(1), "+0",
         "index: scale 8 not supported on this processor."},
    }, default_core);
}

TEST(EncodeRules, UndefinedEncodingsAreRefused) {
    check_pass1({
        {"btst #1,(4,a0,d0.l)", 22, 0x0800, 0, SZ_U, imm(1), index(4, 0, 0), "+0", NO_BRIEF},
        {"bset #1,(pc,d0.l)", 22, 0x08C0, 0, SZ_U, imm(1), pcrel(0, 2), "+0", NO_BRIEF},
        {"muls.l (4,a0,d0.l),d1", 152, 0x4C00, 0x800, SZ_L, index(4, 0, 0), dn(1), "+0", NO_BRIEF},
        {"divs.l (4,a0,d0.l),d1", 154, 0x4C40, 0x800, SZ_L, index(4, 0, 0), dn(1), "+0", NO_BRIEF},
        {"remu.l (4,a0,d0.l),d1:d2", 154, 0x4C40, 0, SZ_L, index(4, 0, 0), pair(1, 2), "+0", NO_BRIEF},
        {"movem.l d0-d1,(4,a0,d0.l)", 47, 0x48C0, 0, SZ_L, rlist(3), index(4, 0, 0), "+0", NO_BRIEF},
        {"movem.l (4,a0,d0.l),d0-d1", 48, 0x4CC0, 0, SZ_L, index(4, 0, 0), rlist(3), "+0", NO_BRIEF},
        {"wdebug.l (4,a0,d0.l)", 53, 0xFBC0, 3, SZ_L, index(4, 0, 0), {}, "+0", NO_BRIEF},
        {"fsave (4,a0,d0.l)", 18, 0xF300, 0, SZ_U, index(4, 0, 0), {}, "+0", "float: mode not supported\n"},
        {"frestore (pc,d0.l)", 18, 0xF340, 0, SZ_U, pcrel(0, 2), {}, "+0", "float: mode not supported\n"},
        {"move.w sr,(a0)", 19, 0x40C0, 0, SZ_W, reg_class(CLS_SR), ind(0), "+0", MODE},
        {"move.w (a0),sr", 18, 0x46C0, 0, SZ_W, ind(0), reg_class(CLS_SR), "+0", MODE},
        {"move.b a0,d0", 44, 0x1000, 0, SZ_B, an(0), dn(0), "+0", BYTE_AN},
        {"tst.b a0", 20, 0x4A00, 0, SZ_B, an(0), {}, "+0", BYTE_AN},
        {"move.l vbr,a0 (only usp moves)", 42, 0x4E68, 0, SZ_L, ctl(0x801), an(0), "+0", MODE},
        {"move.l a0,cacr", 42, 0x4E60, 0, SZ_L, an(0), ctl(0x002), "+0", MODE},
        {"add.l #10,(a0)", 150, 0xD000, 0, SZ_L, imm(10), ind(0), "+0", "add: this mode is not supported\n"},
        {"sub.l #10,4(a0)", 151, 0x9000, 0, SZ_L, imm(10), disp(4, 0), "+0", "sub: this mode is not supported\n"},
        // The same forms without an index are fine.
        {"btst #1,4(a0)", 22, 0x0800, 0, SZ_U, imm(1), disp(4, 0), "+6", ""},
        {"move.w (a0),ccr", 18, 0x44C0, 0, SZ_W, ind(0), reg_class(CLS_CCR), "+2", ""},
        {"move.w #1,sr", 18, 0x46C0, 0, SZ_W, imm(1), reg_class(CLS_SR), "+4", ""},
        {"tst.w a0", 20, 0x4A00, 0, SZ_W, an(0), {}, "+2", ""},
    }, full_core);
}

TEST(EncodeRules, RestrictedMovesAreStillEmitted) {
    check_pass1({
        {"move.b #1,8(a0)", 44, 0x1000, 0, SZ_B, imm(1), disp(8, 0), "+6", MODE},
        {"move.w #1,8(a0)", 44, 0x3000, 0, SZ_W, imm(1), disp(8, 0), "+6", MODE},
        {"cmp.b d0,d1", 143, 0xB000, 0, SZ_B, dn(0), dn(1), "+2", "cmp: size must be long"},
        {"cmpi.w #1,d1", 145, 0x0C00, 0, SZ_W, imm(1), dn(1), "+4", "cmp: size must be long"},
        {"cmpa.w d0,a1", 144, 0xB0C0, 0, SZ_W, dn(0), an(1), "+2", "cmp: size must be long"},
    }, default_core);
    check_pass1({
        {"move.l #1,8(a0)", 44, 0x2000, 0, SZ_L, imm(1), disp(8, 0), "+8", MODE},
        {"move.w #1,(4,a0,d0.l)", 44, 0x3000, 0, SZ_W, imm(1), index(4, 0, 0), "+6", MODE},
        {"move.w #1,$1234.w", 44, 0x3000, 0, SZ_W, imm(1), abs_addr(0x1234, 2), "+6", MODE},
        {"move.l 4(a0),(4,a1,d0.l)", 44, 0x2000, 0, SZ_L, disp(4, 0), index(4, 1, 0), "+6", MODE},
        {"move.l 4(a0),$1234", 44, 0x2000, 0, SZ_L, disp(4, 0), abs_addr(0x1234), "+8", MODE},
        {"move.l (4,a0,d0.l),8(a1)", 44, 0x2000, 0, SZ_L, index(4, 0, 0), disp(8, 1), "+6", MODE},
        {"move.l $1234.w,$5678.w", 44, 0x2000, 0, SZ_L, abs_addr(0x1234, 2), abs_addr(0x5678, 2), "+6", MODE},
        {"move.l (pc,d0.l),8(a1)", 44, 0x2000, 0, SZ_L, pcrel(0, 2), disp(8, 1), "+6", MODE},
        // Accepted combinations.
        {"move.l 4(pc),8(a1)", 44, 0x2000, 0, SZ_L, pcrel(4), disp(8, 1), "+6", ""},
        {"move.l (4,a0,d0.l),(a1)", 44, 0x2000, 0, SZ_L, index(4, 0, 0), ind(1), "+4", ""},
        {"move.l $1234,-(a1)", 44, 0x2000, 0, SZ_L, abs_addr(0x1234), predec(1), "+6", ""},
        {"move.l d0,$1234", 44, 0x2000, 0, SZ_L, dn(0), abs_addr(0x1234), "+6", ""},
    }, isa_b_core);
}

TEST(EncodeRules, ValuesOutOfRangeAreMaskedAndJudged) {
    // A field that cannot hold the value is an error; one that holds the
    // bits written, read with another sign, is a warning. Both emit the word.
    struct Row {
        const char* line;
        int handler;
        uint32_t opcode, flags, size;
        Operand a, b;
        const char* words;
        const char* message;  // after "t.s,1: "
    };
    const Row rows[] = {
        {"trap #16", 15, 0x4E40, 0, SZ_U, imm(16), {}, "4e40", "16 value not in range: [0,15]"},
        {"moveq #200,d0", 46, 0x7000, 0, SZ_U, imm(200), dn(0), "70c8", "warning --- 200 value not in range: [-128,127]"},
        {"moveq #300,d0", 46, 0x7000, 0, SZ_U, imm(300), dn(0), "702c", "300 value not in range: [-128,255]"},
        {"moveq #-129,d0", 46, 0x7000, 0, SZ_U, imm(-129), dn(0), "707f", "-129 value not in range: [-128,255]"},
        {"addq.l #9,d0", 10, 0x5000, 0, SZ_L, imm(9), dn(0), "5280", "9 value not in range: [1,8]"},
        {"subq.l #0,d1", 10, 0x5100, 0, SZ_L, imm(0), dn(1), "5181", "0 value not in range: [1,8]"},
        {"lsl.l #0,d0", 17, 0xE108, 0, SZ_L, imm(0), dn(0), "e188", "0 value not in range: [1,8]"},
        {"btst #32,d0", 22, 0x0800, 0, SZ_L, imm(32), dn(0), "0800 0000", "32 value not in range: [0,31]"},
        {"stop #$10000", 12, 0x4E72, 0, SZ_U, imm(0x10000), {}, "4e72 0000", "65536 value not in range: [-32768,65535]"},
        {"tpf.w #$12345", 52, 0x51F8, 0, SZ_W, imm(0x12345), {}, "51fa 2345", "74565 value not in range: [-32768,65535]"},
        {"tpf.w #-1", 52, 0x51F8, 0, SZ_W, imm(-1), {}, "51fa ffff", "warning --- -1 value not in range: [0,65535]"},
        {"mov3q #0,d0 (0 would load -1)", 133, 0xA140, 0, SZ_U, imm(0), dn(0), "a140", "0 value not in range: [-1,7]"},
        {"mov3q #8,d0", 133, 0xA140, 0, SZ_U, imm(8), dn(0), "a140", "8 value not in range: [-1,7]"},
        {"jmp -2.w", 18, 0x4EC0, 0, SZ_U, abs_addr(-2, 2), {}, "4ef8 fffe", "warning --- -2 value not in range: [0,65535]"},
        {"jmp $12345.w", 18, 0x4EC0, 0, SZ_U, abs_addr(0x12345, 2), {}, "4ef8 2345", "74565 value not in range: [-32768,65535]"},
        {"jmp 40000(a0)", 18, 0x4EC0, 0, SZ_U, disp(40000, 0), {}, "4ee8 9c40", "40000 value not in range: [-32768,32767]"},
        {"link a6,#$12345", 43, 0x4E50, 0, SZ_U, an(6), imm(0x12345), "4e56 2345", "74565 value not in range: [-32768,65535]"},
        {"link a6,#$fff8", 43, 0x4E50, 0, SZ_U, an(6), imm(0xFFF8), "4e56 fff8", "warning --- 65528 value not in range: [-32768,32767]"},
        {"move.w #$12345,d0", 44, 0x3000, 0, SZ_W, imm(0x12345), dn(0), "303c 2345", "74565 value not in range: [-32768,65535]"},
        {"move.w #$ffff,d0", 44, 0x3000, 0, SZ_W, imm(0xFFFF), dn(0), "303c ffff", nullptr},
        {"move.b #300,d0", 44, 0x1000, 0, SZ_B, imm(300), dn(0), "103c 012c", "300 value not in range: [-128,255]"},
        {"move.b #-1,d0", 44, 0x1000, 0, SZ_B, imm(-1), dn(0), "103c ffff", nullptr},
        {"move.l #$87654321,d0 (a long is never checked)", 44, 0x2000, 0, SZ_L, imm(int32_t(0x87654321)), dn(0),
         "203c 8765 4321", nullptr},
    };
    for (const Row& r : rows) {
        EncodeRig rig;
        rig.full_core();
        EXPECT_EQ(rig.run(r.handler, r.opcode, r.flags, r.size, r.a, r.b), r.words) << r.line;
        std::string want = r.message ? std::string("t.s,1: ") + r.message + "\n" : "";
        EXPECT_EQ(rig.messages(), want) << r.line;
    }
}

TEST(EncodeRules, WarningsWaitForPass2) {
    EncodeRig rig(1);
    EXPECT_EQ(rig.run(15, 0x4E40, 0, SZ_U, imm(16)), "+2");
    EXPECT_EQ(rig.messages(), "");
}

TEST(EncodeRules, UnsizedCompareFollowsTheUnsizedMode) {
    EncodeRig rig;
    rig.isa_b();
    EXPECT_EQ(rig.run(143, 0xB000, 0, SZ_U, imm(5), dn(1)), "b2bc 0000 0005");
    rig.as.drv.unsized_mode = 1;
    EXPECT_EQ(rig.run(143, 0xB000, 0, SZ_U, imm(5), dn(1)), "b27c 0005");
    EXPECT_EQ(rig.run(145, 0x0C00, 0, SZ_U, imm(5), dn(1)), "0c41 0005");
    // Below ISA_B there is no word compare to choose.
    EncodeRig old;
    old.as.drv.unsized_mode = 1;
    EXPECT_EQ(old.run(145, 0x0C00, 0, SZ_U, imm(5), dn(1)), "0c81 0000 0005");
    EXPECT_EQ(old.messages(), "");
}

TEST(EncodeRules, QuickAndShortRewrites) {
    struct Row {
        const char* line;
        int32_t optimise;  // optimise_flags in force
        int handler;
        uint32_t opcode, size;
        Operand a, b;
        const char* words;
    };
    Operand forward = imm(4);
    forward.fwd = 1;
    Operand relocatable = imm(4);
    relocatable.reloc_kind = KIND_RELOCATABLE;
    const int32_t all = -1;
    const Row rows[] = {
        {"move.l #127,d1", all, 44, 0x2000, SZ_L, imm(127), dn(1), "727f"},
        {"move.l #-128,d1", all, 44, 0x2000, SZ_L, imm(-128), dn(1), "7280"},
        {"move.l #128,d1", all, 44, 0x2000, SZ_L, imm(128), dn(1), "223c 0000 0080"},
        {"move.l #5,d1 with nomoveq", all & ~OPT_MOVEQ, 44, 0x2000, SZ_L, imm(5), dn(1), "223c 0000 0005"},
        {"move.l #5,(a1)", all, 44, 0x2000, SZ_L, imm(5), ind(1), "22bc 0000 0005"},
        {"move.l #later,d1 (forward)", all, 44, 0x2000, SZ_L, forward, dn(1), "223c 0000 0004"},
        {"addi.l #later,d2 (forward)", all, 9, 0x0600, SZ_L, forward, dn(2), "0682 0000 0004"},
        {"add.l #later,d2 (forward)", all, 150, 0xD000, SZ_L, forward, dn(2), "0682 0000 0004"},
        {"sub.l #later,a0 (forward)", all, 5, 0x91C0, SZ_L, forward, an(0), "91fc 0000 0004"},
        {"add.l #label,d2 (relocatable)", all, 150, 0xD000, SZ_L, relocatable, dn(2), "0682 0000 0004"},
        {"subi #8,d2", all, 9, 0x0400, SZ_U, imm(8), dn(2), "5182"},
        {"subi.l #8,d2 with nosubq", all & ~OPT_SUBQ, 9, 0x0400, SZ_L, imm(8), dn(2), "0482 0000 0008"},
        {"addi.l #8,d2 with noaddq", all & ~OPT_ADDQ, 9, 0x0600, SZ_L, imm(8), dn(2), "0682 0000 0008"},
        {"add.l #1,d0 with noaddq", all & ~OPT_ADDQ, 150, 0xD000, SZ_L, imm(1), dn(0), "0680 0000 0001"},
        {"sub.l #2,(a0)+", all, 151, 0x9000, SZ_L, imm(2), postinc(0), "5598"},
        {"sub.l #4,a0", all, 5, 0x91C0, SZ_L, imm(4), an(0), "5988"},
        {"sub.l #4,a0 with noaddq", all & ~OPT_ADDQ, 5, 0x91C0, SZ_L, imm(4), an(0), "91fc 0000 0004"},
        {"suba #4,a0 (only an explicit .l)", all, 5, 0x91C0, SZ_U, imm(4), an(0), "91fc 0000 0004"},
        {"adda.l #4,a0 (never quick)", all, 5, 0xD1C0, SZ_L, imm(4), an(0), "d1fc 0000 0004"},
        {"lea $1234,a1", all, 5, 0x41C0, SZ_U, abs_addr(0x1234), an(1), "43f8 1234"},
        {"lea -2,a1", all, 5, 0x41C0, SZ_U, abs_addr(-2), an(1), "43f8 fffe"},
        {"lea 0,a3", all, 5, 0x41C0, SZ_U, abs_addr(0), an(3), "97cb"},
        {"lea $8000,a1", all, 5, 0x41C0, SZ_U, abs_addr(0x8000), an(1), "43f9 0000 8000"},
        {"lea $1234,a1 with nolea", all & ~OPT_LEA, 5, 0x41C0, SZ_U, abs_addr(0x1234), an(1), "43f9 0000 1234"},
    };
    for (const Row& r : rows) {
        EncodeRig rig;
        rig.as.drv.optimise_flags = r.optimise;
        EXPECT_EQ(rig.run(r.handler, r.opcode, 0, r.size, r.a, r.b), r.words) << r.line;
        EXPECT_EQ(rig.messages(), "") << r.line;
    }
}
