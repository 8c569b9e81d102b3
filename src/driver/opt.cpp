#include "driver/opt.h"

#include "driver/assembler.h"

namespace tobra {

static char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool option_name_matches(std::string_view a, std::string_view b) {
    if (a.empty() != b.empty()) return false;
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

void directive_opt(Assembler& as) {
    (void)as;  // the option table comes with the opt issue
}

} // namespace tobra
