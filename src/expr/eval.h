// The left-to-right expression evaluator.
#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "isa/operand.h"

namespace tobra {

class Assembler;
struct SymbolRecord;

inline constexpr int LINE_SYMBOL_SLOTS = 32;

class Evaluator {
public:
    explicit Evaluator(Assembler& as) : as(as) {}

    // Reads one expression at the operand cursor; value[0] (and value[1] for a
    // double) receives the value, op the relocation data. Returns the symbol type.
    int eval(int32_t* value, Operand& op);
    int eval_term(int32_t* value);
    // Per-line reset done by line processing.
    void begin_line();
    // The text of a string made by the evaluator (an Operand's value for class String).
    const std::string& string_at(int32_t handle) const;

    bool expr_fwd = false;
    bool expr_undefined = false;
    int last_kind = 0;
    int last_section = 0;
    SymbolRecord* line_symbols[LINE_SYMBOL_SLOTS] = {};
    int term_number = 0;

private:
    Assembler& as;
    std::deque<std::string> strings_;
};

} // namespace tobra
