// Variant matching: scan the line's operands once, then take the first variant
// of the mnemonic whose sizes and operand classes fit. Runs for every line, so
// it works in the fixed operand records and allocates nothing.
#include <array>

#include "driver/assembler.h"

namespace tobra {

namespace {

// The bit of an operand class in class_accepts; none for a class beyond the
// table. A lookup rather than a guarded shift: five of these run per line.
constexpr std::array<uint64_t, 256> class_bits = [] {
    std::array<uint64_t, 256> b{};
    for (std::size_t k = 0; k < 64; ++k) b[k] = uint64_t{1} << k;
    return b;
}();

inline uint64_t class_bit(uint8_t k) { return class_bits[k]; }

} // namespace

// A data or address register with nothing after it, the most frequent
// operand of all, is read here without the call: what scan would make of it
// (scan_known_register). Everything else goes to scan.
inline void OperandScanner::scan_operand(TextCursor& c, Operand& op) {
    if (is_name_start(*c.at)) {
        SymbolRecord* s = as.ev.known_register(c.at);
        if (s && (s->type == TYPE_DREG || s->type == TYPE_AREG) && !may_extend_register(c.at[2])) {
            op.clear();
            op.cls = s->type == TYPE_DREG ? CLS_DN : CLS_AN;
            op.reg = as.ev.register_term(c, s);
            return;
        }
    }
    scan(c, op);
}

const Variant* OperandScanner::match(Statement& st, const Variant* first, int count, OperandNumbers numbers) {
    // The parser left the cursor at the operand text; how it reads numbers
    // is known now. The handler reads on under the same.
    TextCursor& c = st.cursor;
    c.size = st.size;
    c.numbers = numbers;
    return match_variant(st, first, count);
}

inline const Variant* OperandScanner::match_variant(Statement& st, const Variant* first, int count) {
    const uint32_t size_mask = st.size;
    TextCursor& c = st.cursor;
    // Every mnemonic has a variant: the table refuses to build without one.
    if (first->size_mask & size_mask) {
        // A variant without operands takes the line as it is: the handler reads
        // the text itself, or there is nothing to read and the rest is comment.
        // tpf and trapf are the exception: their later variant takes an
        // immediate, which must not be swallowed by the bare form.
        const uint8_t first_class = first->signature[0];
        if (first_class == CLS_NONE && !(count > 1 && c.peek() == '#')) return first;
        if (first_class == CLS_EXPR_LIST) {
            scan_exprlist(st);
            return first;
        }
    }

    // An empty operand field is no operand at all: nop.l or clr.l alone get the
    // one "bad size or wrong operand(s)", not a syntax message as well.
    Operand* const operands = st.operands;
    int n = 0;
    const char* const start = c.at;
    if (*start != '\n' && *start != '\0') {
        st.in_question = operands;
        scan_operand(c, operands[0]);
        check_operand_end(operands[0], c.at);
        n = 1;
        for (; n < MAX_INSTRUCTION_OPERANDS && *c.at == ','; ++n) {
            // One blank after the comma is part of the separator, a second one is not.
            const char* p = c.at + 1;
            if (*p == ' ') ++p;
            c.at = p;
            Operand& op = operands[n];
            st.in_question = &op;
            scan_operand(c, op);
            if (*c.at == '&') {
                op.mask_flag = 1;
                ++c.at;
            }
            check_operand_end(op, c.at);
        }
        check_field_end(c.at);
    }
    st.operand_count = n;
    // scan() clears the records it fills; the rest must read as absent.
    for (int k = n; k < st.operands_written; ++k) operands[k].clear();
    st.operands_written = n;

    if (as.options.debug_flags & DBG_MATCH) {
        as.con.write("Match:");
        for (int i = 0; i < MAX_INSTRUCTION_OPERANDS; ++i) {
            as.con.put(' ');
            as.con.write(class_names[operands[i].cls < CLS_COUNT ? operands[i].cls : 0]);
        }
        as.con.put('\n');
    }

    static_assert(MAX_INSTRUCTION_OPERANDS == 5);
    const uint64_t k0 = class_bit(operands[0].cls), k1 = class_bit(operands[1].cls),
                   k2 = class_bit(operands[2].cls), k3 = class_bit(operands[3].cls),
                   k4 = class_bit(operands[4].cls);
    for (int v = 0; v < count; ++v) {
        const Variant& var = first[v];
        if (!(var.size_mask & size_mask)) continue;
        const uint8_t* sig = var.signature;
        if ((class_accepts[sig[0]] & k0) && (class_accepts[sig[1]] & k1) && (class_accepts[sig[2]] & k2) &&
            (class_accepts[sig[3]] & k3) && (class_accepts[sig[4]] & k4))
            return &var;
    }
    return nullptr;
}

OperandSpan Statement::span(int i) const {
    // The walk the scanner makes, without reading: an operand ends at a comma,
    // blank, tab, ';' or the end of the line outside parentheses and quotes.
    const char* p = operand_start;
    for (int k = 0;; ++k) {
        const char* const begin = p;
        int depth = 0;
        for (char c; (c = *p) != '\0' && c != '\n' && c != '\r'; ++p) {
            if (c == '\'' || c == '"') {
                while (p[1] != '\0' && p[1] != '\n' && p[1] != c) ++p;
                if (p[1] == c) ++p;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (depth > 0) --depth;
            } else if (depth == 0 && (c == ',' || c == ' ' || c == '\t' || c == ';')) {
                break;
            }
        }
        const char* end = p;
        if (end > begin && end[-1] == '&') --end;
        if (k == i || *p != ',') return {static_cast<uint32_t>(begin - line), static_cast<uint32_t>(end - line)};
        ++p;
        if (*p == ' ') ++p;
    }
}

void OperandScanner::dump_composite() {
    as.con.write("Composite EA classes:\n");
    for (int c = CLS_RN; c <= CLS_DN_CN_MASK; ++c) {
        as.con.print("%s:\t", class_names[c]);
        for (int k = 0; k < 32; ++k)
            if ((class_sets[static_cast<std::size_t>(c)] >> k) & 1) as.con.print("%s ", class_names[k]);
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
