// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

bool OperandScanner::class_match(int s, int k) {
    if (s < 26 || k >= 42) return s == k;
    return (class_sets[s] >> k) & 1;
}
// Until the scanner exists only variants without operands are matched.
const Variant* OperandScanner::match(const Variant* first, int count) {
    for (int i = 0; i < count; ++i)
        if ((first[i].size_mask & as.src.size_mask) && first[i].signature[0] == 0) return &first[i];
    return nullptr;
}
void OperandScanner::dump_composite() {}
void OperandScanner::dump_legal() {}

} // namespace tobra
