// The reserved register names: installed into the symbol table at start-up,
// so that the evaluator finds registers by the same lookup as user symbols.
#pragma once
#include <cstdint>

namespace tobra {

class Assembler;

struct ReservedRegister {
    const char* name;
    int32_t type;   // symbol type (only the low byte is used)
    int32_t value;  // register number, control code, list bit, operand class, ...
};

inline constexpr int RESERVED_REGISTER_COUNT = 154;
extern const ReservedRegister reserved_registers[RESERVED_REGISTER_COUNT];

// Group names of the symbol types, as the reserved-name dump prints them.
extern const char* const type_dump_names[16];
// Trace names of the symbol types (nullptr for 13-15, printed as "(null)").
extern const char* const type_trace_names[16];
// The trace name of a type, "(null)" where it has none.
const char* type_trace_name(int type);

// The -x64 dump of the lower-case register names, grouped by type.
void dump_reserved(Assembler& as);

} // namespace tobra
