// Operand scanner and variant matching.
#pragma once
#include <cstdint>

#include "isa/mnemonics.h"
#include "isa/operand.h"

namespace tobra {

class Assembler;

class OperandScanner {
public:
    explicit OperandScanner(Assembler& as) : as(as) {}

    void scan(Operand& op);
    void scan_indexed(Operand& op);
    void scan_index(Operand& op);
    int abs_size(int32_t value);
    void checklist(Operand& op);
    static int32_t regbit(int cls, int32_t reg);
    void scan_exprlist();

    // First variant whose sizes and operand classes fit the line, or nullptr.
    const Variant* match(const Variant* first, int count);
    static bool class_match(int signature_class, int operand_class);
    void dump_composite();
    void dump_legal();

    Operand operands[MAX_OPERANDS];
    int operand_count = 0;

private:
    Assembler& as;
};

} // namespace tobra
