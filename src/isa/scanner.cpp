// The operand scanner: one operand's text to an Operand record. Registers are
// symbols, so every decision starts from the type eval returns for a term and
// the punctuation around it; the variant table decides what is acceptable.
#include <cstring>
#include <string>

#include "driver/assembler.h"
#include "isa/messages.h"
#include "isa/registers.h"

namespace tobra {

namespace {

// The operand text ends at the line's newline or at a NUL, whichever comes first.
inline bool at_end(char c) { return c == '\n' || c == '\0'; }

inline bool fits16(int64_t v) { return v >= -32768 && v <= 32767; }
inline bool fits8(int64_t v) { return v >= -128 && v <= 127; }

// The characters group_starts_expression stops at: the ends of the text,
// quotes and parentheses.
constexpr struct GroupStops {
    bool stop[256] = {};
    constexpr GroupStops() {
        for (char c : {'\0', '\n', '\'', '"', '(', ')'}) stop[static_cast<unsigned char>(c)] = true;
    }
} group_stops;

// Whether the parenthesis at p closes and is followed by an operator and a
// term: then it opens the first term of an expression, as in (end-start)/4,
// not an addressing mode. (An)+ and (An)& have no term after the operator.
bool group_starts_expression(const char* p) {
    int depth = 0;
    for (;; ++p) {
        while (!group_stops.stop[static_cast<unsigned char>(*p)]) ++p;
        const char c = *p;
        if (at_end(c)) return false;
        if (c == '\'' || c == '"') {
            for (++p; *p != c; ++p)
                if (at_end(*p)) return false;
        } else if (c == '(') {
            ++depth;
        } else if (--depth == 0) {
            break;
        }
    }
    const char op = *++p;
    switch (op) {
    case '+': case '-': case '*': case '/': case '&': case '%': case '|': case '^':
        break;
    case '<': case '>':
        if (p[1] != op) return false;
        ++p;
        break;
    default:
        return false;
    }
    const char t = p[1];
    if (is_name_char(t)) return true;
    switch (t) {
    case '$': case '%': case '@': case '.': case '*': case '\'': case '"': case '(': case '-': case '~':
        return true;
    default:
        return false;
    }
}

// (An) or (An)+ as written most often, with nothing after it that could
// make it the first term of an expression: no need to look further.
inline bool plain_indirect(const char* p) {
    const bool address_register = ((p[1] | 0x20) == 'a' && p[2] >= '0' && p[2] <= '7') ||
                                  ((p[1] | 0x20) == 's' && (p[2] | 0x20) == 'p');
    if (!address_register || p[3] != ')') return false;
    const unsigned char after = static_cast<unsigned char>(p[4]);
    return operand_ends[after] || (after == '+' && operand_ends[static_cast<unsigned char>(p[5])]);
}

// Two's-complement negation without the overflow of -INT32_MIN.
inline int32_t negate(int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

} // namespace

// Inline in its callers: a base, an index and each register of a list.
[[gnu::always_inline]] inline int OperandScanner::eval_register(TextCursor& c, int32_t& value) {
    if (SymbolRecord* s = as.ev.known_register(c.at)) {
        value = as.ev.register_term(c, s);
        return s->type;
    }
    Operand scratch;
    int32_t v[2] = {0, 0};
    int type = as.ev.eval(c, v, scratch);
    value = v[0];
    return type;
}

void OperandScanner::scan(TextCursor& c, Operand& op) {
    op.clear();
    const char* p = c.at;
    switch (*p) {
    case '#':
        scan_immediate(c, op);
        return;
    case '&':
        op.mask_flag = 1;
        c.step();
        return;
    case '(':
        if (plain_indirect(p)) {
            if (!scan_known_indirect(c, op)) scan_parenthesised(c, op);
            return;
        }
        if (group_starts_expression(p)) break;
        scan_parenthesised(c, op);
        return;
    case '-':
        if (p[1] == '(' && plain_indirect(p + 1)) {
            if (!scan_known_indirect(c, op)) scan_predecrement(c, op);
            return;
        }
        if (p[1] == '(' && !group_starts_expression(p + 1)) {
            scan_predecrement(c, op);
            return;
        }
        break;
    default:
        // A register name is a name: the other characters go on to scan_term.
        if (is_name_start(*p)) {
            SymbolRecord* s = as.ev.known_register(p);
            if (!s) {
                // Not a register looked up before: eval would come to eval_name.
                int32_t v[2] = {0, 0};
                const int type = as.ev.eval_name(c, v, op);
                take_term(c, op, type, v, p);
                return;
            }
            if (scan_known_register(c, op, s)) return;
        }
        break;
    }
    scan_term(c, op);
}

// The most frequent operands: a data or address register, s as
// known_register found it at the cursor. scan_term would come to the same
// through eval.
inline bool OperandScanner::scan_known_register(TextCursor& c, Operand& op, SymbolRecord* s) {
    if (s->type != TYPE_DREG && s->type != TYPE_AREG) return false;
    op.cls = s->type == TYPE_DREG ? CLS_DN : CLS_AN;
    op.reg = as.ev.register_term(c, s);
    if (may_extend_register(c.peek())) checklist(c, op);
    return true;
}

// (An), (An)+ and -(An) as plain_indirect found them, with An a register
// already looked up: the forms scan_parenthesised and scan_predecrement
// would make of them. Compiled into scan, like the register's path.
[[gnu::always_inline]] inline bool OperandScanner::scan_known_indirect(TextCursor& c, Operand& op) {
    const bool predecrement = *c.at == '-';
    const char* name = c.at + (predecrement ? 2 : 1);
    SymbolRecord* s = as.ev.known_register(name);
    if (!s || s->type != TYPE_AREG) return false;
    c.at = name;
    op.reg = as.ev.register_term(c, s);
    ++c.at;  // the ')' plain_indirect saw
    if (predecrement) {
        op.cls = CLS_PREDEC;
    } else if (c.peek() == '+') {
        ++c.at;
        op.cls = CLS_POSTINC;
    } else {
        op.cls = CLS_AN_IND;
    }
    return true;
}

void OperandScanner::scan_immediate(TextCursor& c, Operand& op) {
    c.step();
    // Under .s and .d an immediate is floating-point data, while addresses and
    // displacements on the same line stay integers.
    int32_t v[2] = {0, 0};
    const OperandNumbers outer = c.numbers;
    c.numbers = FLOAT_DATA;
    int type = as.ev.eval(c, v, op);
    c.numbers = outer;
    if (type != TYPE_USER) {
        as.report_error(msg::SCAN_EXPECTED_EXPRESSION);
        return;
    }
    op.cls = CLS_IMM;
    op.fwd = as.ev.expr_fwd;
    op.value = v[0];
    if (c.size == SZ_D) op.value2 = v[1];
}

void OperandScanner::scan_parenthesised(TextCursor& c, Operand& op) {
    ++c.at;  // the '(' that brought us here
    const char* inner = c.at;
    int32_t v[2] = {0, 0};
    int type = as.ev.eval(c, v, op);
    if (type == TYPE_AREG) {
        const char next = c.peek();
        if (next == ')') {
            ++c.at;
            op.cls = CLS_AN_IND;
            op.reg = v[0];
            if (c.peek() == '+') {
                ++c.at;
                op.cls = CLS_POSTINC;
            }
        } else if (next == ',' || next == '.' || next == '*') {
            // (An,Xi) or (An.L*s): read again from the register as an indexed form.
            c.at = inner;
            op.value = 0;
            scan_indexed(c, op);
        } else {
            as.report_error(msg::SCAN_EXPECTED_QUOTED_PAREN);
        }
        return;
    }
    if (type >= TYPE_PC && type <= TYPE_ZDREG) {
        c.at = inner;
        op.value = 0;
        // (pc) and (pc,Xi) name the place itself: a displacement of 0, as
        // GNU writes them, not the address 0 as a target.
        if (type == TYPE_PC) op.no_base = 1;
        scan_indexed(c, op);
        return;
    }
    if (type == TYPE_USER) {
        if (c.peek() == ')') {
            // (expr) and (expr).w are absolute addresses.
            c.step();
            op.value = v[0];
            op.fwd = as.ev.expr_fwd;
            op.fraction = as.ev.expr_fraction;
            if (c.peek() == '(') {
                // (expr)(An) and (expr)(An,Xi): a parenthesised displacement.
                c.step();
                scan_indexed(c, op);
                return;
            }
            op.cls = CLS_EXPR;
            op.addr_size = AddrSize::longword;
            if (c.peek() == '.') address_size(c, op, v[0]);
            return;
        }
        if (c.peek() == ',') {
            c.step();
            op.value = v[0];
            op.fwd = as.ev.expr_fwd;
            scan_indexed(c, op);
            return;
        }
    }
    as.report_error(msg::SCAN_EXPRESSION_SYNTAX);
}

void OperandScanner::scan_predecrement(TextCursor& c, Operand& op) {
    c.step();
    c.step();
    int32_t v[2] = {0, 0};
    int type = as.ev.eval(c, v, op);
    if (type == TYPE_AREG && c.take() == ')') {
        op.cls = CLS_PREDEC;
        op.reg = v[0];
        return;
    }
    // -(d)(An...): a parenthesised displacement with a minus sign.
    op.value = negate(v[0]);
    if (type == TYPE_USER) as.ev.refuse_negated(op);
    if (type == TYPE_USER && c.numbers == FLOAT_DATA && as.ev.expr_float) {
        // -(1.5) in dc.s or dc.d: a floating-point number changes its sign bit.
        op.value = static_cast<int32_t>(static_cast<uint32_t>(v[0]) ^ 0x80000000u);
        op.value2 = v[1];
    }
    const bool closed = c.peek() == ')';
    if (closed) c.step();
    if (c.peek() == '(') {
        c.step();
        op.fwd = as.ev.expr_fwd;
        scan_indexed(c, op);
    } else if (closed && type == TYPE_USER) {
        // -(expr) alone is the negated value.
        op.cls = CLS_EXPR;
        op.fwd = as.ev.expr_fwd;
        op.fraction = as.ev.expr_fraction;
        op.addr_size = AddrSize::longword;
        if (c.peek() == '.') address_size(c, op, op.value);
    }
}

void OperandScanner::scan_term(TextCursor& c, Operand& op) {
    const char* start = c.at;
    int32_t v[2] = {0, 0};
    int type = as.ev.eval(c, v, op);
    take_term(c, op, type, v, start);
}

// What eval read from start: its type and value v make the operand, and
// the text after it may add to it.
[[gnu::always_inline]] inline void OperandScanner::take_term(TextCursor& c, Operand& op, int type, const int32_t* v, const char* start) {
    // A data register is the most frequent term; test for it before the jump table.
    if (type == TYPE_DREG) {
        op.cls = CLS_DN;
        op.reg = v[0];
        if (may_extend_register(c.peek())) checklist(c, op);
        return;
    }
    switch (type) {
    case TYPE_SREG:
        // The value of a status-register name is the class it scans to.
        if (v[0] == CLS_CCR || v[0] == CLS_SR || v[0] == CLS_MASK || v[0] == CLS_MACSR) {
            op.cls = static_cast<uint8_t>(v[0]);
            return;
        }
        break;
    case TYPE_DREG:
        op.cls = CLS_DN;
        op.reg = v[0];
        if (may_extend_register(c.peek())) checklist(c, op);
        return;
    case TYPE_AREG:
        op.cls = CLS_AN;
        op.reg = v[0];
        if (may_extend_register(c.peek())) checklist(c, op);
        return;
    case TYPE_CREG:
        // Names that share a code may name different registers (rambar0,
        // flashbar): the name itself says which, for the part's check.
        op.cls = CLS_CN;
        op.reg = v[0];
        op.value = control_register_of(std::string_view(start, static_cast<size_t>(c.at - start)));
        return;
    case TYPE_FPREG:
        op.cls = CLS_FPN;
        op.reg = v[0];
        if (may_extend_register(c.peek())) checklist(c, op);
        return;
    case TYPE_FPCREG:
        op.cls = CLS_FPCN;
        op.reg = v[0];
        if (may_extend_register(c.peek())) checklist(c, op);
        return;
    case TYPE_PMMU:
        op.cls = CLS_PN;
        op.reg = v[0];
        return;
    case TYPE_STRING:
        op.cls = CLS_STRING;
        op.value = v[0];
        return;
    case TYPE_USER:
        op.value = v[0];
        op.fwd = as.ev.expr_fwd;
        op.fraction = as.ev.expr_fraction;
        if (c.peek() == '(') {
            ++c.at;
            scan_indexed(c, op);
            return;
        }
        op.cls = CLS_EXPR;
        op.value2 = v[1];
        // Most addresses carry no suffix: abs_size's first test, without the call.
        op.addr_size = AddrSize::longword;
        if (c.peek() == '.') address_size(c, op, v[0]);
        return;
    case TYPE_CACHE:
        op.cls = CLS_CPSH;
        op.reg = v[0];
        return;
    case TYPE_ACCUM:
        op.cls = CLS_ACC;
        op.reg = v[0];
        return;
    default:
        break;
    }
    as.report_error(msg::SCAN_EXPRESSION_SYNTAX);
}

// Compiled into its callers in this file: d16(An) and the indexed forms are
// frequent, and the call cost more than the work.
[[gnu::always_inline]] inline void OperandScanner::scan_indexed(TextCursor& c, Operand& op) {
    op.cls = CLS_INDEXED;
    const char* base = c.at;
    int32_t r = 0;
    int type = eval_register(c, r);
    op.reg = r;
    if (type == TYPE_AREG) {
        if (c.peek() == ')') {
            ++c.at;
            op.ext_form = (op.fwd || !fits16(op.value)) ? ExtForm::d16_unfit : ExtForm::d16;
            return;
        }
        if (c.peek() == ',') {
            ++c.at;
        } else {
            // (An.L*4): the register is the index and there is no base.
            c.at = base;
            op.no_base = 1;
        }
    } else if (type == TYPE_PC) {
        op.cls = CLS_PC_INDEXED;
        if (c.peek() == ')') {
            c.step();
            if (!op.no_base) ++as.drv.place_reads;
            int64_t distance = op.no_base ? 0 : int64_t{op.value} - as.drv.location_counter;
            op.ext_form = (op.fwd || !fits16(distance)) ? ExtForm::d16_unfit : ExtForm::d16;
            return;
        }
        if (c.take() != ',') as.report_error(msg::SCAN_EXPECTED_COMMA);
    } else {
        op.cls = CLS_NONE;
        as.report_error(msg::SCAN_BAD_INDEXED_ADDRESSING_SYNTAX);
        return;
    }

    scan_index(c, op);
    if (op.cls == CLS_INDEXED)
        op.ext_form = (op.fwd || op.no_base || !fits8(op.value)) ? ExtForm::index_unfit : ExtForm::brief;
    else if (op.cls == CLS_PC_INDEXED)
        op.ext_form = ExtForm::brief;
    if (c.take() != ')') as.report_error(msg::SCAN_EXPECTED_PAREN);
}

void OperandScanner::scan_index(TextCursor& c, Operand& op) {
    int32_t r = 0;
    int type = eval_register(c, r);
    op.reg2 = r;
    if (type == TYPE_AREG) {
        op.index_is_an = 1;
    } else if (type != TYPE_DREG) {
        as.report_error(msg::SCAN_INDEX_REGISTER);
        op.cls = CLS_NONE;
    }
    // The index is always a long register: a suffix that chooses a word
    // (.w, or .x under -f) would encode a form the processor lacks.
    const AddrSize size = abs_size(c, 0);
    if (size != AddrSize::longword) as.report_error(msg::SCAN_ILLEGAL_SIZE_FOR_INDEX);
    op.addr_size = size;

    if (c.peek() == '*') {
        // Safe to look one further: the cursor is on '*', not on the end.
        switch (c.at[1]) {
        case '1': op.scale = 0; break;
        case '2': op.scale = 1; break;
        case '4': op.scale = 2; break;
        case '8': op.scale = 3; break;
        default: return;  // an unknown scale is left for the closing check
        }
        c.at += 2;
    }
}

// An absolute address's suffix, which the instruction keeps as written.
void OperandScanner::address_size(TextCursor& c, Operand& op, int32_t value) {
    const char* before = c.at;
    op.addr_size = abs_size(c, value);
    op.size_written = c.at != before;
}

AddrSize OperandScanner::abs_size(TextCursor& c, int32_t value) {
    const char* p = c.at;
    if (*p != '.') return AddrSize::longword;
    switch (p[1]) {
    case 'b': case 'B': case 'w': case 'W':
        c.at += 2;
        return AddrSize::word;
    case 'l': case 'L': case 's': case 'S': case 'd': case 'D':
        c.at += 2;
        return AddrSize::longword;
    default:
        // Any other letter (.x) asks for the size the value needs: both
        // characters belong to the operand.
        if ((p[1] >= 'a' && p[1] <= 'z') || (p[1] >= 'A' && p[1] <= 'Z')) c.at += 2;
        break;
    }
    if (as.ev.expr_fwd || !fits16(value)) return AddrSize::longword;
    // The size an unsized forward reference takes (-f).
    return as.options.forward_branch_size == 1 ? AddrSize::byte : AddrSize::word;
}

void OperandScanner::checklist(TextCursor& cur, Operand& op) {
    char c = cur.peek();
    if (c == '.') {
        cur.step();
        c = cur.peek();
        if (c == 'u' || c == 'U') {
            op.half = 1;
            cur.step();
        } else if (c == 'l' || c == 'L') {
            op.half = 2;
            cur.step();
        } else {
            as.report_error(msg::SCAN_UPPER_OR_LOWER_REQUIRED);
        }
    } else if (c == ':') {
        cur.step();
        int32_t r = 0;
        int type = eval_register(cur, r);
        op.reg2 = r;
        if (type == TYPE_DREG) op.cls = CLS_DN_PAIR;
    }

    c = cur.peek();
    if (c == '<' || c == '>') {
        cur.step();
        // Only <<1 and >>1 exist; a lone < or > is as wrong as another count,
        // and must not be dropped silently from a MAC operand.
        if (cur.take() == c && cur.take() == '1')
            op.mac_shift = (c == '<') ? 1 : 3;
        else
            as.report_error(msg::SCAN_SHIFT_VALUE_OUT_OF_RANGE);
    }

    c = cur.peek();
    if (c == '-' || c == '/') scan_list(cur, op);
}

void OperandScanner::scan_list(TextCursor& c, Operand& op) {
    int32_t mask = 0;
    int count = 1;
    for (char sep = c.peek(); sep == '-' || sep == '/'; sep = c.peek()) {
        ++count;
        mask |= regbit(op.cls, op.reg);
        c.step();
        int32_t r = 0;
        int type = eval_register(c, r);
        if (sep == '/') {
            if (type == TYPE_DREG && (op.cls == CLS_DN || op.cls == CLS_AN)) {
                op.cls = CLS_DN;
                op.reg = r;
            } else if (type == TYPE_AREG && (op.cls == CLS_DN || op.cls == CLS_AN)) {
                op.cls = CLS_AN;
                op.reg = r;
            } else if (type == TYPE_FPREG && op.cls == CLS_FPN) {
                op.reg = r;
            } else {
                as.report_error(msg::SCAN_REGISTER_LIST_INVALID);
            }
        } else {
            op.reg2 = r;
            const bool integer = (type == TYPE_DREG || type == TYPE_AREG) && (op.cls == CLS_DN || op.cls == CLS_AN);
            if (!integer && !(type == TYPE_FPREG && op.cls == CLS_FPN)) {
                as.report_error(msg::SCAN_REGISTER_LIST_INVALID);
                continue;
            }
            if (integer) {
                // d0-d7 then a0-a7 are one run of sixteen, the order of the mask
                // bits, so d0-a6 crosses from the data to the address registers.
                // Written backwards (a0-d3), a range means the same as forwards.
                const int32_t from = (op.reg & 7) + (op.cls == CLS_AN ? 8 : 0);
                const int32_t to = (r & 7) + (type == TYPE_AREG ? 8 : 0);
                const int32_t lo = from < to ? from : to;
                const int32_t hi = from < to ? to : from;
                mask |= ((int32_t{1} << (hi - lo + 1)) - 1) << lo;
                continue;
            }
            int32_t lo = op.reg < r ? op.reg : r;
            int32_t hi = op.reg < r ? r : op.reg;
            if (lo < 0) lo = 0;
            if (hi > 7) hi = 7;
            if (lo <= hi) {
                // regbit of every floating-point register from lo to hi, as one run of bits.
                const int32_t run = (int32_t{1} << (hi - lo + 1)) - 1;
                mask |= run << (7 - hi);
            }
        }
    }
    mask |= regbit(op.cls, op.reg);
    if (op.cls == CLS_DN || op.cls == CLS_AN)
        op.cls = CLS_RLIST;
    else if (op.cls == CLS_FPN)
        op.cls = CLS_FPLIST;
    else if (op.cls == CLS_FPCN)
        op.cls = CLS_FPCLIST;
    op.reg = mask;
    op.list_count = static_cast<uint8_t>(count > 255 ? 255 : count);
}

int32_t OperandScanner::regbit(int cls, int32_t reg) {
    if (cls == CLS_FPCN) return reg;  // FPIAR 1, FPSR 2, FPCR 4: already a bit
    if (reg < 0 || reg > 7) return 0;
    switch (cls) {
    case CLS_DN: return int32_t{1} << reg;
    case CLS_AN: return int32_t{1} << (reg + 8);
    case CLS_FPN: return int32_t{1} << (7 - reg);
    default: return 0;
    }
}

// Whatever follows a complete operand would otherwise be dropped unseen.
void OperandScanner::skip_text_after_operand(const char*& p) {
    const char* end = p;
    while (!at_end(*end) && *end != ' ' && *end != '\t') ++end;
    const std::string text(p, static_cast<size_t>(end - p));
    as.report_error_arg(msg::SCAN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT, text.c_str());
    while (p != end && *p != ',') ++p;
}

void OperandScanner::warn_operands_after_blank(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    // ';' starts a comment, and so does '*' with a blank or nothing after it;
    // a word or a parenthesis is a comment's usual start.
    const bool more = *p == ',' || *p == '+' || *p == '-' || *p == '/' || *p == '&' || *p == '|' ||
                      *p == '^' || *p == '<' || *p == '>' || *p == '%' ||
                      (*p == '*' && !at_end(p[1]) && p[1] != ' ' && p[1] != '\t' && p[1] != '*');
    if (!more) return;
    const char* end = p;
    while (!at_end(*end)) ++end;
    const std::string text(p, static_cast<size_t>(end - p));
    as.report_warning_arg(msg::SCAN_BLANK_ENDS_THE_OPERANDS_FMT, text.c_str());
}

void OperandScanner::scan_exprlist(Statement& st, bool more) {
    TextCursor& c = st.cursor;
    // dc.s and dc.d items are floating-point numbers.
    const OperandNumbers outer = c.numbers;
    c.numbers = FLOAT_DATA;
    list_continues = false;
    int n = 0;
    unsigned stars_after_first = as.ev.star_terms;
    for (;;) {
        while (c.peek() == ' ' || c.peek() == '\t') c.step();
        Operand& op = st.operands[n];
        scan(c, op);
        if (n == 0 && !more) stars_after_first = as.ev.star_terms;
        if (op.cls != CLS_EXPR && op.cls != CLS_STRING) {
            as.report_error(msg::SCAN_EXPECTED_EXPRESSION);
            break;
        }
        ++n;
        check_operand_end(op, c.at);
        if (n == MAX_EXPR_ITEMS) {
            list_continues = c.peek() == ',';
            break;
        }
        check_field_end(c.at);
        if (c.take() != ',') break;
    }
    c.numbers = outer;
    st.operands[n].cls = CLS_NONE;
    st.operand_count = n;
    st.operands_written = MAX_INSTRUCTION_OPERANDS;
    star_after_first = (more || n > 1) && as.ev.star_terms != stars_after_first;
}

void OperandScanner::scan_exprlist_more(Statement& st) {
    st.cursor.step();  // the comma
    // The items before went out with their relocations: their terms' symbol
    // slots are free for the next ones.
    as.ev.begin_line();
    scan_exprlist(st, true);
}

} // namespace tobra
