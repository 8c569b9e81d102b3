// The processor cores and the selection of the current one.
#include "encode/cores.h"

#include <initializer_list>

#include "driver/assembler.h"
#include "encode/messages.h"
#include "isa/registers.h"

namespace tobra {

namespace {

constexpr uint32_t regs(std::initializer_list<ControlRegister> list) {
    uint32_t bits = 0;
    for (ControlRegister r : list) bits |= cr_bit(r);
    return bits;
}

// The control registers of each kind of part, as its reference manual lists
// them for movec and as the GNU assembler takes them for that part. The bare
// name rambar is no bit: it names RAMBAR1 where the part has only that, RAMBAR0
// where it has only that, and is ambiguous where it has both. OTHER_A7 goes
// with a user stack pointer (checked below); the GNU assembler has no movec
// name for it.
constexpr uint32_t CACHE = regs({CR_CACR, CR_ACR0, CR_ACR1});
constexpr uint32_t CACHE4 = CACHE | regs({CR_ACR2, CR_ACR3});
// V1: the vector base (and CPUCR, which has no name here).
constexpr uint32_t CTRL_V1 = regs({CR_VBR, CR_OTHER_A7});
// The early V2 parts and the 5102: the register set common to the first ColdFire cores.
constexpr uint32_t CTRL_GENERIC = CACHE4 | regs({CR_ASID, CR_VBR, CR_ROMBAR, CR_RAMBAR0, CR_RAMBAR1, CR_MBAR});
// 5206, 5206e, 5307: one SRAM base at 0xC04 and the module base.
constexpr uint32_t CTRL_5206 = CACHE | regs({CR_VBR, CR_RAMBAR0, CR_MBAR});
// 5272: as the 5206, with a ROM base.
constexpr uint32_t CTRL_5272 = CTRL_5206 | regs({CR_ROMBAR});
// 5249, 5250, 5253: two SRAM bases and two module bases. The 5250 is a 5249
// with more peripherals; the GNU assembler takes only vbr for it.
constexpr uint32_t CTRL_5249 = CACHE | regs({CR_VBR, CR_RAMBAR0, CR_RAMBAR1, CR_MBAR, CR_MBAR2});
// 5207/5208, 5227x, 523x, 527x, 5301x, 532x, 537x: cache, one SRAM base at 0xC05.
constexpr uint32_t CTRL_CACHE_RAM1 = CACHE | regs({CR_VBR, CR_RAMBAR1, CR_OTHER_A7});
// 5210a, 5211a: cache, ROM, one SRAM base at 0xC05, module base.
constexpr uint32_t CTRL_5210A = CACHE | regs({CR_VBR, CR_ROMBAR, CR_RAMBAR1, CR_MBAR, CR_OTHER_A7});
// 5211-5213, 5221x, 5222x, 5223x, 5225x: no cache; flash at 0xC04, SRAM at 0xC05.
constexpr uint32_t CTRL_FLASH = regs({CR_VBR, CR_FLASHBAR, CR_RAMBAR1, CR_OTHER_A7});
// 5214, 5216: the same with a cache.
constexpr uint32_t CTRL_FLASH_CACHE = CACHE | CTRL_FLASH;
// 5224, 5225: with a cache and a module base.
constexpr uint32_t CTRL_5224 = CTRL_FLASH_CACHE | regs({CR_MBAR});
// 5280-5282: flash and SRAM with a cache; these rows have no user stack pointer.
constexpr uint32_t CTRL_528X = CACHE | regs({CR_VBR, CR_FLASHBAR, CR_RAMBAR1});
// 5407: four access controls, two SRAM bases, the module base.
constexpr uint32_t CTRL_5407 = CACHE4 | regs({CR_ASID, CR_VBR, CR_RAMBAR0, CR_RAMBAR1, CR_MBAR});
// 547x, 548x: the 5407's with the MMU base and the user stack pointer.
constexpr uint32_t CTRL_548X = CTRL_5407 | regs({CR_MMUBAR, CR_OTHER_A7});
// 5420: the V4e registers and those of no other part here (MPCR, EDRAMBAR,
// MBAR2/SECMBAR, the PCR groups); the GNU assembler does not know the part.
constexpr uint32_t CTRL_5420 = CTRL_548X | regs({CR_MPCR, CR_EDRAMBAR, CR_MBAR2, CR_PCR});
// 5441x, 5445x: MMU, one SRAM base at 0xC05, no module base register.
constexpr uint32_t CTRL_5445X = CACHE4 | regs({CR_ASID, CR_MMUBAR, CR_VBR, CR_RAMBAR1, CR_OTHER_A7});
// any: every name.
constexpr uint32_t CTRL_ALL = cr_bit(CR_RAMBAR) - 1;

// The instruction sets and units the rows below are made of (isa/features.h).
// ISA_C has the ISA_B forms and the ISA_A+ instructions; the EMAC is a MAC
// unit with four accumulators.
constexpr uint16_t ISA_A = 0;
constexpr uint16_t ISA_A_PLUS = F_ISA_A_PLUS;
constexpr uint16_t ISA_B = F_ISA_B;
constexpr uint16_t ISA_C = F_ISA_B | F_ISA_A_PLUS;
constexpr uint16_t MAC = F_MAC;
constexpr uint16_t EMAC = F_MAC | F_EMAC;
constexpr uint16_t DIV = F_DIVIDE;
constexpr uint16_t USP = F_USP;
constexpr uint16_t FPU = F_FPU;

} // namespace

// Searched in order; the first row with this name, in any letter case, wins. The row
// without a name ends the table.
//
// number: the part's digits as hexadecimal, the first four of them, a family's
// trailing x as 0 and a letter dropped (5206e, 5210a). version: the core's
// version in the upper digit (V1 to V4), E for the enhanced core of that
// version (the V2 with divide and MAC or EMAC, the V4 with MMU and EMAC).
// features: the instruction set (ISA_A, ISA_A+, ISA_B or ISA_C) and the units
// the part has. A family name has the features of its parts.
constexpr CoreRow core_table[CORE_COUNT + 1] = {
    // name    number  vers  features                           control registers
    {"51",     0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51ac",   0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51ag",   0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51cn",   0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51em",   0x5100, 0x10, ISA_C | MAC | USP,                 CTRL_V1},
    {"51je",   0x5100, 0x10, ISA_C | MAC | USP,                 CTRL_V1},
    {"51jf",   0x5100, 0x10, ISA_C | EMAC | USP,                CTRL_V1},
    {"51jg",   0x5100, 0x10, ISA_C | EMAC | USP,                CTRL_V1},
    {"51jm",   0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51mm",   0x5100, 0x10, ISA_C | MAC | USP,                 CTRL_V1},
    {"51qe",   0x5100, 0x10, ISA_C | USP,                       CTRL_V1},
    {"51qm",   0x5100, 0x10, ISA_C | EMAC | USP,                CTRL_V1},
    {"5102",   0x5102, 0x10, ISA_A,                             CTRL_GENERIC},
    {"5200",   0x5200, 0x20, ISA_A,                             CTRL_GENERIC},
    {"5202",   0x5202, 0x20, ISA_A,                             CTRL_GENERIC},
    {"5204",   0x5204, 0x20, ISA_A,                             CTRL_GENERIC},
    {"5206",   0x5206, 0x20, ISA_A,                             CTRL_5206},
    {"5206e",  0x5206, 0x2E, ISA_A | MAC | DIV,                 CTRL_5206},
    {"5207",   0x5207, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5208",   0x5208, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5210a",  0x5210, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_5210A},
    {"5211a",  0x5211, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_5210A},
    {"5211",   0x5211, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"5212",   0x5212, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"5213",   0x5213, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"5214",   0x5214, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH_CACHE},
    {"5216",   0x5216, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH_CACHE},
    {"521x",   0x5210, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH_CACHE},
    {"5221x",  0x5221, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"52221",  0x5222, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"52223",  0x5222, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_FLASH},
    {"52230",  0x5223, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52233",  0x5223, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52234",  0x5223, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52235",  0x5223, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"5224",   0x5224, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_5224},
    {"5225",   0x5225, 0x2E, ISA_A_PLUS | MAC | DIV | USP,      CTRL_5224},
    {"52252",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52254",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52255",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52256",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52258",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52259",  0x5225, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_FLASH},
    {"52274",  0x5227, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"52277",  0x5227, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5232",   0x5232, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5233",   0x5233, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5234",   0x5234, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5235",   0x5235, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"523x",   0x5230, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5249",   0x5249, 0x2E, ISA_A | EMAC | DIV,                CTRL_5249},
    {"5250",   0x5250, 0x2E, ISA_A | EMAC | DIV,                CTRL_5249},
    {"5253",   0x5253, 0x2E, ISA_A | EMAC | DIV,                CTRL_5249},
    {"5270",   0x5270, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5271",   0x5271, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5272",   0x5272, 0x2E, ISA_A | MAC | DIV,                 CTRL_5272},
    {"5274",   0x5274, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5275",   0x5275, 0x2E, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5280",   0x5280, 0x2E, ISA_A_PLUS | EMAC | DIV,           CTRL_528X},
    {"5281",   0x5281, 0x2E, ISA_A_PLUS | EMAC | DIV,           CTRL_528X},
    {"5282",   0x5282, 0x2E, ISA_A_PLUS | EMAC | DIV,           CTRL_528X},
    {"528x",   0x5280, 0x2E, ISA_A_PLUS | EMAC | DIV,           CTRL_528X},
    {"53011",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53012",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53013",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53014",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53015",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53016",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"53017",  0x5301, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5307",   0x5307, 0x30, ISA_A | MAC | DIV,                 CTRL_5206},
    {"5327",   0x5327, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5328",   0x5328, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5329",   0x5329, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"532x",   0x5320, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5372",   0x5372, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5373",   0x5373, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"537x",   0x5370, 0x30, ISA_A_PLUS | EMAC | DIV | USP,     CTRL_CACHE_RAM1},
    {"5407",   0x5407, 0x40, ISA_B | MAC | DIV,                 CTRL_5407},
    {"5420",   0x5420, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_5420},
    {"54410",  0x5441, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54415",  0x5441, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54416",  0x5441, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54417",  0x5441, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54418",  0x5441, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54450",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54451",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54452",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54453",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54454",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"54455",  0x5445, 0x4E, ISA_C | EMAC | DIV | USP,          CTRL_5445X},
    {"5470",   0x5470, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5471",   0x5471, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5472",   0x5472, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5473",   0x5473, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5474",   0x5474, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5475",   0x5475, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"547x",   0x5470, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5480",   0x5480, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5481",   0x5481, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5482",   0x5482, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5483",   0x5483, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5484",   0x5484, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"5485",   0x5485, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"548x",   0x5480, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_548X},
    {"any",    0x5407, 0x4E, ISA_B | EMAC | DIV | USP | FPU,    CTRL_ALL},
    {nullptr,  0,      0,    0,                                 0},
};
static_assert(core_table[DEFAULT_CORE_ROW].core_number == 0x5206 && core_table[DEFAULT_CORE_ROW].core_version == 0x20,
              "a run starts on the 5206");

constexpr bool usp_matches_other_a7() {
    for (const CoreRow* row = core_table; row->name != nullptr; ++row)
        if (((row->features & F_USP) != 0) != ((row->control & cr_bit(CR_OTHER_A7)) != 0)) return false;
    return true;
}
static_assert(usp_matches_other_a7(), "a part with a user stack pointer reaches it by movec as OTHER_A7");

constexpr bool emac_is_a_mac() {
    for (const CoreRow* row = core_table; row->name != nullptr; ++row)
        if ((row->features & F_EMAC) && !(row->features & F_MAC)) return false;
    return true;
}
static_assert(emac_is_a_mac(), "an EMAC part runs the MAC instructions as well");

std::string core_names() {
    std::string names;
    for (const CoreRow* row = core_table; row->name != nullptr; ++row) {
        if (!names.empty()) names += ' ';
        names += row->name;
    }
    return names;
}

namespace {

// Part names in any letter case: 51CN, 5206E.
bool same_name(std::string_view written, const char* name) {
    size_t i = 0;
    for (; i < written.size() && name[i] != '\0'; ++i) {
        char c = written[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != name[i]) return false;
    }
    return i == written.size() && name[i] == '\0';
}

} // namespace

bool CoreState::select_core(std::string_view name) {
    for (const CoreRow* row = core_table; row->name != nullptr; ++row) {
        if (!same_name(name, row->name)) continue;
        apply(*row);
        return true;
    }
    as.report_error(msg::CPU_TYPE_NOT_VALID_OR_SUPPORTED);
    return false;
}

void CoreState::apply(const CoreRow& row) {
    current_ = &row;
    core_number = row.core_number;
    core_version = row.core_version;
    features = row.features;
    control = row.control;
}

void CoreState::directive_cpu(Statement& st) {
    select_core(as.dir.read_word_item(st.cursor).value_or(std::string_view{}));
}

} // namespace tobra
