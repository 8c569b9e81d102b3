// The reserved register names: installed into the symbol table at start-up.
#pragma once
#include <cstdint>

namespace tobra {

class Assembler;

struct ReservedRegister {
    const char* name;
    int32_t type;
    int32_t value;
};

inline constexpr int RESERVED_REGISTER_COUNT = 154;
extern const ReservedRegister reserved_registers[RESERVED_REGISTER_COUNT];

// Group names of the symbol types, as the reserved-name dump prints them.
extern const char* const type_dump_names[16];
// Trace names of the symbol types (nullptr for 13-15, printed as "(null)").
extern const char* const type_trace_names[16];

void dump_reserved(Assembler& as);

} // namespace tobra
