// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void ForwardRefs::alloc_fwd(long) {}
void ForwardRefs::rewind_fwd() {}
void ForwardRefs::record_undefined() {}
void ForwardRefs::check_symbol_term() {}
void ForwardRefs::number_expression() {}

} // namespace tobra
