// Effective-address fields and extension words: brief index words, PC-relative
// distances, and the symbol checks that only pass 2 can make.
#include <gtest/gtest.h>

#include "test_encode_rig.h"

using namespace tobra;
using namespace tobra::test;

TEST(EncodeEa, BriefIndexWords) {
    struct Row {
        const char* line;
        Operand src;
        const char* words;  // lea <src>,a1
    };
    const Row rows[] = {
        {"lea (4,a0,d1.l*4),a1", index(4, 0, 1, false, true, 2), "43f0 1c04"},
        {"lea (-2,a0,a1.l*2),a1", index(-2, 0, 1, true, true, 1), "43f0 9afe"},
        {"lea (127,a7,d7.w),a1 (word index)", index(127, 7, 7, false, false, 0), "43f7 707f"},
        {"lea (-128,a2,a3.l),a1", index(-128, 2, 3, true), "43f2 b880"},
    };
    for (const Row& r : rows) {
        EncodeRig rig;
        EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, r.src, an(1)), r.words) << r.line;
        EXPECT_EQ(rig.messages(), "") << r.line;
    }
}

TEST(EncodeEa, PcRelativeCountsFromTheExtensionWord) {
    EncodeRig rig;
    rig.as.drv.location_counter = 0x100;
    // lea label(pc),a0 with label at 0x108: 0x108 - 0x102.
    EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, pcrel(0x108), an(0)), "41fa 0006");
    // A backward target, and the brief form with an index: jmp (label,pc,d0.l)
    // at 0x104 aimed at 0x100 gives 0x100 - 0x106.
    EXPECT_EQ(rig.run(18, 0x4EC0, 0, SZ_U, pcrel(0x100, 2, 0)), "4efb 08fa");
    // The distance of the second operand counts from its own word.
    EXPECT_EQ(rig.run(44, 0x2000, 0, SZ_L, pcrel(0x120), disp(8, 1)), "237a 0016 0008");
    EXPECT_EQ(rig.messages(), "");
}

TEST(EncodeEa, BriefPcDistanceOutOfReachWarns) {
    EncodeRig rig;
    EXPECT_EQ(rig.run(18, 0x4EC0, 0, SZ_U, pcrel(0x200, 2, 1)), "4efb 18fe");
    EXPECT_EQ(rig.messages(), "t.s,1: warning --- 510 value not in range: [-128,127]\n");
}

TEST(EncodeEa, DisplacementThatDoesNotFitIsAnError) {
    // ext_form 3: no 16-bit form exists for it, and no word is emitted.
    Operand far = disp(70000, 0);
    far.ext_form = 3;
    EncodeRig rig(1);
    EXPECT_EQ(rig.run(18, 0x4EC0, 0, SZ_U, far), "+2");
    EXPECT_EQ(rig.messages(), "t.s,1: index: index value out of range\n");
}

TEST(EncodeEa, ForwardDisplacementsKeepTheirOnlyForm) {
    // The scanner marks a displacement that names a later symbol as not
    // fitting; d16(An) and the brief index word are still the only forms.
    struct Row {
        const char* line;
        Operand src;
        const char* words;  // lea <src>,a1
        const char* warning;
    };
    Operand later = disp(12, 5);
    later.ext_form = 3;
    later.fwd = 1;
    Operand too_far = later;
    too_far.value = 40000;
    Operand later_index = index(-4, 0, 0);
    later_index.ext_form = 3;
    later_index.fwd = 1;
    const Row rows[] = {
        {"lea count(a5),a1 (count equ 12, later)", later, "43ed 000c", nullptr},
        {"lea far(a5),a1 (far equ 40000, later)", too_far, "43ed 9c40", "40000 value not in range: [-32768,32767]"},
        {"lea (idx,a0,d0.l),a1 (idx equ -4, later)", later_index, "43f0 08fc", nullptr},
    };
    for (const Row& r : rows) {
        EncodeRig rig;
        EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, r.src, an(1)), r.words) << r.line;
        std::string want = r.warning ? std::string("t.s,1: warning --- ") + r.warning + "\n" : "";
        EXPECT_EQ(rig.messages(), want) << r.line;
    }
    // An index without a base register has no ColdFire form at all.
    Operand no_base = index(0, 0, 1);
    no_base.ext_form = 3;
    no_base.no_base = 1;
    no_base.fwd = 1;
    EncodeRig rig(1);
    EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, no_base, an(1)), "+2");
    EXPECT_EQ(rig.messages(), "t.s,1: index: index value out of range\n");
}

namespace {

// An operand whose expression referenced sym through line slot 0.
Operand with_symbol(Operand op, EncodeRig& rig, SymbolRecord& sym) {
    rig.as.ev.line_symbols[0] = &sym;
    op.reloc_kind = sym.kind;
    op.sym_slot = 0;
    op.is_abs = 0;
    op.sym_section = sym.section;
    return op;
}

} // namespace

TEST(EncodeEa, BaseRelativeDisplacementMustBeInABaseSection) {
    SymbolRecord data_label;
    data_label.name = "table";
    data_label.kind = KIND_RELOCATABLE;
    data_label.section = SEC_DATA;
    EncodeRig rig;
    EXPECT_EQ(rig.run(44, 0x2000, 0, SZ_L, with_symbol(disp(8, 5), rig, data_label), dn(0)), "202d 0008");
    EXPECT_EQ(rig.messages(), "t.s,1: index: offset must be in basedata or basebss section\n");

    SymbolRecord base_label = data_label;
    base_label.section = SEC_BASEBSS;
    EXPECT_EQ(rig.run(44, 0x2000, 0, SZ_L, with_symbol(disp(8, 5), rig, base_label), dn(0)), "202d 0008");
    EXPECT_EQ(rig.messages(), "");
}

TEST(EncodeEa, PcRelativeTargetMustBeInTheSameSection) {
    SymbolRecord data_label;
    data_label.name = "table";
    data_label.kind = KIND_RELOCATABLE;
    data_label.section = SEC_DATA;
    data_label.value = 0x20;
    EncodeRig rig;
    Operand op = with_symbol(pcrel(0x20), rig, data_label);
    EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, op, an(0)), "41fa 001e");
    EXPECT_EQ(rig.messages(), "t.s,1: pcindex: symbol reference not in same section\n\n");

    data_label.section = SEC_CODE;
    op = with_symbol(pcrel(0x20), rig, data_label);
    EXPECT_EQ(rig.run(5, 0x41C0, 0, SZ_L, op, an(0)), "41fa 001a");
    EXPECT_EQ(rig.messages(), "");
}

TEST(EncodeEa, FieldsOfTheHelpers) {
    EncodeRig rig;
    Encoder& e = rig.as.enc;
    EXPECT_EQ(e.register_nibble(dn(3)), 0x3000u);
    EXPECT_EQ(e.register_nibble(an(3)), 0xB000u);
    EXPECT_EQ(e.getrlist(an(7)), 0x8000u);
    Operand fp = reg_class(CLS_FPN);
    fp.reg = 0;
    EXPECT_EQ(e.getrlist(fp), 0x80u);
    EXPECT_EQ(e.modreg(pcrel(0, 2)), 0x3Bu);
    EXPECT_EQ(e.modreg(abs_addr(0, 2)), 0x38u);
    EXPECT_EQ(e.modreg(abs_addr(0, 4)), 0x39u);
    e.op_size = SZ_S;
    EXPECT_THROW(e.size76(), FatalError);
    EXPECT_EQ(rig.messages(), "t.s,1: Bad size in size76\n");
}

TEST(EncodeEa, RegisterFormsTakeNoExtension) {
    // Settled without the general switch: the mode field from the low three
    // bits of the register, and no word.
    struct Row {
        Operand op;
        uint32_t mode;
    };
    const Row rows[] = {
        {dn(5), 0x05}, {an(13), 0x0D}, {ind(2), 0x12}, {postinc(11), 0x1B}, {predec(7), 0x27},
    };
    EncodeRig rig;
    Encoder& e = rig.as.enc;
    for (const Row& r : rows) {
        const int32_t before = rig.as.drv.location_counter;
        e.ea_extension(r.op);
        EXPECT_EQ(rig.as.drv.location_counter, before) << int(r.op.cls);
        EXPECT_EQ(e.modreg(r.op), r.mode) << int(r.op.cls);
    }
    EXPECT_EQ(rig.messages(), "");
}
