// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

const CoreRow core_table[CORE_COUNT + 1] = {{"5206", 0x5206, 0x20, 2, 0, 0, 0, 0, 0}, {nullptr, 0, 0, 0, 0, 0, 0, 0, 0}};
void CoreState::select_core(std::string_view) {}
void CoreState::directive_cpu() {}

} // namespace tobra
