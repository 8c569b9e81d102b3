// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void Encoder::h_fp_arith(uint32_t, uint32_t) {}
void Encoder::h_fp_store(uint32_t, uint32_t) {}
void Encoder::h_fp_to_ctl(uint32_t, uint32_t) {}
void Encoder::h_fp_from_ctl(uint32_t, uint32_t) {}
void Encoder::h_fmovem_store(uint32_t, uint32_t) {}
void Encoder::h_fmovem_load(uint32_t, uint32_t) {}
void Encoder::h_fnop(uint32_t, uint32_t) {}

} // namespace tobra
