// The left-to-right expression evaluator.
//
// An expression is a term followed by any number of operator-term pairs,
// evaluated strictly from left to right, without precedence; a parenthesised
// expression is one term.
// Register names are terms too; eval returns the symbol type of the first
// term, so the operand scanner learns from it what it has read.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "driver/driver.h"
#include "driver/source.h"
#include "expr/fwdref.h"
#include "expr/symbols.h"
#include "isa/handlers.h"
#include "isa/operand.h"
#include "isa/statement.h"

namespace tobra {

class Assembler;

// Terms of one line (of one part of a long dc list) that can name a symbol a
// relocation refers to; slots are numbered by a byte.
inline constexpr int LINE_SYMBOL_SLOTS = 254;
// sym_slot of a term past the last slot of line_symbols: refers to no symbol.
inline constexpr uint8_t LINE_SYMBOL_NONE = 0xFF;

class Evaluator {
public:
    explicit Evaluator(Assembler& assembler);

    // Reads one expression at the cursor and advances it past the
    // expression. A quote directly after '#' is a character constant: the
    // character before a quote is looked at unless the quote starts the text
    // (c.begin). c.size and c.numbers decide how decimal numbers read.
    // value[0] receives the value; in double mode (see number_mask) value[1]
    // receives the low word of the double and value must hold two words. op receives the relocation data of the expression (reloc_kind,
    // sym_slot, is_abs, sym_section); its other fields are left alone.
    // Returns the symbol type: 13 for an arithmetic value, 12 for a string,
    // a register class, or 0 when no term was found.
    //
    // numbers: FLOAT_DATA where the line's .s and .d read decimal numbers as
    // floating point (data and immediates): .s as single-precision bit
    // patterns, .d as one double-precision term whose high word goes to
    // value[0] and low word to value[1] (double mode: no operators are read).
    // With INTEGER, .s and .d read numbers exactly as .l, so that the
    // displacement of fmove.s 12(a2),fp0 stays 12.
    int eval(TextCursor& c, int32_t* value, Operand& op);
    // eval for everything but a bare register.
    int eval_expression(TextCursor& c, int32_t* value, Operand& op);
    // eval of an expression that starts with a name (is_name_start) that
    // known_register does not know: a name alone is read here, with
    // eval_expression's result and bookkeeping; anything more goes to
    // eval_expression.
    int eval_name(TextCursor& c, int32_t* value, Operand& op);
    // A register name of two characters already looked up (d0-d7, a0-a7,
    // sp, pc, in either case) at p, with no more of a name after it: its
    // record, else nullptr. Most operands are, or hold, such a register.
    // The expression trace (-x4) shows every expression: then always nullptr.
    [[gnu::always_inline]] SymbolRecord* known_register(const char* p) const {
        if (options_.debug_flags & DBG_EVAL) return nullptr;
        if (p[0] == '\0' || p[1] == '\0' || is_name_char(p[2])) return nullptr;
        const int quick = quick_register_slot(std::string_view(p, 2));
        SymbolRecord* s = quick >= 0 ? quick_registers_[quick] : nullptr;
        if (!s || s->type == TYPE_USER || s->kind == KIND_EXTERNAL || s->kind == KIND_RELOCATABLE ||
            s->kind == KIND_UNDEFINED)
            return nullptr;
        return s;
    }
    // eval of the register known_register found at the cursor, read as a
    // whole expression with the same numbering; its number is returned.
    // The operand's fields are left alone (eval clears only op.address).
    // A register never relocates and is no place: nothing reads the kind or
    // section of such a term, so they are not noted.
    [[gnu::always_inline]] int32_t register_term(TextCursor& c, SymbolRecord* s) {
        expr_fwd = false;
        expr_undefined = false;
        c.at += 2;
        if (drv_.pass_number == 2) check_forward();
        if (static_cast<unsigned>(term_number) < LINE_SYMBOL_SLOTS) line_symbols[term_number] = s;
        ++term_number;
        fwd_.number_expression_at(drv_.condition_level);
        return s->value;
    }
    // One term; the same contract for value and numbers as eval.
    int eval_term(TextCursor& c, int32_t* value);
    // Per-line reset done by line processing; inline, as every line calls it.
    void begin_line() {
        // Only the slots of the previous line's terms can be set. The first few
        // are cleared whether set or not: that is cheaper than counting them.
        constexpr int FEW = 4;
        for (int i = 0; i < FEW; ++i) line_symbols[i] = nullptr;
        int used = term_number < LINE_SYMBOL_SLOTS ? term_number : LINE_SYMBOL_SLOTS;
        for (int i = FEW; i < used; ++i) line_symbols[i] = nullptr;
        term_number = 0;
        line_missed_ = false;
        missed_alone_ = false;
    }
    // The first name of the current line that was not defined (or was an
    // equate still waiting for one); empty if none.
    std::string_view missed_name() const { return line_missed_ ? std::string_view(missed_name_) : std::string_view(); }
    // Where the text of the last expression eval read begins, when it held
    // a name (a bare register or number does not set it).
    const char* expression_start() const { return expression_start_; }
    // Whether the first name the line did not find made an expression alone.
    bool missed_name_alone() const { return missed_alone_; }
    // The text of a string term (the value eval gives for type 12, which the
    // scanner stores in an Operand's value). Empty for an unknown handle.
    const std::string& string_at(int32_t handle) const;
    // The symbol a term referred to, by an Operand's sym_slot; nullptr when the
    // slot holds none or lies outside line_symbols.
    SymbolRecord* line_symbol(int slot) const {
        return slot >= 0 && slot < LINE_SYMBOL_SLOTS ? line_symbols[slot] : nullptr;
    }

    // A value relative to a label or an external name, which no linker can
    // negate or invert, in an object file: the located error, and true.
    bool refuse_negated(const Operand& op, bool complement = false);

    // String terms read so far: a line that read one keeps a handle to it.
    size_t strings_read() const { return strings_.size(); }
    void forget_strings(size_t count) {
        if (strings_.size() > count) strings_.resize(count);
    }
    unsigned star_terms = 0;      // * terms read so far: a change shows that an operand held one
    bool expr_float = false;      // the expression was computed as a floating-point number
    // A number with a fraction or an exponent, read under an integer size,
    // gave its floating-point bits: right for data, never meant as a count.
    bool expr_fraction = false;
    bool expr_fwd = false;        // the current expression holds a forward reference
    bool expr_undefined = false;  // a term named a symbol that is not in the table
    int last_kind = 0;            // kind of the term just read; 4 for an unknown name
    int last_section = 0;         // section of the last symbol found in this expression
    SymbolRecord* line_symbols[LINE_SYMBOL_SLOTS] = {};  // by term number
    int term_number = 0;          // terms read so far on this line

private:
    static bool double_mode(const TextCursor& c) { return c.numbers == FLOAT_DATA && c.size == SZ_D; }
    // eval_term with double mode already known; eval works it out once.
    int read_term(TextCursor& c, int32_t* value, bool dbl);
    // The symbol a name term found: its value, type and relocation data.
    [[gnu::always_inline]] void take_symbol(SymbolRecord* s, uint32_t& value, int& type) {
        value = static_cast<uint32_t>(s->value);
        type = s->type;
        last_kind = s->kind;
        last_section = s->section;
        // The bits of a floating-point number, as 2.5 itself reads.
        if (s->flags & SYM_SINGLE) [[unlikely]]
            expr_fraction = true;
        if (static_cast<unsigned>(term_number) < LINE_SYMBOL_SLOTS) line_symbols[term_number] = s;
    }
    // Pass 2: raises expr_fwd if pass 1 saw a forward reference here.
    void check_forward();
    // The record a name term reads, with resolve's bookkeeping; a register
    // name already looked up skips the table.
    [[gnu::always_inline]] SymbolRecord* name_symbol(std::string_view name) {
        const int quick = quick_register_slot(name);
        if (SymbolRecord* s = quick >= 0 ? quick_registers_[quick] : nullptr) {
            if (drv_.pass_number == 2) check_forward();
            return s;
        }
        return resolve_here(name);
    }
    // Whether the name term just read (before term_number counts it) is a
    // place: a label, an external name or an equate of an address.
    bool term_is_place() const {
        return last_kind == KIND_EXTERNAL || last_kind == KIND_RELOCATABLE ||
               (last_kind == KIND_EQUATE && term_number < LINE_SYMBOL_SLOTS && line_symbols[term_number] &&
                (line_symbols[term_number]->flags & SYM_ADDRESS));
    }

    // The size mask that decides how decimal numbers are read, from the line's size.
    static uint32_t number_mask(const TextCursor& c) {
        if ((c.size == SZ_S || c.size == SZ_D) && c.numbers != FLOAT_DATA) return SZ_L;
        return c.size;
    }
    int relocation_flag() const;
    // The output is an object file, whose labels the linker still moves.
    bool relocatable_output() const;
    void record_term(Operand& op) const;
    // What an operand's value is relative to: the fields record_term sets.
    struct TermReloc {
        uint8_t kind = 0, slot = LINE_SYMBOL_NONE, is_abs = 1, section = 0, pc_relative = 0;
    };
    static TermReloc reloc_of(const Operand& op) {
        return {op.reloc_kind, op.sym_slot, op.is_abs, op.sym_section, op.pc_relative};
    }
    static void set_reloc(Operand& op, const TermReloc& r) {
        op.reloc_kind = r.kind;
        op.sym_slot = r.slot;
        op.is_abs = r.is_abs;
        op.sym_section = r.section;
        op.pc_relative = r.pc_relative;
    }
    // Records the term just read in op if its value moves with a symbol: a
    // name, or a parenthesised group whose value does.
    void record_relocating_term(Operand& op) const;
    // Looks a name term up and does the forward-reference bookkeeping; the
    // record, or nullptr (then last_kind is KIND_UNDEFINED).
    SymbolRecord* resolve(std::string_view name);
    // resolve, compiled into its caller (name_symbol, in eval.cpp only);
    // the rare cases are the calls below.
    SymbolRecord* resolve_here(std::string_view name);
    // A record found with SYM_UNSET, SYM_XREF_DEFINED or SYM_PENDING: what
    // the name reads as (nullptr: not defined).
    SymbolRecord* settle_flagged(SymbolRecord* found, std::string_view name);
    // A name that reads as not defined: the bookkeeping of an unknown term.
    void note_not_found(std::string_view name);
    static bool inside_expression(const TextCursor& text, const char* quote);
    // Floating-point items (.s and .d data and immediates): whether the
    // expression at the cursor holds a decimal number or an equ.s name, and
    // then is computed as a number rather than as a bit pattern.
    bool float_expression_ahead(const char* p) const;
    // Left to right with + - * / and parentheses; the result in value[0] (.s)
    // or value[0] and value[1] (.d).
    void eval_float(TextCursor& c, int32_t* value);
    void check_float_range(const char* text, double d, bool is_double);
    double float_sum(TextCursor& c);
    double float_term(TextCursor& c);
    int apply_operators(TextCursor& c, uint32_t& acc, int left, bool& external, Operand& op);
    int read_group(TextCursor& c, uint32_t& value, uint32_t& value2);
    // Reports a literal with no digits after its prefix, or (pass 2) one of
    // the digits of base that is wider than 32 bits.
    void check_literal(const char* prefix, const char* digits, const char* end, unsigned base);
    bool group_external() const { return last_kind == KIND_GROUP && group_external_; }
    // Whether the terms in two line_symbols slots are offsets from one external name.
    bool same_external(int left_slot, int right_slot) const;

    // How many addresses a value holds, counted +1 for a label, an external
    // name or * added and -1 for one subtracted; any other operator leaves a
    // plain number. A value is an address when the count is 1: here+2 is one,
    // here-there and here&$FF are not.
    int term_address_ = 0;   // of the term just read
    int acc_address_ = 0;    // of the expression (or group) being read
    int group_address_ = 0;  // of the last parenthesised term

    // last_kind of a parenthesised term; the group_ fields describe it.
    static constexpr int KIND_GROUP = 8;
    int group_flag_ = 0;         // relocation flag of the group's value
    bool group_external_ = false;
    bool group_undefined_ = false;  // a name inside was not yet defined
    TermReloc group_reloc_;         // the symbol the group's value moves with, if any
    Operand* group_operand_ = nullptr;  // where eval records the terms of its groups
    // The bits of a floating-point literal: the high word in the upper half.
    uint64_t read_float(TextCursor& cur, const char* start, bool negative, uint32_t mask);

    const Options& options_;
    Driver& drv_;
    ForwardRefs& fwd_;
    Assembler& as;
    std::deque<std::string> strings_;  // every string term ever read; handles index it
    std::string name_;                 // scratch for symbol names
    const char* expression_start_ = nullptr;
    bool missed_alone_ = false;             // see missed_name_alone()
    const char* local_name_end_ = nullptr;  // where the text of the last local name read ends
    bool line_missed_ = false;         // missed_name_ holds a name of this line
    std::string missed_name_;
    SymbolRecord* quick_registers_[36] = {};
    // Register names are the most frequent names of all, and a reserved name can
    // never be redefined: d0-d7, a0-a7, sp and pc (either case) are looked up once.
    // Inlined into its callers: nearly every operand asks.
    [[gnu::always_inline]] static int quick_register_slot(std::string_view name) {
        if (name.size() != 2) return -1;
        const char a = name[0], b = name[1];
        if (b >= '0' && b <= '7') {
            switch (a) {
            case 'd': return b - '0';
            case 'D': return 8 + b - '0';
            case 'a': return 16 + b - '0';
            case 'A': return 24 + b - '0';
            default: return -1;
            }
        }
        if (a == 's' && b == 'p') return 32;
        if (a == 'S' && b == 'P') return 33;
        if (a == 'p' && b == 'c') return 34;
        if (a == 'P' && b == 'C') return 35;
        return -1;
    }
    std::string empty_;
};

} // namespace tobra
