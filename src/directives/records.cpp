// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void RecordDirectives::d_struct() {}
void RecordDirectives::d_label() {}
void RecordDirectives::d_bitdef() {}
void RecordDirectives::d_lvo() {}
void RecordDirectives::d_lvoreset() {}
void RecordDirectives::d_call() {}
void RecordDirectives::d_classtagbegin() {}
void RecordDirectives::d_classtag() {}
void RecordDirectives::d_classtagend() {}
void RecordDirectives::d_classtagconcat() {}
void RecordDirectives::d_enumreset() {}
void RecordDirectives::d_enumset() {}
void RecordDirectives::d_enum() {}
void RecordDirectives::d_structure(bool) {}
void RecordDirectives::d_field(int) {}
void RecordDirectives::d_callres(bool) {}
void RecordDirectives::skip_line(int) {}
void RecordDirectives::reset_pass() { class_tag_counter = 0; }

} // namespace tobra
