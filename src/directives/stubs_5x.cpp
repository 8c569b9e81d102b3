// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void Directives::d_equ() {}
void Directives::d_dc() {}
void Directives::d_ds() {}
void Directives::d_align() {}
void Directives::d_include() {}
void Directives::d_endc() {}
void Directives::d_else() {}
void Directives::d_incdir() {}
void Directives::d_xref() {}
void Directives::d_xdef() {}
void Directives::d_dr() {}
void Directives::d_section() {}
void Directives::d_idnt() {}
void Directives::d_incbin() {}
void Directives::d_boundary() {}
void Directives::d_end() {}
void Directives::d_page() {}
void Directives::d_org(bool) {}
void Directives::d_if(int) {}
void Directives::skip_line(int) {}
std::optional<std::string_view> Directives::read_word_item() { return std::nullopt; }

} // namespace tobra
