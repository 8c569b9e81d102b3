// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"
#include "isa/registers.h"

namespace tobra {

const ReservedRegister reserved_registers[RESERVED_REGISTER_COUNT] = {};
const char* const type_dump_names[16] = {};
const char* const type_trace_names[16] = {};
void dump_reserved(Assembler&) {}

} // namespace tobra
