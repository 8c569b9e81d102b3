// The processor cores and the selection of the current one.
#include "encode/cores.h"

#include "driver/assembler.h"

namespace tobra {

// Searched in order; the first row with this exact name wins. The row of
// isa_level 0 ends the table.
const CoreRow core_table[CORE_COUNT + 1] = {
    //  name     number  version isa mac div usp fpu a+
    {"5102", 0x5102, 0x10, 1, 0, 0, 0, 0, 0},
    {"5202", 0x5202, 0x20, 2, 0, 0, 0, 0, 0},
    {"5204", 0x5204, 0x20, 2, 0, 0, 0, 0, 0},
    {"5206", 0x5206, 0x20, 2, 0, 0, 0, 0, 0},
    {"5206e", 0x5206, 0x2E, 2, 1, 1, 0, 0, 0},
    {"5249", 0x5249, 0x2E, 2, 2, 1, 0, 0, 0},
    {"5272", 0x5272, 0x2E, 2, 1, 1, 0, 0, 0},
    {"5280", 0x5280, 0x2E, 2, 2, 1, 0, 0, 1},
    {"5281", 0x5281, 0x2E, 2, 2, 1, 0, 0, 1},
    {"5282", 0x5282, 0x2E, 2, 2, 1, 0, 0, 1},
    {"5307", 0x5307, 0x30, 3, 1, 1, 0, 0, 0},
    {"5407", 0x5407, 0x40, 4, 1, 1, 0, 0, 0},
    {"5420", 0x5420, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5470", 0x5470, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5471", 0x5471, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5472", 0x5472, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5473", 0x5473, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5474", 0x5474, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5475", 0x5475, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5480", 0x5480, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5481", 0x5481, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5482", 0x5482, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5483", 0x5483, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5484", 0x5484, 0x4E, 4, 2, 1, 1, 1, 0},
    {"5485", 0x5485, 0x4E, 4, 2, 1, 1, 1, 0},
    {"any", 0x5407, 0x4E, 4, 2, 1, 1, 1, 0},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0},
};

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
        core_number = row->core_number;
        core_version = row->core_version;
        isa_level = row->isa_level;
        mac_level = row->mac_level;
        has_divide = row->has_divide;
        has_usp = row->has_usp;
        has_fpu = row->has_fpu;
        has_isa_a_plus = row->has_isa_a_plus;
        return true;
    }
    as.report_error("cpu: type not valid or supported");
    return false;
}

void CoreState::directive_cpu() {
    select_core(as.dir.read_word_item().value_or(std::string_view{}));
}

} // namespace tobra
