// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void ObjectWriter::record_external(const SymbolRecord*, int32_t) {}
void ObjectWriter::record_relocation(bool, int32_t, int) {}
void ObjectWriter::record_base_reference(int32_t, int, int) {}
void ObjectWriter::write_leading_hunks(int32_t) {}
void ObjectWriter::write_trailing_hunks() {}
void ObjectWriter::reset_for_pass2() {}
void ObjectWriter::write_be32(uint8_t* b, uint32_t v) { b[0] = uint8_t(v >> 24); b[1] = uint8_t(v >> 16); b[2] = uint8_t(v >> 8); b[3] = uint8_t(v); }

} // namespace tobra
