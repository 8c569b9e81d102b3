// The reserved register names: installed into the symbol table at start-up,
// so that the evaluator finds registers by the same lookup as user symbols.
#pragma once
#include <cstdint>
#include <string_view>

namespace tobra {

class Assembler;

struct ReservedRegister {
    const char* name;
    int32_t type;   // symbol type (only the low byte is used)
    int32_t value;  // register number, control code, list bit, operand class, ...
};

inline constexpr int RESERVED_REGISTER_COUNT = 154;
extern const ReservedRegister reserved_registers[RESERVED_REGISTER_COUNT];

// The control registers a part may have, one bit each in its list
// (CoreRow::control). Names of one register share its bit: rombar0 is
// ROMBAR, usp is OTHER_A7, srambar is RAMBAR0, secmbar is MBAR2, and the
// twelve pcr names are one group.
enum ControlRegister : uint8_t {
    CR_CACR, CR_ASID, CR_ACR0, CR_ACR1, CR_ACR2, CR_ACR3, CR_MMUBAR, CR_OTHER_A7, CR_VBR,
    CR_ROMBAR, CR_FLASHBAR, CR_RAMBAR0, CR_RAMBAR1, CR_MPCR, CR_EDRAMBAR, CR_MBAR2, CR_MBAR, CR_PCR,
    CR_RAMBAR,  // the bare name rambar: the part's RAM base, RAMBAR0 or RAMBAR1
    CR_NONE,
};
constexpr uint32_t cr_bit(ControlRegister r) { return uint32_t{1} << r; }

// The register a control-register name (in either case) stands for, or CR_NONE.
ControlRegister control_register_of(std::string_view name);

// Group names of the symbol types, as the reserved-name dump prints them.
extern const char* const type_dump_names[16];
// Trace names of the symbol types (nullptr for 13-15, printed as "(null)").
extern const char* const type_trace_names[16];
// The trace name of a type, "(null)" where it has none.
const char* type_trace_name(int type);

// The -x64 dump of the lower-case register names, grouped by type.
void dump_reserved(Assembler& as);

} // namespace tobra
