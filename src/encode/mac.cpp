// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void Encoder::h_mac(uint32_t, uint32_t, bool) {}
void Encoder::h_mac_load(uint32_t, uint32_t, bool) {}
void Encoder::h_move_to_acc(uint32_t, uint32_t) {}
void Encoder::h_move_from_acc(uint32_t, uint32_t) {}

} // namespace tobra
