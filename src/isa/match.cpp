// Variant matching: scan the line's operands once, then take the first variant
// of the mnemonic whose sizes and operand classes fit. Runs for every line, so
// it works in the fixed operand records and allocates nothing.
#include "driver/assembler.h"

namespace tobra {

bool OperandScanner::class_match(int s, int k) {
    if (s < CLS_RN || k >= CLS_ACC) return s == k;
    return (class_sets[s] >> k) & 1;
}

const Variant* OperandScanner::match(const Variant* first, int count) {
    const uint32_t size_mask = as.src.size_mask;
    if (count > 0 && (first->size_mask & size_mask)) {
        // A variant without operands takes the line as it is: the handler reads
        // the text itself, or there is nothing to read and the rest is comment.
        // tpf and trapf are the exception: their later variant takes an
        // immediate, which must not be swallowed by the bare form.
        bool immediate_for_later = count > 1 && *as.src.operand_text == '#';
        if (first->signature[0] == CLS_NONE && !immediate_for_later) return first;
        if (first->signature[0] == CLS_EXPR_LIST) {
            scan_exprlist();
            return first;
        }
    }

    for (int i = 0; i < MAX_INSTRUCTION_OPERANDS; ++i) operands[i].clear();
    // An empty operand field is no operand at all: nop.l or clr.l alone get the
    // one "bad size or wrong operand(s)", not a syntax message as well.
    const char c = *as.src.operand_text;
    if (c == '\n' || c == '\0') {
        operand_count = 0;
    } else {
        scan(operands[0]);
        operand_count = 1;
    }
    for (int i = 1; i < MAX_INSTRUCTION_OPERANDS && *as.src.operand_text == ','; ++i) {
        // One blank after the comma is part of the separator, a second one is not.
        ++as.src.operand_text;
        if (*as.src.operand_text == ' ') ++as.src.operand_text;
        scan(operands[i]);
        operand_count = i + 1;
        if (*as.src.operand_text == '&') {
            operands[i].mask_flag = 1;
            ++as.src.operand_text;
        }
    }

    if (as.options.debug_flags & DBG_MATCH) {
        as.con.write("Match:");
        for (int i = 0; i < MAX_INSTRUCTION_OPERANDS; ++i) {
            as.con.put(' ');
            as.con.write(class_names[operands[i].cls < CLS_COUNT ? operands[i].cls : 0]);
        }
        as.con.put('\n');
    }

    for (int v = 0; v < count; ++v) {
        const Variant& var = first[v];
        if (!(var.size_mask & size_mask)) continue;
        bool fits = true;
        for (int i = 0; i < MAX_INSTRUCTION_OPERANDS && fits; ++i)
            fits = class_match(var.signature[i], operands[i].cls);
        if (fits) return &var;
    }
    return nullptr;
}

void OperandScanner::dump_composite() {
    as.con.write("Composite EA classes:\n");
    for (int c = CLS_RN; c <= CLS_DN_CN_MASK; ++c) {
        as.con.print("%s:\t", class_names[c]);
        for (int k = 0; k < 32; ++k)
            if ((class_sets[c] >> k) & 1) as.con.print("%s ", class_names[k]);
        as.con.put('\n');
    }
    as.con.put('\n');
}

void OperandScanner::dump_legal() {
    as.con.write("Legal mnemonic/size/ea combinations:\n");
    static constexpr struct {
        uint32_t bit;
        char letter;
    } shown_sizes[] = {{SZ_B, 'b'}, {SZ_W, 'w'}, {SZ_L, 'l'}, {SZ_U, 'u'}};
    for (const MnemonicEntry& e : mnemonic_table) {
        as.con.write(e.name);
        for (int v = 0; v < e.variant_count; ++v) {
            const Variant& var = e.variants[v];
            as.con.put('\t');
            for (const auto& s : shown_sizes)
                if (var.size_mask & s.bit) as.con.put(s.letter);
            for (int i = 0; i < 4 && var.signature[i] != 0; ++i) {
                as.con.put('\t');
                as.con.write(class_names[var.signature[i]]);
            }
            as.con.put('\n');
        }
    }
    as.con.put('\n');
}

} // namespace tobra
