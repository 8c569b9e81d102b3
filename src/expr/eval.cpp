// The expression evaluator.
#include "expr/eval.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "driver/assembler.h"
#include "expr/messages.h"
#include "isa/classes.h"
#include "isa/registers.h"

namespace tobra {

// The parts read on every term; they are members of the same assembler,
// bound here whether or not they are constructed yet.
Evaluator::Evaluator(Assembler& assembler)
    : options_(assembler.options), drv_(assembler.drv), fwd_(assembler.fwd), as(assembler) {}

namespace {

// Relocation result of an operator: 0 absolute, 1 relocatable, -1 not allowed.
// Index: 24 * (an external term was seen) + 4 * group + 2 * left + right, where
// left/right say whether that side needs relocation.
// clang-format off
constexpr int8_t combine_table[48] = {
    // without an external term
    0, 1, 1, -1,    // +
    0, -1, 1, 0,    // -   label - label of the same section is absolute
    0, -1, -1, -1,  // << >>
    0, -1, -1, -1,  // & | ^
    0, -1, -1, -1,  // *
    0, -1, -1, -1,  // / %
    // with an external term
    0, 1, 1, -1,
    0, -1, 1, -1,
    0, -1, -1, -1,
    0, -1, -1, -1,
    0, -1, -1, -1,
    0, -1, -1, -1,
};
// clang-format on

// The operator characters, by character code.
struct OperatorTable {
    bool is[256] = {};
    constexpr OperatorTable() {
        for (const char* c = "+-*/&%|^<>"; *c; ++c) is[static_cast<unsigned char>(*c)] = true;
    }
};
constexpr OperatorTable operator_table;

inline bool is_operator(char c) { return operator_table.is[static_cast<unsigned char>(c)]; }
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool at_end(char c) { return c == '\0' || c == '\n'; }

int operator_group(char op) {
    switch (op) {
    case '+': return 0;
    case '-': return 1;
    case '<': case '>': return 2;
    case '&': case '|': case '^': return 3;
    case '*': return 4;
    default: return 5;  // / %
    }
}

// Why no relocation can hold an address combined by an operator: a
// relocation adds one section's or one name's address to a constant, nothing
// more.
void refuse_combination(Assembler& as, char op, bool left, bool right, bool external) {
    if (op == '+' && left && right) return as.report_error(msg::EVAL_TWO_ADDRESSES_CANNOT_BE_ADDED);
    if (op == '-' && right && !left) return as.report_error(msg::EVAL_AN_ADDRESS_CANNOT_BE_SUBTRACTED);
    if (op == '-' && external) return as.report_error(msg::EVAL_THE_DISTANCE_TO_AN_EXTERNAL_NAME);
    if (op == '-') return as.report_error(msg::EVAL_THE_DISTANCE_BETWEEN_TWO_SECTIONS);
    std::string shown = op == '<' ? "<<" : op == '>' ? ">>" : std::string(1, op);
    const std::string text =
        "eval: an address cannot be an operand of " + shown + "; a relocation holds one address plus a constant";
    as.report_error(msg::EVAL_AN_ADDRESS_CANNOT_BE_AN_OPERAND_BUILT.with(text.c_str()));
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 32-bit two's-complement arithmetic without undefined behaviour.
uint32_t apply(char op, uint32_t a, uint32_t b) {
    int32_t sa = static_cast<int32_t>(a), sb = static_cast<int32_t>(b);
    switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/':
        if (sb == 0) return 0;
        if (sb == -1) return 0u - a;  // INT_MIN / -1 wraps to INT_MIN
        return static_cast<uint32_t>(sa / sb);
    case '%':
        if (sb == 0 || sb == -1) return 0;
        return static_cast<uint32_t>(sa % sb);
    case '&': return a & b;
    case '|': return a | b;
    case '^': return a ^ b;
    // A count of 32 or more (or a negative one) shifts every bit out.
    case '<': return b < 32 ? a << b : 0;
    case '>': return b < 32 ? static_cast<uint32_t>(sa >> b) : 0;
    default: return a;
    }
}

// Nearest single-precision value of d; out-of-range doubles become the
// largest float or infinity as rounding to nearest gives, never undefined.
float narrow_to_float(double d) {
    double mag = std::fabs(d);
    if (mag <= FLT_MAX || std::isinf(d) || std::isnan(d)) return static_cast<float>(d);
    // FLT_MAX plus half its last place rounds to infinity.
    const double limit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    float f = mag < limit ? FLT_MAX : std::numeric_limits<float>::infinity();
    return d < 0 ? -f : f;
}

} // namespace

// In an absolute program only a label of another section counts as needing
// relocation. In an object file every label does, its own section's too: the
// linker moves them all, so label+4 must be relocated and only the
// difference of two labels of one section is a plain number.
int Evaluator::relocation_flag() const {
    if (last_kind == KIND_EXTERNAL) return 1;
    if (last_kind == KIND_RELOCATABLE && relocatable_output()) return 1;
    // A name not yet known in pass 1 of an object file is taken as a number:
    // its combinations are checked in pass 2, when it is known.
    if (last_kind == KIND_UNDEFINED && relocatable_output()) return 0;
    if (last_kind == KIND_RELOCATABLE || last_kind == KIND_UNDEFINED)
        return last_section != as.drv.current_section ? 1 : 0;
    if (last_kind == KIND_GROUP) return group_flag_;
    return 0;
}

bool Evaluator::relocatable_output() const { return as.options.relocatable_output; }

[[gnu::always_inline]] inline void Evaluator::record_term(Operand& op) const {
    op.reloc_kind = static_cast<uint8_t>(last_kind);
    int slot = term_number - 1;
    op.sym_slot = slot >= 0 && slot < LINE_SYMBOL_SLOTS ? static_cast<uint8_t>(slot) : LINE_SYMBOL_NONE;
    // An external name whose slot is lost would get no relocation at all.
    if (op.sym_slot == LINE_SYMBOL_NONE && last_kind == KIND_EXTERNAL)
        as.report_error(msg::EVAL_AN_EXTERNAL_NAME_AFTER_THE_254TH);
    op.is_abs = 0;
    op.sym_section = static_cast<uint8_t>(last_section);
}

bool Evaluator::same_external(int left_slot, int right_slot) const {
    const SymbolRecord* a = line_symbol(left_slot);
    const SymbolRecord* b = line_symbol(right_slot);
    return a && b && a->kind == KIND_EXTERNAL && b->kind == KIND_EXTERNAL &&
           as.sym.relocation_symbol(a) == as.sym.relocation_symbol(b);
}

bool Evaluator::refuse_negated(const Operand& op, bool complement) {
    if ((op.reloc_kind != KIND_EXTERNAL && op.reloc_kind != KIND_RELOCATABLE) || !relocatable_output()) return false;
    as.report_error(complement ? msg::EVAL_AN_ADDRESS_CANNOT_BE_COMPLEMENTED : msg::EVAL_AN_ADDRESS_CANNOT_BE_NEGATED);
    return true;
}

[[gnu::always_inline]] inline void Evaluator::record_relocating_term(Operand& op) const {
    if (last_kind < KIND_EXTERNAL) return;  // a number or an equate, the most frequent terms
    if (last_kind == KIND_EXTERNAL || last_kind == KIND_RELOCATABLE || last_kind == KIND_UNDEFINED)
        record_term(op);
    else if (last_kind == KIND_GROUP && group_reloc_.kind != 0)
        set_reloc(op, group_reloc_);
}

const std::string& Evaluator::string_at(int32_t handle) const {
    if (handle < 0 || static_cast<size_t>(handle) >= strings_.size()) return empty_;
    return strings_[static_cast<size_t>(handle)];
}

// A quote right after '#', an operator, a sign or an opening parenthesis
// starts a character constant: there a string could only be an error. The
// scanner steps over the '#' before it calls eval, so the character before
// the cursor is looked at; the first character of the text has none.
bool Evaluator::inside_expression(const TextCursor& text, const char* quote) {
    if (quote == text.begin) return false;
    const char c = quote[-1];
    return c == '#' || c == '(' || c == '~' || is_operator(c);
}

void Evaluator::check_forward() {
    // Most expressions have no recorded forward reference: then the next key
    // lies beyond this one and there is nothing to do.
    ForwardRefs& fwd = as.fwd;
    if (fwd.next_fwd <= fwd.key_at(as.drv.condition_level)) fwd.check_symbol_term();
}

// Compiled into name_symbol: most names are found, and carry no flag that
// asks for more.
[[gnu::always_inline]] inline SymbolRecord* Evaluator::resolve_here(std::string_view name) {
    SymbolRecord* found;
    int quick = quick_register_slot(name);
    if (quick >= 0) {
        found = quick_registers_[quick];
        if (!found) found = quick_registers_[quick] = as.sym.lookup(name);
    } else {
        found = as.sym.find(name);
    }
    if (found && found->flags & (SYM_UNSET | SYM_XREF_DEFINED | SYM_PENDING)) [[unlikely]]
        found = settle_flagged(found, name);
    if (!found) [[unlikely]]
        note_not_found(name);
    if (as.drv.pass_number == 2) check_forward();
    return found;
}

SymbolRecord* Evaluator::resolve(std::string_view name) { return resolve_here(name); }

[[gnu::noinline]] SymbolRecord* Evaluator::settle_flagged(SymbolRecord* found, std::string_view name) {
    if (found->flags & SYM_UNSET) {
        as.sym.report_unset(name);
        return nullptr;
    }
    // An equate still waiting for a name further down: not yet defined.
    if (found->flags & SYM_PENDING) return nullptr;
    // Pass 1 took this use as external or not yet defined: sized as a forward reference.
    if (as.drv.pass_number == 2 && !(found->flags & SYM_DEFINED_AGAIN)) expr_fwd = true;
    return found;
}

[[gnu::noinline]] void Evaluator::note_not_found(std::string_view name) {
    last_kind = KIND_UNDEFINED;
    if (as.drv.pass_number == 1) as.fwd.record_undefined();
    if (!line_missed_) {
        line_missed_ = true;
        missed_name_.assign(name);
    }
}

uint64_t Evaluator::read_float(TextCursor& cur, const char* start, bool negative, uint32_t mask) {
    // A bounded copy of the literal (digits, fraction, exponent), so that the
    // conversion never looks past the number or the operand text.
    char buf[128];
    size_t n = 0;
    const char* p = start;
    auto take = [&](char c) {
        if (n + 1 < sizeof buf) buf[n++] = c;
    };
    while (is_digit(*p)) take(*p++);
    if (*p == '.') {
        take(*p++);
        while (is_digit(*p)) take(*p++);
    }
    if (*p == 'e' || *p == 'E') {
        take(*p++);
        if (*p == '+' || *p == '-') take(*p++);
        while (is_digit(*p)) take(*p++);
    }
    buf[n] = '\0';
    double d = std::strtod(buf, nullptr);
    if (negative) d = -d;
    const double kept = mask == SZ_D ? d : static_cast<double>(narrow_to_float(d));
    if (std::isinf(kept) || kept == 0.0) [[unlikely]]
        check_float_range((std::string(negative ? "-" : "") + buf).c_str(), d, mask == SZ_D);

    // The cursor moves over the whole run of number characters, a '-' included
    // (1.5-2 is one number); a '+' stays for the operator loop.
    p = start;
    while (is_digit(*p) || *p == '.' || *p == 'e' || *p == 'E' || *p == '-') ++p;
    cur.at = p;

    if (mask == SZ_D) return std::bit_cast<uint64_t>(d);
    return uint64_t{std::bit_cast<uint32_t>(narrow_to_float(d))} << 32;
}

// Inline in eval for its first term, which most expressions have alone; the
// terms after an operator go through eval_term.
[[gnu::always_inline]] inline int Evaluator::read_term(TextCursor& cur, int32_t* value, bool dbl) {
    // A local copy of the place, stored back before anything that may read it.
    const char* p = cur.at;
    last_kind = 0;
    bool star = false;
    int type = TYPE_USER;
    uint32_t v = 0, v2 = 0;
    bool negate = false, complement = false, raw_float = false;

    if (*p == '-') { negate = true; ++p; }
    if (*p == '~') { complement = true; ++p; }

    const char c = *p;
    if (is_name_start(c)) {
        // Names come first, being the most frequent terms; a name start is
        // none of the characters the other cases look for.
        const char* start = p++;
        while (is_name_char(*p)) ++p;
        cur.at = p;
        if (SymbolRecord* s = name_symbol(std::string_view(start, static_cast<size_t>(p - start))))
            take_symbol(s, v, type);
    } else if (c == '%') {
        const char* digits = ++p;
        while (*p == '0' || *p == '1') v = v * 2 + static_cast<uint32_t>(*p++ - '0');
        cur.at = p;
        if (p - digits > 32 || p == digits) check_literal("%", digits, p, 2);
    } else if (c == '@') {
        const char* digits = ++p;
        while (*p >= '0' && *p <= '7') v = v * 8 + static_cast<uint32_t>(*p++ - '0');
        cur.at = p;
        if (p - digits > 10 || p == digits) check_literal("@", digits, p, 8);
    } else if (c == '$' || (c == '0' && (p[1] == 'x' || p[1] == 'X'))) {
        const char* prefix = c == '$' ? "$" : "0x";
        p += c == '$' ? 1 : 2;
        const char* digits = p;
        for (int h; (h = hex_digit(*p)) >= 0; ++p) v = v * 16 + static_cast<uint32_t>(h);
        cur.at = p;
        if (p - digits > 8 || p == digits) check_literal(prefix, digits, p, 16);
    } else if (c == '.' && is_name_char(p[1])) {
        const char* start = p++;
        while (is_name_char(*p)) ++p;
        cur.at = p;
        name_.assign(start, static_cast<size_t>(p - start));
        if (as.options.local_dot_labels) name_ += cur.scope;
        local_name_end_ = p;
        if (SymbolRecord* s = resolve(name_)) take_symbol(s, v, type);
    } else if (is_digit(c)) {
        const char* start = p;
        const uint32_t mask = number_mask(cur);
        bool wide = false;
        if (mask == SZ_B || mask == SZ_W || mask == SZ_L || mask == SZ_U) {
            while (is_digit(*p)) v = v * 10 + static_cast<uint32_t>(*p++ - '0');
            cur.at = p;
            wide = p - start > 9;  // only then can it pass 32 bits: check_literal tells
            if (*p == '.' || *p == 'e' || *p == 'E') {
                // 1234.w is an address with a size, not the number 1234.0.
                bool size_follows = p[0] == '.' && std::strchr("bBwWlLsSdD", p[1]) && p[1] != '\0' &&
                                    !is_name_char(p[2]);
                if (!size_follows) {
                    expr_fraction = true;
                    const uint64_t bits = read_float(cur, start, negate, mask);
                    v = static_cast<uint32_t>(bits >> 32);
                    v2 = static_cast<uint32_t>(bits);
                    negate = false;
                    wide = false;
                }
            }
        } else if (mask == SZ_S || mask == SZ_D) {
            const uint64_t bits = read_float(cur, start, negate, mask);
            v = static_cast<uint32_t>(bits >> 32);
            v2 = static_cast<uint32_t>(bits);
            negate = false;
            raw_float = true;
        } else {
            // Any other mask reads nothing: the term is 0 and the cursor stays.
            cur.at = p;
        }
        p = cur.at;
        if (*p == '$') {
            // A numeric local label such as 1$: qualified by the last global label.
            p = start;
            while (is_name_char(*p)) ++p;
            cur.at = p;
            name_.assign(start, static_cast<size_t>(p - start));
            name_ += cur.scope;
            local_name_end_ = p;
            if (SymbolRecord* s = resolve(name_)) take_symbol(s, v, type);
        } else if (wide) {
            check_literal("", start, p, 10);
        }
    } else if (c == '*') {
        ++star_terms;
        star = true;
        cur.at = p + 1;
        v = static_cast<uint32_t>(as.drv.line_start_address);
        // The current place moves with its section when an object file is linked.
        if (relocatable_output()) {
            last_kind = KIND_RELOCATABLE;
            last_section = as.drv.current_section;
        }
    } else if (c == '(') {
        cur.at = p;
        type = read_group(cur, v, v2);
    } else if (c == '\'' || c == '"') {
        // A doubled quote inside stands for one: 'it''s'.
        const char quote = c;
        const char* start = p + 1;
        const char* close = start;
        bool doubled = false;
        for (; !at_end(*close); ++close) {
            if (*close != quote) continue;
            if (close[1] != quote) break;
            doubled = true;
            ++close;
        }
        const bool closed = *close == quote;
        const char* after = closed ? close + 1 : close;
        if (inside_expression(cur, p) || (closed && is_operator(*after))) {
            // #'AB' and 'A'+1 are numbers: the characters packed from the right.
            int characters = 0;
            for (const char* q = start; q < close; ++q, ++characters) {
                v = (v << 8) | static_cast<unsigned char>(*q);
                if (*q == quote) ++q;
            }
            // As a number too wide: kept as the low 32 bits, and said.
            if (characters > 4) [[unlikely]]
                as.report_warning_arg(msg::EVAL_CHARACTER_CONSTANT_KEEPS_LAST_FOUR_FMT,
                                      std::string(p, static_cast<size_t>(after - p)).c_str());
            cur.at = after;
            if (!closed) as.report_error(msg::EVAL_BAD_STRING);
        } else {
            std::string& text = strings_.emplace_back(start, static_cast<size_t>(close - start));
            if (doubled) {
                size_t w = 0;
                for (size_t r = 0; r < text.size(); ++r) {
                    text[w++] = text[r];
                    if (text[r] == quote) ++r;
                }
                text.resize(w);
            }
            v = static_cast<uint32_t>(strings_.size() - 1);
            cur.at = after;
            if (!closed) as.report_error(msg::EVAL_BAD_STRING);
            type = TYPE_STRING;
        }
    } else {
        cur.at = p;
        type = TYPE_SYM;
    }

    if (type == TYPE_USER) {
        if (!raw_float) {
            if (negate) v = 0u - v;
            if (complement) v = ~v;
        }
        // No linker subtracts or inverts an address, written bare or in parentheses.
        if (negate || complement) {
            Operand moving;
            moving.reloc_kind = static_cast<uint8_t>(last_kind == KIND_GROUP ? group_reloc_.kind : last_kind);
            refuse_negated(moving, complement && !negate);
        }
    } else if ((negate || complement) && type != TYPE_SYM && type != TYPE_STRING) {
        // -d1 or ~a0 would hand the scanner a register number of -1.
        as.report_error(msg::EVAL_EXPRESSION);
        type = TYPE_SYM;
        v = 0;
    }

    // A number, the most frequent term, leaves last_kind 0 and is no address.
    if ((last_kind != 0 || star) && type == TYPE_USER && !complement) {
        const int count = last_kind == KIND_GROUP ? group_address_ : star || term_is_place() ? 1 : 0;
        term_address_ = negate ? -count : count;
    } else {
        term_address_ = 0;
    }
    ++term_number;
    if (last_kind == KIND_UNDEFINED) expr_undefined = true;
    value[0] = static_cast<int32_t>(v);
    if (dbl) value[1] = static_cast<int32_t>(v2);
    return type;
}

[[gnu::noinline]] void Evaluator::check_literal(const char* prefix, const char* digits, const char* end, unsigned base) {
    if (end == digits) {
        as.report_error_arg(msg::EVAL_NUMBER_HAS_NO_DIGITS_FMT, prefix);
        return;
    }
    // Called only for a run of digits long enough to pass 32 bits, which
    // leading zeros may still keep within them.
    uint64_t v = 0;
    for (const char* q = digits; q < end && v <= 0xFFFFFFFFu; ++q)
        v = v * base + static_cast<uint64_t>(hex_digit(*q));
    if (v > 0xFFFFFFFFu) {
        // GNU as and others cut such a number too, and say so.
        std::string text(prefix);
        text.append(digits, static_cast<size_t>(end - digits));
        as.report_warning_arg(msg::EVAL_NUMBER_WIDER_THAN_32_BITS_FMT, text.c_str());
    }
}

int Evaluator::eval_term(TextCursor& c, int32_t* value) {
    return read_term(c, value, double_mode(c));
}

// The operator-term pairs after a first term, strictly left to right, inside
// parentheses as outside. left and external describe acc on entry; the
// relocation flag of the result is returned and external updated.
[[gnu::always_inline]] inline int Evaluator::apply_operators(TextCursor& c, uint32_t& acc, int left, bool& external,
                                                                Operand& op) {
    const char*& p = c.at;
    while (is_operator(*p)) {
        char op_char = *p++;
        if (op_char == '<' || op_char == '>') {
            // Shifts are written << and >>.
            if (*p != '<' && *p != '>') {
                as.report_error(msg::EVAL_EXPRESSION);
                break;
            }
            op_char = *p++;
        }
        int32_t rhs[2] = {0, 0};
        if (eval_term(c, rhs) != TYPE_USER) {
            as.report_error(msg::EVAL_EXPRESSION);
            break;
        }
        const int left_section = op.sym_section;
        const TermReloc left_reloc = reloc_of(op);
        const int left_slot = op.sym_slot;
        record_relocating_term(op);
        if (last_kind == KIND_EXTERNAL || group_external()) external = true;
        const int right = relocation_flag();
        const uint32_t b = static_cast<uint32_t>(rhs[0]);
        // A name not yet defined reads as 0 in pass 1; only a real zero is an error.
        if ((op_char == '/' || op_char == '%') && b == 0 && last_kind != KIND_UNDEFINED &&
            !(last_kind == KIND_GROUP && group_undefined_))
            as.report_error(msg::EVAL_DIVISION_BY_ZERO);
        acc = apply(op_char, acc, b);
        // Mostly both are 0, and so is the result.
        if ((acc_address_ | term_address_) != 0) [[unlikely]]
            acc_address_ = op_char == '+'   ? acc_address_ + term_address_
                           : op_char == '-' ? acc_address_ - term_address_
                                            : 0;
        int entry = combine_table[24 * (external ? 1 : 0) + 4 * operator_group(op_char) + 2 * left + right];
        // Two labels of different sections lie a distance apart that only
        // the linker knows.
        if (relocatable_output() && op_char == '-' && left && right && left_section != last_section) entry = -1;
        // MB-ext, with MB equ ext+$10: one external name's offsets differ by a number.
        if (op_char == '-' && left && right && external && same_external(left_slot, op.sym_slot)) entry = 0;
        // An external name or a label of another section less a place of
        // this section (ext-*, msg-here) is a distance from that place: a
        // PC-relative relocation holds it.
        if (entry < 0 && op_char == '-' && left && right && !left_reloc.pc_relative && last_kind == KIND_RELOCATABLE &&
            last_section == as.drv.current_section && relocatable_output() &&
            (left_reloc.kind == KIND_EXTERNAL ||
             (left_reloc.kind == KIND_RELOCATABLE && left_section != as.drv.current_section))) {
            set_reloc(op, left_reloc);
            op.pc_relative = 1;
            entry = 1;
        }
        // A name still unknown in pass 1 has no section to judge by (lb-la
        // with lb further down, FWD&8 in a data section): pass 2 judges.
        if (entry < 0 && expr_undefined && as.drv.pass_number == 1) entry = left | right;
        if (entry < 0) {
            refuse_combination(as, op_char, left != 0, right != 0, external);
            break;
        }
        if (entry == 0) {
            op.reloc_kind = 0;
            op.pc_relative = 0;
        }
        left = entry;
    }
    return left;
}

// A parenthesised sub-expression as one term. Its terms are judged in the
// operand on their own, as a whole expression would be; then the operand gets
// back what the terms before the group left there, and the term that holds the
// group takes its relocation through KIND_GROUP and group_reloc_, as a name
// would: lab+(1+1) stays relative to lab.
int Evaluator::read_group(TextCursor& c, uint32_t& value, uint32_t& value2) {
    const char*& p = c.at;
    const char* open = p++;
    Operand& op = *group_operand_;
    const TermReloc before = reloc_of(op);
    const int address_before = acc_address_;
    set_reloc(op, TermReloc{});
    const bool had_undefined = expr_undefined;
    expr_undefined = false;
    int32_t term[2] = {0, 0};
    int type = eval_term(c, term);
    acc_address_ = term_address_;
    uint32_t acc = static_cast<uint32_t>(term[0]);
    value2 = static_cast<uint32_t>(term[1]);
    int flag = 0;
    bool external = false;
    if (type == TYPE_USER) {
        record_relocating_term(op);
        flag = relocation_flag();
        external = last_kind == KIND_EXTERNAL || group_external();
        if (!double_mode(c)) flag = apply_operators(c, acc, flag, external, op);
    }
    if (type != TYPE_USER || *p != ')') {
        // One message for a parenthesis that cannot be there, showing where.
        const char* end = open;
        while (!at_end(*end) && *end != ' ' && *end != '\t') ++end;
        const std::string text(open, static_cast<size_t>(end - open));
        as.report_error_arg(type != TYPE_USER ? msg::EVAL_NO_EXPRESSION_IN_PARENTHESES_FMT
                                              : msg::EVAL_PARENTHESIS_NOT_CLOSED_FMT,
                            text.c_str());
        // Nothing more of this operand is read, so no second message follows.
        p = end;
    } else {
        ++p;
    }
    group_reloc_ = reloc_of(op);
    set_reloc(op, before);
    group_address_ = acc_address_;
    acc_address_ = address_before;
    group_flag_ = flag;
    group_external_ = external;
    group_undefined_ = expr_undefined;
    expr_undefined = had_undefined || expr_undefined;
    last_kind = KIND_GROUP;
    value = acc;
    return TYPE_USER;
}

// A term of a bit pattern ($3f800000, an integer name) keeps today's reading,
// so only a decimal number or an equ.s name makes the expression a number.
[[gnu::noinline]] bool Evaluator::float_expression_ahead(const char* p) const {
    int depth = 0;
    bool term_start = true;
    for (;;) {
        const char c = *p;
        if (at_end(c) || (depth == 0 && (c == ',' || c == ' ' || c == '\t' || c == ';'))) return false;
        if (c == '\'' || c == '"') {
            for (++p; *p != c && !at_end(*p); ++p) {}
            if (*p == c) ++p;
            term_start = false;
        } else if (c == '(' || c == ')') {
            if (c == ')' && --depth < 0) return false;
            if (c == '(') ++depth;
            term_start = c == '(';
            ++p;
        } else if (c == '$' || c == '@' || (c == '%' && term_start) ||
                   (c == '0' && (p[1] == 'x' || p[1] == 'X'))) {
            for (++p; is_name_char(*p); ++p) {}
            term_start = false;
        } else if (is_digit(c)) {
            const char* q = p;
            while (is_digit(*q)) ++q;
            if (*q != '$') return true;
            p = q + 1;  // a local label such as 1$
            term_start = false;
        } else if (is_name_start(c) || (c == '.' && is_name_char(p[1]))) {
            const char* start = p++;
            while (is_name_char(*p)) ++p;
            const SymbolRecord* s = as.sym.probe(std::string_view(start, static_cast<size_t>(p - start)));
            if (s && (s->flags & SYM_SINGLE)) return true;
            term_start = false;
        } else {
            term_start = true;
            ++p;
        }
    }
}

namespace {
// Whether a literal's digits before its exponent are not all zeros.
bool writes_nonzero(const char* text) {
    for (const char* p = text; *p != '\0' && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '1' && *p <= '9') return true;
    return false;
}
} // namespace

// Infinity, or 0 for a number that is not 0, is no value the source wrote.
void Evaluator::check_float_range(const char* text, double d, bool is_double) {
    const double kept = is_double ? d : static_cast<double>(narrow_to_float(d));
    if (std::isinf(kept))
        as.report_error_arg(msg::EVAL_FLOATING_POINT_NUMBER_OUT_OF_RANGE_FMT, text);
    else if (kept == 0.0 && writes_nonzero(text))
        as.report_warning_arg(msg::EVAL_FLOATING_POINT_NUMBER_BECOMES_ZERO_FMT, text);
}

[[gnu::noinline, gnu::cold]] void Evaluator::eval_float(TextCursor& c, int32_t* value) {
    expr_float = true;
    // Names in a floating-point expression are probed without a note of
    // pass 1: pass 2 reads the line again.
    as.replay.unsettle();
    const char* const start = c.at;
    const double d = float_sum(c);
    // A number, or a sum of numbers in range (1e30*1e30 in dc.s), may leave it.
    const bool is_double = c.size == SZ_D;
    const double kept = is_double ? d : static_cast<double>(narrow_to_float(d));
    if (std::isinf(kept) || (kept == 0.0 && d != 0.0)) [[unlikely]] {
        std::string text(start, static_cast<size_t>(c.at - start));
        while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
        if (std::isinf(kept))
            as.report_error_arg(msg::EVAL_FLOATING_POINT_NUMBER_OUT_OF_RANGE_FMT, text.c_str());
        else
            as.report_warning_arg(msg::EVAL_FLOATING_POINT_NUMBER_BECOMES_ZERO_FMT, text.c_str());
    }
    if (c.size == SZ_D) {
        const uint64_t bits = std::bit_cast<uint64_t>(d);
        value[0] = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
        value[1] = static_cast<int32_t>(static_cast<uint32_t>(bits));
    } else {
        value[0] = static_cast<int32_t>(std::bit_cast<uint32_t>(narrow_to_float(d)));
    }
    last_kind = 0;
}

double Evaluator::float_sum(TextCursor& c) {
    const char*& p = c.at;
    double acc = float_term(c);
    while (is_operator(*p)) {
        const char op = *p;
        if (op != '+' && op != '-' && op != '*' && op != '/') {
            as.report_error(msg::EVAL_ONLY_APPLY_TO_FLOATING_POINT_NUMBERS);
            // Nothing more of this operand is read, so no second message follows.
            while (!at_end(*p) && *p != ',' && *p != ' ' && *p != '\t') ++p;
            break;
        }
        ++p;
        const double b = float_term(c);
        switch (op) {
        case '+': acc += b; break;
        case '-': acc -= b; break;
        case '*': acc *= b; break;
        default:
            // A name not yet defined reads as 0 in pass 1; only a real zero is an error.
            if (b == 0 && !expr_undefined) {
                as.report_error(msg::EVAL_DIVISION_BY_ZERO);
                acc = 0;
            } else if (b != 0) {
                acc /= b;
            }
            break;
        }
    }
    return acc;
}

double Evaluator::float_term(TextCursor& cur) {
    const char*& p = cur.at;
    const bool negate = *p == '-';
    if (negate) ++p;
    double d = 0;
    const char c = *p;
    if (c == '(') {
        const char* open = p++;
        d = float_sum(cur);
        if (*p == ')') {
            ++p;
        } else {
            const char* end = open;
            while (!at_end(*end) && *end != ' ' && *end != '\t') ++end;
            const std::string text(open, static_cast<size_t>(end - open));
            as.report_error_arg(msg::EVAL_PARENTHESIS_NOT_CLOSED_FMT, text.c_str());
            p = end;
        }
    } else if (is_digit(c)) {
        // digits[.digits][e[+-]digits], copied so that strtod sees no more.
        char buf[128];
        size_t n = 0;
        auto take = [&] {
            if (n + 1 < sizeof buf) buf[n++] = *p;
            ++p;
        };
        while (is_digit(*p)) take();
        if (*p == '.') {
            take();
            while (is_digit(*p)) take();
        }
        if (*p == 'e' || *p == 'E') {
            take();
            if (*p == '+' || *p == '-') take();
            while (is_digit(*p)) take();
        }
        buf[n] = '\0';
        d = std::strtod(buf, nullptr);
        // Too small for a double: the sum cannot tell it from a written 0.
        if (d == 0.0 && writes_nonzero(buf)) [[unlikely]]
            as.report_warning_arg(msg::EVAL_FLOATING_POINT_NUMBER_BECOMES_ZERO_FMT, buf);
        ++term_number;
    } else if (is_name_start(c)) {
        const char* start = p++;
        while (is_name_char(*p)) ++p;
        const std::string_view name(start, static_cast<size_t>(p - start));
        ++term_number;
        if (SymbolRecord* s = resolve(name)) {
            if (s->type == TYPE_USER && (s->flags & SYM_SINGLE)) {
                d = static_cast<double>(std::bit_cast<float>(static_cast<uint32_t>(s->value)));
            } else {
                const std::string text(name);
                as.report_error_arg(msg::EVAL_NOT_A_FLOATING_POINT_NUMBER_FMT, text.c_str());
            }
        } else {
            expr_undefined = true;
        }
    } else {
        // A bit pattern ($3f800000), a local label or anything else: the term
        // as written, read over so that no second message follows.
        const char* start = p;
        if (!at_end(*p)) ++p;
        while (is_name_char(*p)) ++p;
        const std::string text(start, static_cast<size_t>(p - start));
        as.report_error_arg(msg::EVAL_NOT_A_FLOATING_POINT_NUMBER_FMT, text.c_str());
    }
    return negate ? -d : d;
}

// Most operands are a bare register already looked up or a plain number,
// perhaps negative, perhaps the displacement before a parenthesis: the same
// result and bookkeeping as eval_expression, without its machinery. Such a
// term takes no operators and never relocates.
int Evaluator::eval(TextCursor& c, int32_t* value, Operand& op) {
    const char*& p = c.at;
    if (as.options.debug_flags & DBG_EVAL) return eval_expression(c, value, op);
    // Before the forward-reference check, which may set expr_fwd.
    expr_fwd = false;
    expr_undefined = false;
    const bool negative = p[0] == '-';
    const char* const digits = negative ? p + 1 : p;
    if (!is_digit(digits[0])) {
        SymbolRecord* s = known_register(p);
        if (!s) return is_name_start(p[0]) ? eval_name(c, value, op) : eval_expression(c, value, op);
        value[0] = register_term(c, s);
        if (double_mode(c)) value[1] = 0;
        op.address = 0;
        group_operand_ = &op;
        return s->type;
    }
    const uint32_t mask = number_mask(c);
    if (mask != SZ_B && mask != SZ_W && mask != SZ_L && mask != SZ_U) return eval_expression(c, value, op);
    uint32_t v = 0;
    const char* q = digits;
    while (is_digit(*q)) v = v * 10 + static_cast<uint32_t>(*q++ - '0');
    // Ten digits or more may not fit 32 bits: the general path says so. An
    // operator, a size or a fraction after the digits is read there too.
    if (!(operand_ends[static_cast<unsigned char>(*q)] || *q == '(') || q - digits > 9)
        return eval_expression(c, value, op);
    p = q;
    if (negative) v = 0u - v;
    last_kind = 0;
    last_section = 0;
    expr_float = false;
    expr_fraction = false;
    op.address = 0;
    group_operand_ = &op;
    ++term_number;
    value[0] = static_cast<int32_t>(v);
    as.fwd.number_expression_at(as.drv.condition_level);
    return TYPE_USER;
}

// What read_term and eval_expression make of one name with no operator
// after it, in their order: a label, an equate or an external name as an
// operand, a branch target, a dc item.
[[gnu::noinline]] int Evaluator::eval_name(TextCursor& c, int32_t* value, Operand& op) {
    if (options_.debug_flags & DBG_EVAL) return eval_expression(c, value, op);
    expr_fwd = false;
    expr_undefined = false;
    const char* const start = c.at;
    const char* p = start + 1;
    while (is_name_char(*p)) ++p;
    // Floating-point data may compute the expression as a number.
    if (is_operator(*p) || ((c.size & (SZ_S | SZ_D)) && c.numbers == FLOAT_DATA))
        return eval_expression(c, value, op);
    expression_start_ = start;
    expr_float = false;
    expr_fraction = false;
    last_section = 0;
    group_operand_ = &op;
    last_kind = 0;
    c.at = p;
    uint32_t v = 0;
    int type = TYPE_USER;
    const bool missed_before = line_missed_;
    if (SymbolRecord* s = name_symbol(std::string_view(start, static_cast<size_t>(p - start)))) take_symbol(s, v, type);
    if (line_missed_ && !missed_before) missed_alone_ = true;
    term_address_ = last_kind != 0 && type == TYPE_USER && term_is_place() ? 1 : 0;
    ++term_number;
    if (last_kind == KIND_UNDEFINED) expr_undefined = true;
    acc_address_ = term_address_;
    record_relocating_term(op);
    value[0] = static_cast<int32_t>(v);
    op.address = acc_address_ == 1 ? 1 : 0;
    as.fwd.number_expression_at(as.drv.condition_level);
    return type;
}

[[gnu::noinline]] int Evaluator::eval_expression(TextCursor& c, int32_t* value, Operand& op) {
    const char*& p = c.at;
    expression_start_ = p;
    local_name_end_ = nullptr;
    const bool trace = (as.options.debug_flags & DBG_EVAL) != 0;
    if (trace) {
        as.con.write("Eval at ");
        as.con.write(p);
    }
    expr_fwd = false;
    expr_undefined = false;
    expr_float = false;
    expr_fraction = false;
    last_section = 0;
    group_operand_ = &op;
    const bool dbl = double_mode(c);

    int type = TYPE_USER;
    int32_t term[2] = {0, 0};
    acc_address_ = 0;
    if ((c.size & (SZ_S | SZ_D)) && c.numbers == FLOAT_DATA && float_expression_ahead(p)) [[unlikely]] {
        eval_float(c, value);
    } else {
        const bool missed_before = line_missed_;
        type = read_term(c, term, dbl);
        // A local name alone, as a branch's target usually is.
        if (line_missed_ && !missed_before && local_name_end_ == p && p != expression_start_ && !is_operator(*p) &&
            (*expression_start_ == '.' || is_digit(*expression_start_)))
            missed_alone_ = true;
        acc_address_ = term_address_;
        record_relocating_term(op);
        if (dbl) {
            // One double-precision term and no operators.
            value[0] = term[0];
            value[1] = term[1];
        } else {
            uint32_t acc = static_cast<uint32_t>(term[0]);
            if (type == TYPE_USER && is_operator(*p)) {
                bool external = last_kind == KIND_EXTERNAL || group_external();
                apply_operators(c, acc, relocation_flag(), external, op);
            }
            value[0] = static_cast<int32_t>(acc);
        }
    }
    op.address = acc_address_ == 1 ? 1 : 0;

    if (trace) {
        as.con.print("  Eval Result=%x(%s) %s\n", static_cast<unsigned>(value[0]), type_trace_name(type),
                     expr_fwd ? "Fwdref" : "");
        as.con.write("  Eval done at ");
        as.con.write(p);
        as.con.write("\n");
    }
    as.fwd.number_expression_at(as.drv.condition_level);
    return type;
}

} // namespace tobra
