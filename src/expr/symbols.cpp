// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

int SymbolTable::symbol_hash(std::string_view) { return 0; }
SymbolRecord* SymbolTable::lookup(std::string_view) { return nullptr; }
SymbolRecord* SymbolTable::probe(std::string_view) const { return nullptr; }
void SymbolTable::install(std::string_view, int32_t, int, int) {}
void SymbolTable::install_reserved() {}
void SymbolTable::symbol_distribution() {}

} // namespace tobra
