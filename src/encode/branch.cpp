// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void Encoder::h_branch(uint32_t, uint32_t) {}
void Encoder::h_fbranch(uint32_t, uint32_t) {}
void Encoder::zero_displacement_rewrite(Operand&) {}

} // namespace tobra
