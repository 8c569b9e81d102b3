// Instruction words of the integer formats, one row per source line. The
// words were checked against an independent assembler except where a row
// says otherwise.
#include <gtest/gtest.h>

#include "test_encode_rig.h"

using namespace tobra;
using namespace tobra::test;

namespace {

struct Form {
    const char* line;  // what the operands below stand for
    int handler;
    uint32_t opcode;
    uint32_t flags;
    uint32_t size;
    Operand a, b;
    const char* words;
};

void check(const std::vector<Form>& forms, bool isa_b) {
    for (const Form& f : forms) {
        EncodeRig rig;
        if (isa_b) rig.full_core();
        EXPECT_EQ(rig.run(f.handler, f.opcode, f.flags, f.size, f.a, f.b), f.words) << f.line;
        EXPECT_EQ(rig.messages(), "") << f.line;
    }
}

} // namespace

TEST(EncodeForms, DefaultCore) {
    check({
        {"move.l d0,(a0)", 44, 0x2000, 0, SZ_L, dn(0), ind(0), "2080"},
        {"move #1,d0 (a word move)", 44, 0x3000, 0, SZ_U, imm(1), dn(0), "303c 0001"},
        {"move.l #$12345678,(a0)", 44, 0x2000, 0, SZ_L, imm(0x12345678), ind(0), "20bc 1234 5678"},
        {"move.b (a0)+,-(a1)", 44, 0x1000, 0, SZ_B, postinc(0), predec(1), "1318"},
        {"move.l 4(a0),8(a1)", 44, 0x2000, 0, SZ_L, disp(4, 0), disp(8, 1), "2368 0004 0008"},
        {"move.l (4,a0,d0.l),d1", 44, 0x2000, 0, SZ_L, index(4, 0, 0), dn(1), "2230 0804"},
        {"move.l $1234.w,d0", 44, 0x2000, 0, SZ_L, abs_addr(0x1234, 2), dn(0), "2038 1234"},
        {"move.l $12345678,d0", 44, 0x2000, 0, SZ_L, abs_addr(0x12345678), dn(0), "2039 1234 5678"},
        {"move.w a0,d1", 44, 0x3000, 0, SZ_W, an(0), dn(1), "3208"},
        {"movea.w (a0),a2", 44, 0x3000, 0, SZ_W, ind(0), an(2), "3450"},
        {"moveq #-1,d3", 46, 0x7000, 0, SZ_U, imm(-1), dn(3), "76ff"},
        {"move.w d0,ccr", 18, 0x44C0, 0, SZ_W, dn(0), reg_class(CLS_CCR), "44c0"},
        {"move #4,ccr (word data)", 18, 0x44C0, 0, SZ_U, imm(4), reg_class(CLS_CCR), "44fc 0004"},
        {"move #$2700,sr", 18, 0x46C0, 0, SZ_U, imm(0x2700), reg_class(CLS_SR), "46fc 2700"},
        {"move.w sr,d1", 19, 0x40C0, 0, SZ_W, reg_class(CLS_SR), dn(1), "40c1"},
        {"move.l #5,macsr (long data)", 18, 0xA900, 0, SZ_L, imm(5), reg_class(CLS_MACSR), "a93c 0000 0005"},
        {"move.l a0,mask", 18, 0xAD00, 0, SZ_L, an(0), reg_class(CLS_MASK), "ad08"},
        {"move.l mask,d2", 19, 0xAD80, 0, SZ_L, reg_class(CLS_MASK), dn(2), "ad82"},
        {"movec d0,vbr", 45, 0x4E7B, 0, SZ_U, dn(0), ctl(0x801), "4e7b 0801"},
        {"add.l (a0),d2", 150, 0xD000, 0, SZ_L, ind(0), dn(2), "d490"},
        {"add.l d2,(a0)+", 8, 0xD100, 0, SZ_L, dn(2), postinc(0), "d598"},
        {"add.l #100,d0 (GNU: same words)", 150, 0xD000, 0, SZ_L, imm(100), dn(0), "0680 0000 0064"},
        {"add #5,d1 (unsized is long, quick)", 150, 0xD000, 0, SZ_U, imm(5), dn(1), "5a81"},
        {"adda.l #1000,a3", 5, 0xD1C0, 0, SZ_L, imm(1000), an(3), "d7fc 0000 03e8"},
        {"lea (4,a0,d1.l*4),a1", 5, 0x41C0, 0, SZ_L, index(4, 0, 1, false, true, 2), an(1), "43f0 1c04"},
        {"mulu.w #5,d1 (word data)", 5, 0xC0C0, 0, SZ_W, imm(5), dn(1), "c2fc 0005"},
        {"and #1,d0 (GNU picks andi: 0280 0000 0001)", 6, 0xC000, 0, SZ_U, imm(1), dn(0), "c0bc 0000 0001"},
        {"or.l (a1),d3", 6, 0x8000, 0, SZ_L, ind(1), dn(3), "8691"},
        {"eor.l d0,(a0)", 8, 0xB100, 0, SZ_L, dn(0), ind(0), "b190"},
        {"andi.l #1,d0", 9, 0x0200, 0, SZ_L, imm(1), dn(0), "0280 0000 0001"},
        {"ori #$10,d0", 9, 0x0000, 0, SZ_U, imm(0x10), dn(0), "0080 0000 0010"},
        {"addq.l #8,d0", 10, 0x5000, 0, SZ_L, imm(8), dn(0), "5080"},
        {"addq.l #3,(a1)", 10, 0x5000, 0, SZ_L, imm(3), ind(1), "5691"},
        {"addx.l d0,d1", 2, 0xD100, 0, SZ_L, dn(0), dn(1), "d380"},
        {"cmp #5,d1 (unsized is long)", 143, 0xB000, 0, SZ_U, imm(5), dn(1), "b2bc 0000 0005"},
        {"cmpa.l a0,a1", 144, 0xB1C0, 0, SZ_L, an(0), an(1), "b3c8"},
        {"cmpi.l #5,d0", 145, 0x0C00, 0, SZ_L, imm(5), dn(0), "0c80 0000 0005"},
        {"btst.b d2,4(a2)", 7, 0x0100, 0, SZ_B, dn(2), disp(4, 2), "052a 0004"},
        {"btst d0,#5 (byte data in a word)", 7, 0x0100, 0, SZ_U, dn(0), imm(5), "013c 0005"},
        {"bset #7,(a0)", 22, 0x08C0, 0, SZ_U, imm(7), ind(0), "08d0 0007"},
        {"btst #1,4(a1)", 22, 0x0800, 0, SZ_U, imm(1), disp(4, 1), "0829 0001 0004"},
        {"asl.l d0,d1", 16, 0xE120, 0, SZ_L, dn(0), dn(1), "e1a1"},
        {"lsr.l #8,d7", 17, 0xE008, 0, SZ_L, imm(8), dn(7), "e08f"},
        {"jmp (a0)", 18, 0x4EC0, 0, SZ_U, ind(0), {}, "4ed0"},
        {"jsr 8(a1)", 18, 0x4E80, 0, SZ_U, disp(8, 1), {}, "4ea9 0008"},
        {"st d0", 18, 0x50C0, 0, SZ_U, dn(0), {}, "50c0"},
        {"clr -(a1) (unsized is long)", 20, 0x4200, 0, SZ_U, predec(1), {}, "42a1"},
        {"tst.b #5", 20, 0x4A00, 0, SZ_B, imm(5), {}, "4a3c 0005"},
        {"wddata.l -(a1)", 20, 0xFB00, 0, SZ_L, predec(1), {}, "fba1"},
        {"wdebug.l (a0)", 53, 0xFBC0, 3, SZ_L, ind(0), {}, "fbd0 0003"},
        {"ext.w d0", 41, 0x4880, 0, SZ_W, dn(0), {}, "4880"},
        {"unlk a6", 41, 0x4E58, 0, SZ_U, an(6), {}, "4e5e"},
        {"cpushl (a2) (no GNU form)", 41, 0xF4E8, 0, SZ_U, ind(2), {}, "f4ea"},
        {"cpushl dc,(a0)", 155, 0xF428, 0, SZ_U, cache(1), ind(0), "f468"},
        {"cpushl bc,(a2)", 155, 0xF428, 0, SZ_U, cache(3), ind(2), "f4ea"},
        {"link a6,#-8", 43, 0x4E50, 0, SZ_U, an(6), imm(-8), "4e56 fff8"},
        {"stop #$2700", 12, 0x4E72, 0, SZ_U, imm(0x2700), {}, "4e72 2700"},
        {"trap #15", 15, 0x4E40, 0, SZ_U, imm(15), {}, "4e4f"},
        {"tpf #5 (word form)", 52, 0x51F8, 0, SZ_U, imm(5), {}, "51fa 0005"},
        {"tpf.l #$12345678", 52, 0x51F8, 0, SZ_L, imm(0x12345678), {}, "51fb 1234 5678"},
        {"movem.l d0/a6,8(a0)", 47, 0x48C0, 0, SZ_L, rlist(0x4001), disp(8, 0), "48e8 4001 0008"},
        {"movem.l (a7),d0-d7/a0-a6", 48, 0x4CC0, 0, SZ_L, ind(7), rlist(0x7FFF), "4cd7 7fff"},
        {"movem.l (a0),d3", 48, 0x4CC0, 0, SZ_L, ind(0), dn(3), "4cd0 0008"},
        {"rts", 139, 0x4E75, 0, SZ_U, {}, {}, "4e75"},
        {"pulse", 0, 0x4ACC, 0, SZ_U, {}, {}, "4acc"},
    }, false);
}

TEST(EncodeForms, DivideAndIsaBCores) {
    check({
        {"divu.w #5,d1", 153, 0x80C0, 0, SZ_W, imm(5), dn(1), "82fc 0005"},
        {"divs.l d0,d1", 154, 0x4C40, 0x800, SZ_L, dn(0), dn(1), "4c40 1801"},
        {"rems.l d0,d1:d2", 154, 0x4C40, 0x800, SZ_L, dn(0), pair(1, 2), "4c40 2801"},
        {"remu.l 4(a0),d3:d4", 154, 0x4C40, 0, SZ_L, disp(4, 0), pair(3, 4), "4c68 4003 0004"},
        {"cmp.w d0,d1", 143, 0xB000, 0, SZ_W, dn(0), dn(1), "b240"},
        {"cmp.b (a0),d1", 143, 0xB000, 0, SZ_B, ind(0), dn(1), "b210"},
        {"cmpi.w #5,d0", 145, 0x0C00, 0, SZ_W, imm(5), dn(0), "0c40 0005"},
        {"cmpa.w d0,a1 (GNU knows no word cmpa)", 144, 0xB0C0, 0, SZ_W, dn(0), an(1), "b2c0"},
        {"cmpa.w #5,a1 (word data)", 144, 0xB0C0, 0, SZ_W, imm(5), an(1), "b2fc 0005"},
        {"mov3q #1,d0", 133, 0xA140, 0, SZ_U, imm(1), dn(0), "a340"},
        {"mov3q #-1,4(a1)", 133, 0xA140, 0, SZ_U, imm(-1), disp(4, 1), "a169 0004"},
        {"mvs (a0),d1 (unsized is word)", 147, 0x7100, 0, SZ_U, ind(0), dn(1), "7350"},
        {"mvz.b #5,d1", 147, 0x7180, 0, SZ_B, imm(5), dn(1), "73bc 0005"},
        {"mvz.w #$1234,d1", 147, 0x7180, 0, SZ_W, imm(0x1234), dn(1), "73fc 1234"},
        {"sats.l d0", 149, 0x4C80, 0, SZ_L, dn(0), {}, "4c80"},
        {"tas.b 4(a0)", 149, 0x4AC0, 0, SZ_B, disp(4, 0), {}, "4ae8 0004"},
        {"intouch (a0) (no GNU form)", 146, 0xF428, 0, SZ_U, ind(0), {}, "f428"},
        {"move.b #1,8(a0)", 44, 0x1000, 0, SZ_B, imm(1), disp(8, 0), "117c 0001 0008"},
        {"move.l usp,a0", 42, 0x4E68, 0, SZ_L, ctl(0x800), an(0), "4e68"},
        {"move.l a1,usp", 42, 0x4E60, 0, SZ_L, an(1), ctl(0x800), "4e61"},
        {"move.l (4,a0,d0.l*8),d1", 44, 0x2000, 0, SZ_L, index(4, 0, 0, false, true, 3), dn(1), "2230 0e04"},
        {"bitrev d0", 178, 0x00C0, 0, SZ_U, dn(0), {}, "00c0"},
        {"strldsr #$2700", 178, 0x40E7, 0x46FC, SZ_U, imm(0x2700), {}, "40e7 46fc 2700"},
    }, true);
}

TEST(EncodeForms, MultiplyLongRepeatsTheRegister) {
    // GNU leaves the low register field of the second word 0 (4c00 1800); its
    // disassembler reads both the same.
    EncodeRig rig;
    EXPECT_EQ(rig.run(152, 0x4C00, 0x800, SZ_L, dn(0), dn(1)), "4c00 1801");
    EXPECT_EQ(rig.run(152, 0x4C00, 0, SZ_L, ind(0), dn(1)), "4c10 1001");
    EXPECT_EQ(rig.run(152, 0x4C00, 0x800, SZ_L, disp(8, 2), dn(7)), "4c2a 7807 0008");
}

TEST(EncodeForms, PushAndPull) {
    EncodeRig rig;
    EXPECT_EQ(rig.run(54, 0x48C0, 0, SZ_U, dn(0)), "2f00");
    EXPECT_EQ(rig.run(54, 0x48C0, 0, SZ_U, an(5)), "2f0d");
    EXPECT_EQ(rig.run(54, 0x48C0, 0, SZ_U, rlist(0x0103)), "4fef fff4 48d7 0103");
    EXPECT_EQ(rig.run(55, 0x4CC0, 0, SZ_U, rlist(0x0103)), "4cd7 0103 4fef 000c");
    EXPECT_EQ(rig.run(55, 0x4CC0, 0, SZ_U, dn(3)), "261f");
    EXPECT_EQ(rig.run(55, 0x4CC0, 0, SZ_U, an(2)), "245f");
}

TEST(EncodeForms, RtsNop) {
    EncodeRig rig;
    rig.as.drv.rts_nop = 1;
    EXPECT_EQ(rig.run(139, 0x4E75, 0, SZ_U), "4e75 4e71");
    EXPECT_EQ(rig.run(139, 0x4E73, 0, SZ_U), "4e73 4e71");
}
