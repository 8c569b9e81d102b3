// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void OperandScanner::scan(Operand&) {}
void OperandScanner::scan_indexed(Operand&) {}
void OperandScanner::scan_index(Operand&) {}
int OperandScanner::abs_size(int32_t) { return 4; }
void OperandScanner::checklist(Operand&) {}
int32_t OperandScanner::regbit(int, int32_t) { return 0; }
void OperandScanner::scan_exprlist() {}

} // namespace tobra
