// The 154 reserved register names and their dump.
#include "isa/registers.h"

#include "driver/assembler.h"
#include "isa/classes.h"

namespace tobra {

// Every register appears once with capitals and once in lower case, in this
// order; the dump walks the lower-case entries, so the order is observable.
// clang-format off
constexpr ReservedRegister reserved_registers[RESERVED_REGISTER_COUNT] = {
    // Control registers: the code movec puts in its register field.
    {"CACR", TYPE_CREG, 0x002}, {"cacr", TYPE_CREG, 0x002},
    {"ASID", TYPE_CREG, 0x003}, {"asid", TYPE_CREG, 0x003},
    {"ACR0", TYPE_CREG, 0x004}, {"acr0", TYPE_CREG, 0x004},
    {"ACR1", TYPE_CREG, 0x005}, {"acr1", TYPE_CREG, 0x005},
    {"ACR2", TYPE_CREG, 0x006}, {"acr2", TYPE_CREG, 0x006},
    {"ACR3", TYPE_CREG, 0x007}, {"acr3", TYPE_CREG, 0x007},
    {"MMUBAR", TYPE_CREG, 0x008}, {"mmubar", TYPE_CREG, 0x008},
    {"other_a7", TYPE_CREG, 0x800}, {"OTHER_A7", TYPE_CREG, 0x800},
    {"USP", TYPE_CREG, 0x800}, {"usp", TYPE_CREG, 0x800},
    {"VBR", TYPE_CREG, 0x801}, {"vbr", TYPE_CREG, 0x801},
    {"ROMBAR", TYPE_CREG, 0xC00}, {"rombar", TYPE_CREG, 0xC00},
    {"ROMBAR0", TYPE_CREG, 0xC00}, {"rombar0", TYPE_CREG, 0xC00},
    {"FLASHBAR", TYPE_CREG, 0xC04}, {"flashbar", TYPE_CREG, 0xC04},
    {"SRAMBAR", TYPE_CREG, 0xC04}, {"srambar", TYPE_CREG, 0xC04},
    {"RAMBAR", TYPE_CREG, 0xC04}, {"rambar", TYPE_CREG, 0xC04},
    {"RAMBAR0", TYPE_CREG, 0xC04}, {"rambar0", TYPE_CREG, 0xC04},
    {"RAMBAR1", TYPE_CREG, 0xC05}, {"rambar1", TYPE_CREG, 0xC05},
    {"MPCR", TYPE_CREG, 0xC0C}, {"mpcr", TYPE_CREG, 0xC0C},
    {"EDRAMBAR", TYPE_CREG, 0xC0D}, {"edrambar", TYPE_CREG, 0xC0D},
    {"SECMBAR", TYPE_CREG, 0xC0E}, {"secmbar", TYPE_CREG, 0xC0E},
    {"MBAR", TYPE_CREG, 0xC0F}, {"mbar", TYPE_CREG, 0xC0F},
    {"MBAR2", TYPE_CREG, 0xC0E}, {"mbar2", TYPE_CREG, 0xC0E},
    {"PCR1U0", TYPE_CREG, 0xD02}, {"pcr1u0", TYPE_CREG, 0xD02},
    {"PCR1L0", TYPE_CREG, 0xD03}, {"pcr1l0", TYPE_CREG, 0xD03},
    {"PCR2U0", TYPE_CREG, 0xD04}, {"pcr2u0", TYPE_CREG, 0xD04},
    {"PCR2L0", TYPE_CREG, 0xD05}, {"pcr2l0", TYPE_CREG, 0xD05},
    {"PCR3U0", TYPE_CREG, 0xD06}, {"pcr3u0", TYPE_CREG, 0xD06},
    {"PCR3L0", TYPE_CREG, 0xD07}, {"pcr3l0", TYPE_CREG, 0xD07},
    {"PCR1U1", TYPE_CREG, 0xD0A}, {"pcr1u1", TYPE_CREG, 0xD0A},
    {"PCR1L1", TYPE_CREG, 0xD0B}, {"pcr1l1", TYPE_CREG, 0xD0B},
    {"PCR2U1", TYPE_CREG, 0xD0C}, {"pcr2u1", TYPE_CREG, 0xD0C},
    {"PCR2L1", TYPE_CREG, 0xD0D}, {"pcr2l1", TYPE_CREG, 0xD0D},
    {"PCR3U1", TYPE_CREG, 0xD0E}, {"pcr3u1", TYPE_CREG, 0xD0E},
    {"PCR3L1", TYPE_CREG, 0xD0F}, {"pcr3l1", TYPE_CREG, 0xD0F},
    // Address registers.
    {"A0", TYPE_AREG, 0}, {"a0", TYPE_AREG, 0},
    {"A1", TYPE_AREG, 1}, {"a1", TYPE_AREG, 1},
    {"A2", TYPE_AREG, 2}, {"a2", TYPE_AREG, 2},
    {"A3", TYPE_AREG, 3}, {"a3", TYPE_AREG, 3},
    {"A4", TYPE_AREG, 4}, {"a4", TYPE_AREG, 4},
    {"A5", TYPE_AREG, 5}, {"a5", TYPE_AREG, 5},
    {"A6", TYPE_AREG, 6}, {"a6", TYPE_AREG, 6},
    {"A7", TYPE_AREG, 7}, {"SP", TYPE_AREG, 7},
    {"a7", TYPE_AREG, 7}, {"sp", TYPE_AREG, 7},
    // Data registers.
    {"D0", TYPE_DREG, 0}, {"d0", TYPE_DREG, 0},
    {"D1", TYPE_DREG, 1}, {"d1", TYPE_DREG, 1},
    {"D2", TYPE_DREG, 2}, {"d2", TYPE_DREG, 2},
    {"D3", TYPE_DREG, 3}, {"d3", TYPE_DREG, 3},
    {"D4", TYPE_DREG, 4}, {"d4", TYPE_DREG, 4},
    {"D5", TYPE_DREG, 5}, {"d5", TYPE_DREG, 5},
    {"D6", TYPE_DREG, 6}, {"d6", TYPE_DREG, 6},
    {"D7", TYPE_DREG, 7}, {"d7", TYPE_DREG, 7},
    // Floating-point data registers.
    {"FP0", TYPE_FPREG, 0}, {"fp0", TYPE_FPREG, 0},
    {"FP1", TYPE_FPREG, 1}, {"fp1", TYPE_FPREG, 1},
    {"FP2", TYPE_FPREG, 2}, {"fp2", TYPE_FPREG, 2},
    {"FP3", TYPE_FPREG, 3}, {"fp3", TYPE_FPREG, 3},
    {"FP4", TYPE_FPREG, 4}, {"fp4", TYPE_FPREG, 4},
    {"FP5", TYPE_FPREG, 5}, {"fp5", TYPE_FPREG, 5},
    {"FP6", TYPE_FPREG, 6}, {"fp6", TYPE_FPREG, 6},
    {"FP7", TYPE_FPREG, 7}, {"fp7", TYPE_FPREG, 7},
    // Floating-point control registers: their bit in a control-register list.
    {"FPIAR", TYPE_FPCREG, 1}, {"fpiar", TYPE_FPCREG, 1},
    {"FPSR", TYPE_FPCREG, 2}, {"fpsr", TYPE_FPCREG, 2},
    {"FPCR", TYPE_FPCREG, 4}, {"fpcr", TYPE_FPCREG, 4},
    // Status registers: the value is the operand class they scan to.
    {"CCR", TYPE_SREG, CLS_CCR}, {"ccr", TYPE_SREG, CLS_CCR},
    {"SR", TYPE_SREG, CLS_SR}, {"sr", TYPE_SREG, CLS_SR},
    {"PC", TYPE_PC, 0}, {"pc", TYPE_PC, 0},
    // MAC accumulators; 5 and 7 name the extension pairs.
    {"ACC", TYPE_ACCUM, 0}, {"acc", TYPE_ACCUM, 0},
    {"ACC0", TYPE_ACCUM, 0}, {"acc0", TYPE_ACCUM, 0},
    {"ACC1", TYPE_ACCUM, 1}, {"acc1", TYPE_ACCUM, 1},
    {"ACC2", TYPE_ACCUM, 2}, {"acc2", TYPE_ACCUM, 2},
    {"ACC3", TYPE_ACCUM, 3}, {"acc3", TYPE_ACCUM, 3},
    {"ACCext01", TYPE_ACCUM, 5}, {"accext01", TYPE_ACCUM, 5},
    {"ACCext23", TYPE_ACCUM, 7}, {"accext23", TYPE_ACCUM, 7},
    {"MASK", TYPE_SREG, CLS_MASK}, {"mask", TYPE_SREG, CLS_MASK},
    {"MACSR", TYPE_SREG, CLS_MACSR}, {"macsr", TYPE_SREG, CLS_MACSR},
    // Cache selectors of cpushl.
    {"DC", TYPE_CACHE, 1}, {"dc", TYPE_CACHE, 1},
    {"IC", TYPE_CACHE, 2}, {"ic", TYPE_CACHE, 2},
    {"BC", TYPE_CACHE, 3}, {"bc", TYPE_CACHE, 3},
};
// clang-format on

namespace {

struct ControlName {
    const char* name;
    ControlRegister reg;
};

// clang-format off
constexpr ControlName control_names[] = {
    {"cacr", CR_CACR}, {"asid", CR_ASID}, {"acr0", CR_ACR0}, {"acr1", CR_ACR1},
    {"acr2", CR_ACR2}, {"acr3", CR_ACR3}, {"mmubar", CR_MMUBAR}, {"other_a7", CR_OTHER_A7},
    {"usp", CR_OTHER_A7}, {"vbr", CR_VBR}, {"rombar", CR_ROMBAR}, {"rombar0", CR_ROMBAR},
    {"flashbar", CR_FLASHBAR}, {"srambar", CR_RAMBAR0}, {"rambar", CR_RAMBAR}, {"rambar0", CR_RAMBAR0},
    {"rambar1", CR_RAMBAR1}, {"mpcr", CR_MPCR}, {"edrambar", CR_EDRAMBAR}, {"secmbar", CR_MBAR2},
    {"mbar", CR_MBAR}, {"mbar2", CR_MBAR2}, {"pcr1u0", CR_PCR}, {"pcr1l0", CR_PCR},
    {"pcr2u0", CR_PCR}, {"pcr2l0", CR_PCR}, {"pcr3u0", CR_PCR}, {"pcr3l0", CR_PCR},
    {"pcr1u1", CR_PCR}, {"pcr1l1", CR_PCR}, {"pcr2u1", CR_PCR}, {"pcr2l1", CR_PCR},
    {"pcr3u1", CR_PCR}, {"pcr3l1", CR_PCR},
};
// clang-format on

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

ControlRegister control_register_of(std::string_view name) {
    for (const ControlName& n : control_names) {
        std::string_view want = n.name;
        if (want.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < want.size() && same; ++i) same = lower(name[i]) == want[i];
        if (same) return n.reg;
    }
    return CR_NONE;
}

// The trailing blanks line the dump's columns up and are part of the format.
constexpr const char* type_dump_names[16] = {
    "Symbol: ", "Status:  ", "Data:    ", "Address: ", "Control: ", "Float:  ",
    "Fcontrol:", "PCrel:   ", "ZPCrel:  ", "ZAddress:", "ZData:  ", "Pmmu:    ",
    "QString: ", "UserSym: ", "Cache:   ", "Accum:  ",
};

constexpr const char* type_trace_names[16] = {
    "SYM", "SREG", "Dn", "An", "Cn", "FPn", "FPCn", "PC",
    "ZPC", "ZAn", "ZDn", "Pn", "String", nullptr, nullptr, nullptr,
};

const char* type_trace_name(int type) {
    const char* n = (type >= 0 && type < 16) ? type_trace_names[type] : nullptr;
    return n ? n : "(null)";
}

void dump_reserved(Assembler& as) {
    Console& con = as.con;
    con.write("Reserved Register Names:");
    int previous = -1;
    for (const ReservedRegister& r : reserved_registers) {
        if (r.name[0] >= 'A' && r.name[0] <= 'Z') continue;
        int type = r.type & 0xFF;
        if (type != previous) {
            con.put('\n');
            con.write(type_dump_names[type & 15]);
            con.put('\t');
            previous = type;
        }
        con.write(r.name);
        con.put(' ');
    }
    con.write("\n\n");
}

} // namespace tobra
