// The line being assembled, as one value: what the line parser read and the
// operands matching scanned. Matching, the dispatcher, every instruction
// handler and the directives that read the line are handed it.
#pragma once
#include <cstdint>
#include <string_view>

#include "isa/classes.h"
#include "isa/handlers.h"
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

// A reading place in operand text. The scanner, the evaluator and the
// directives that read their own operands advance it; the text ends at a
// newline or a NUL.
struct TextCursor {
    const char* at = nullptr;     // the next character to read
    const char* begin = nullptr;  // the start of the text: nothing before it is looked at
    // The size mask (SZ_*) of the line the text belongs to, and how its
    // decimal numbers read: under .s and .d, FLOAT_DATA reads them as
    // floating point (data items, immediates), INTEGER as .l.
    uint32_t size = SZ_U;
    OperandNumbers numbers = INTEGER;
    // The last global label above the text, which qualifies its local
    // names (.x, 1$).
    std::string_view scope;

    char peek() const { return *at; }
    // Steps over the character at the cursor, but never over the end of the text.
    void step() {
        if (*at != '\n' && *at != '\0') ++at;
    }
    char take() {
        const char c = *at;
        step();
        return c;
    }
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
    // Where reading the operand text stands: the parser starts it at
    // operand_start (its text is the line), matching gives it the line's
    // size and the numbers of the handler's row, and the handler reads on from where matching left it (the next
    // items of a long dc list, the words of a directive).
    TextCursor cursor;
    // Records filled by matching: the operands scanned, or expression-list items.
    int operand_count = 0;
    Operand operands[MAX_OPERANDS];
    // How many of the instruction records may hold something: the ones after
    // are blank, so matching clears only what the last line left.
    int operands_written = MAX_INSTRUCTION_OPERANDS;
    // The operand a message of this moment is about, which it points at:
    // the one matching is scanning, or the one an encoder writes the
    // extension words of or checks the range of. A pointer, so that marking
    // one costs a store; null, or a copy that is none of `operands`: none
    // known (the message points at the whole field).
    const Operand* in_question = nullptr;

    // The columns of instruction operand i (below operand_count) in the line,
    // found again from the text when asked: only diagnostics want them, so
    // the line loop notes nothing. The separators (a comma and one blank
    // after it), a MAC mask's & and the comment are not part of an operand.
    OperandSpan span(int i) const;
};

} // namespace tobra
