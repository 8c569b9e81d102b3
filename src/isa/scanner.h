// Operand scanner and variant matching.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "isa/mnemonics.h"
#include "isa/operand.h"
#include "isa/statement.h"

namespace tobra {

class Assembler;
struct SymbolRecord;

// What may follow an operand: a comma, a blank or tab, ';', or the end of
// the line. A CR is left in a line that ended in CR LF.
inline constexpr struct OperandEnds {
    bool is_end[256] = {};
    constexpr OperandEnds() {
        for (char c : {'\0', '\t', '\n', '\r', ' ', ',', ';'}) is_end[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool operator[](unsigned char c) const { return is_end[c]; }
} operand_ends{};

// The characters checklist acts on: . : < > - /. After most registers comes a
// comma or the end, and the call is skipped.
inline bool may_extend_register(char c) {
    constexpr uint32_t bits = (1u << ('.' - 0x20)) | (1u << (':' - 0x20)) | (1u << ('<' - 0x20)) |
                              (1u << ('>' - 0x20)) | (1u << ('-' - 0x20)) | (1u << ('/' - 0x20));
    const unsigned u = static_cast<unsigned>(static_cast<uint8_t>(c)) - 0x20u;
    return u < 32 && ((bits >> u) & 1);
}

class OperandScanner {
public:
    explicit OperandScanner(Assembler& assembler) : as(assembler) {}

    // One operand at the cursor; the cursor is left after it.
    void scan(TextCursor& c, Operand& op);
    // The parenthesised base-and-index part; op.value holds the displacement
    // and op.fwd its forward flag.
    void scan_indexed(TextCursor& c, Operand& op);
    // Index register, size and scale into op.reg2, op.addr_size, op.scale.
    void scan_index(TextCursor& c, Operand& op);
    // The size an optional suffix (.b .w .l .s .d) gives an address or an
    // index register; without one, long, and after another letter the size
    // follows the value.
    AddrSize abs_size(TextCursor& c, int32_t value);
    // abs_size into op.addr_size, noting whether the suffix was written.
    void address_size(TextCursor& c, Operand& op, int32_t value);
    // What may follow a register: half, pair, MAC shift, register list.
    void checklist(TextCursor& c, Operand& op);
    static int32_t regbit(int cls, int32_t reg);
    // The item list of dc and dr, read at st.cursor, into st.operands[0..],
    // ended by a class-0 record. A list longer than the record area is read a
    // record area at a time: list_continues says more items follow,
    // scan_exprlist_more reads them.
    void scan_exprlist(Statement& st, bool more = false);
    void scan_exprlist_more(Statement& st);
    bool list_continues = false;
    // scan_exprlist read the current place (*) in an item after the first.
    bool star_after_first = false;
    // After an operand the cursor must be on a comma, a blank, a tab, ';' or
    // the end of the line (a CR included). Anything else is a counted error,
    // and is stepped over up to the next comma so that the line is still
    // encoded. An operand that was not recognised has had its message, and
    // the line fails anyway.
    void check_operand_end(const Operand& op, const char*& cursor) {
        if (!operand_ends[static_cast<unsigned char>(*cursor)] && op.cls != 0) skip_text_after_operand(cursor);
    }

    // A blank ends the operand field and the rest of the line is comment;
    // text there that reads as more operands (a comma or an operator: dc.w 3 ,4)
    // gets a warning. at: the character that ended the field.
    void check_field_end(const char* at) {
        if (*at == ' ' || *at == '\t') warn_operands_after_blank(at);
    }

    // First variant whose sizes and operand classes fit the line, or nullptr;
    // the operands scanned are left in st, and st.cursor after them (it
    // starts where the parser left it, and reads under st.size).
    // numbers: how the operands read decimal numbers under .s and .d.
    const Variant* match(Statement& st, const Variant* first, int count, OperandNumbers numbers = INTEGER);
    void dump_composite();
    void dump_legal();

private:
    // Compiled into match, its one caller, which every instruction line passes.
    [[gnu::always_inline]] inline void scan_operand(TextCursor& c, Operand& op);
    [[gnu::always_inline]] inline const Variant* match_variant(Statement& st, const Variant* first, int count);
    void skip_text_after_operand(const char*& p);
    [[gnu::noinline]] void warn_operands_after_blank(const char* p);
    // Evaluates a term that should be a register; the relocation data of the
    // operand being scanned is left alone.
    int eval_register(TextCursor& c, int32_t& value);
    bool scan_known_register(TextCursor& c, Operand& op, SymbolRecord* s);
    bool scan_known_indirect(TextCursor& c, Operand& op);
    void scan_immediate(TextCursor& c, Operand& op);
    void scan_parenthesised(TextCursor& c, Operand& op);
    void scan_predecrement(TextCursor& c, Operand& op);
    void scan_term(TextCursor& c, Operand& op);
    void take_term(TextCursor& c, Operand& op, int type, const int32_t* v, const char* start);
    void scan_list(TextCursor& c, Operand& op);

    Assembler& as;
};

} // namespace tobra
