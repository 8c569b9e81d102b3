// The line being assembled, as one value: what the line parser read and the
// operands matching scanned. Matching, the dispatcher, every instruction
// handler and the directives that read the line are handed it.
#pragma once
#include <cstdint>
#include <string_view>

#include "isa/classes.h"
#include "isa/operand.h"

namespace tobra {

// Instructions take up to five operands.
inline constexpr int MAX_INSTRUCTION_OPERANDS = 5;

// Where an operand was written: offsets of its first character and of the
// character after it, counted from the start of the line.
struct OperandSpan {
    uint32_t begin = 0;
    uint32_t end = 0;
};

struct Statement {
    // The fields are NUL-terminated. A local label reads qualified by the
    // last global label once the line is processed.
    std::string_view label;
    std::string_view mnemonic;
    // The size suffix as written ('u' when none), and its mask (SZ_*), set
    // when the line is processed.
    char suffix = 'u';
    uint32_t size = SZ_U;
    // The start of the line, and where its operand text starts.
    const char* line = nullptr;
    const char* operand_start = nullptr;
    // Records filled by matching: the operands scanned, or expression-list items.
    int operand_count = 0;
    Operand operands[MAX_OPERANDS];
    // Where each instruction operand scanned begins and ends in the line:
    // kept as pointers, the cheapest to note while scanning.
    const char* operand_begin[MAX_INSTRUCTION_OPERANDS] = {};
    const char* operand_end[MAX_INSTRUCTION_OPERANDS] = {};

    // The columns of operand i (below operand_count) in the line.
    OperandSpan span(int i) const {
        return {static_cast<uint32_t>(operand_begin[i] - line), static_cast<uint32_t>(operand_end[i] - line)};
    }
};

} // namespace tobra
