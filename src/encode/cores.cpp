// The processor cores and the selection of the current one.
#include "encode/cores.h"

#include "driver/assembler.h"

namespace tobra {

// Searched in order; the first row with this exact name wins. The row of
// isa_level 0 ends the table.
//
// number: the part's digits as hexadecimal, the first four of them, a family's
// trailing x as 0 and a letter dropped (5206e, 5210a). version: the core's
// version in the upper digit (V1 to V4), E for the enhanced core of that
// version (the V2 with divide and MAC or EMAC, the V4 with MMU and EMAC).
// isa: 1 to 3 ISA_A cores by the version they came with, 4 ISA_B, 5 ISA_C
// (the ISA_B forms and the ISA_A+ instructions, so its rows set a+ as well).
// mac: 0 none, 1 MAC, 2 EMAC. A family name has the features of its parts.
constexpr CoreRow core_table[CORE_COUNT + 1] = {
    //  name     number  version isa mac div usp fpu a+
    {"51", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51ac", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51ag", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51cn", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51em", 0x5100, 0x10, 5, 1, 0, 1, 0, 1},
    {"51je", 0x5100, 0x10, 5, 1, 0, 1, 0, 1},
    {"51jf", 0x5100, 0x10, 5, 2, 0, 1, 0, 1},
    {"51jg", 0x5100, 0x10, 5, 2, 0, 1, 0, 1},
    {"51jm", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51mm", 0x5100, 0x10, 5, 1, 0, 1, 0, 1},
    {"51qe", 0x5100, 0x10, 5, 0, 0, 1, 0, 1},
    {"51qm", 0x5100, 0x10, 5, 2, 0, 1, 0, 1},
    {"5102", 0x5102, 0x10, 1, 0, 0, 0, 0, 0},
    {"5200", 0x5200, 0x20, 2, 0, 0, 0, 0, 0},
    {"5202", 0x5202, 0x20, 2, 0, 0, 0, 0, 0},
    {"5204", 0x5204, 0x20, 2, 0, 0, 0, 0, 0},
    {"5206", 0x5206, 0x20, 2, 0, 0, 0, 0, 0},
    {"5206e", 0x5206, 0x2E, 2, 1, 1, 0, 0, 0},
    {"5207", 0x5207, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5208", 0x5208, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5210a", 0x5210, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5211a", 0x5211, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5211", 0x5211, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5212", 0x5212, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5213", 0x5213, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5214", 0x5214, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5216", 0x5216, 0x2E, 2, 2, 1, 1, 0, 1},
    {"521x", 0x5210, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5221x", 0x5221, 0x2E, 2, 1, 1, 1, 0, 1},
    {"52221", 0x5222, 0x2E, 2, 1, 1, 1, 0, 1},
    {"52223", 0x5222, 0x2E, 2, 1, 1, 1, 0, 1},
    {"52230", 0x5223, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52233", 0x5223, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52234", 0x5223, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52235", 0x5223, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5224", 0x5224, 0x2E, 2, 1, 1, 1, 0, 1},
    {"5225", 0x5225, 0x2E, 2, 1, 1, 1, 0, 1},
    {"52252", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52254", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52255", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52256", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52258", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52259", 0x5225, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52274", 0x5227, 0x2E, 2, 2, 1, 1, 0, 1},
    {"52277", 0x5227, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5232", 0x5232, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5233", 0x5233, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5234", 0x5234, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5235", 0x5235, 0x2E, 2, 2, 1, 1, 0, 1},
    {"523x", 0x5230, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5249", 0x5249, 0x2E, 2, 2, 1, 0, 0, 0},
    {"5250", 0x5250, 0x2E, 2, 2, 1, 0, 0, 0},
    {"5253", 0x5253, 0x2E, 2, 2, 1, 0, 0, 0},
    {"5270", 0x5270, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5271", 0x5271, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5272", 0x5272, 0x2E, 2, 1, 1, 0, 0, 0},
    {"5274", 0x5274, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5275", 0x5275, 0x2E, 2, 2, 1, 1, 0, 1},
    {"5280", 0x5280, 0x2E, 2, 2, 1, 0, 0, 1},
    {"5281", 0x5281, 0x2E, 2, 2, 1, 0, 0, 1},
    {"5282", 0x5282, 0x2E, 2, 2, 1, 0, 0, 1},
    {"528x", 0x5280, 0x2E, 2, 2, 1, 0, 0, 1},
    {"53011", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53012", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53013", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53014", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53015", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53016", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"53017", 0x5301, 0x30, 3, 2, 1, 1, 0, 1},
    {"5307", 0x5307, 0x30, 3, 1, 1, 0, 0, 0},
    {"5327", 0x5327, 0x30, 3, 2, 1, 1, 0, 1},
    {"5328", 0x5328, 0x30, 3, 2, 1, 1, 0, 1},
    {"5329", 0x5329, 0x30, 3, 2, 1, 1, 0, 1},
    {"532x", 0x5320, 0x30, 3, 2, 1, 1, 0, 1},
    {"5372", 0x5372, 0x30, 3, 2, 1, 1, 0, 1},
    {"5373", 0x5373, 0x30, 3, 2, 1, 1, 0, 1},
    {"537x", 0x5370, 0x30, 3, 2, 1, 1, 0, 1},
    {"5407", 0x5407, 0x40, 4, 1, 1, 0, 0, 0},
    {"5420", 0x5420, 0x4E, 4, 2, 1, 1, 1, 0},
    {"54410", 0x5441, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54415", 0x5441, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54416", 0x5441, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54417", 0x5441, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54418", 0x5441, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54450", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54451", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54452", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54453", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54454", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"54455", 0x5445, 0x4E, 5, 2, 1, 1, 0, 1},
    {"5470", 0x5470, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5471", 0x5471, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5472", 0x5472, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5473", 0x5473, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5474", 0x5474, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5475", 0x5475, 0x4E, 4, 2, 1, 1, 1, 0},
    {"547x", 0x5470, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5480", 0x5480, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5481", 0x5481, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5482", 0x5482, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5483", 0x5483, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5484", 0x5484, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5485", 0x5485, 0x4E, 4, 2, 1, 1, 1, 0},
    {"548x", 0x5480, 0x4E, 4, 2, 1, 1, 1, 0},
    {"any", 0x5407, 0x4E, 4, 2, 1, 1, 1, 0},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0},
};
static_assert(core_table[DEFAULT_CORE_ROW].core_number == 0x5206 && core_table[DEFAULT_CORE_ROW].core_version == 0x20,
              "a run starts on the 5206");

std::string core_names() {
    std::string names;
    for (const CoreRow* row = core_table; row->isa_level != 0; ++row) {
        if (!names.empty()) names += ' ';
        names += row->name;
    }
    return names;
}

bool CoreState::select_core(std::string_view name) {
    for (const CoreRow* row = core_table; row->isa_level != 0; ++row) {
        if (name != row->name) continue;
        apply(*row);
        return true;
    }
    as.report_error("cpu: type not valid or supported");
    return false;
}

void CoreState::apply(const CoreRow& row) {
    current_ = &row;
    core_number = row.core_number;
    core_version = row.core_version;
    isa_level = row.isa_level;
    mac_level = row.mac_level;
    has_divide = row.has_divide;
    has_usp = row.has_usp;
    has_fpu = row.has_fpu;
    has_isa_a_plus = row.has_isa_a_plus;
}

void CoreState::directive_cpu() {
    select_core(as.dir.read_word_item().value_or(std::string_view{}));
}

} // namespace tobra
