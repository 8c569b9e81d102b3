// Handlers: what runs a matched variant, and how a line of it behaves apart
// from that. The rows themselves are in isa/handlers.def.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tobra {

// What a line does while the conditional block around it is skipped.
enum SkipAction : uint8_t {
    SKIP_NOTHING,
    SKIP_OPEN_BLOCK,      // if*: a nested block opens, skipped as well
    SKIP_ELSE,            // else: turns the block over if the enclosing one is assembled
    SKIP_ENDC,            // endc: closes the block
    SKIP_LIST_LABEL,      // equ: lists the value its label already has
    SKIP_LIST_NAME,       // lists the value of the symbol its first word names
    SKIP_LIST_BITDEF,     // bitdef: lists the value of the mask name
    SKIP_LIST_LVO,        // lvo: lists the value of the _lvo name
    SKIP_CLASSTAG_START,  // classtagbegin, classtagconcat: the counter starts as it would
    SKIP_CLASSTAG,        // classtag: the counter moves on as it would
    SKIP_CLASSTAG_END,    // classtagend: lists the table's end
    SKIP_COLLECT_MACRO,   // macro: its body is read up to its endm and dropped
    SKIP_COLLECT_REPT,    // rept: its block is read up to its endr and dropped
};

// How numbers in the operands are read while the variants are matched.
enum OperandNumbers : uint8_t {
    INTEGER,
    FLOAT_DATA,  // .s and .d read decimal numbers as floating point
};

// Who defines the label of the line.
enum LabelRule : uint8_t {
    LABEL_HERE,  // the line processor, at the location counter
    OWN_LABEL,   // the handler (equ gives it the operand's value)
};

// The handlers by name; the value is the handler's number.
enum Handler : uint8_t {
#define HANDLER(name, number, runs, skipped, operands, label) name = number,
#include "isa/handlers.def"
#undef HANDLER
};

// Whether the handler encodes an instruction (and not a directive).
constexpr bool is_instruction(Handler handler) {
    switch (handler) {
#define INSTRUCTION(name, number, runs) \
    case name:                          \
        return true;
#define DIRECTIVE(name, number, runs, skipped, operands, label)
#include "isa/handlers.def"
    default: return false;
    }
}

// A handler row without the call it makes, for everyone but the dispatcher.
struct HandlerRow {
    Handler handler;
    const char* name;
    SkipAction skipped;
    OperandNumbers operands;
    LabelRule label;
};

inline constexpr HandlerRow handler_rows[] = {
#define HANDLER(name, number, runs, skipped, operands, label) {name, #name, skipped, operands, label},
#include "isa/handlers.def"
#undef HANDLER
};

inline constexpr int HANDLER_NUMBERS = 256;

// Index into handler_rows by handler number; -1 where no row has the number.
inline constexpr std::array<int16_t, HANDLER_NUMBERS> handler_index = [] {
    std::array<int16_t, HANDLER_NUMBERS> ix{};
    for (int16_t& i : ix) i = -1;
    for (std::size_t r = 0; r < std::size(handler_rows); ++r) {
        int16_t& slot = ix[handler_rows[r].handler];
        // Two rows with one number: the compiler stops here.
        if (slot != -1) throw "two handler rows have the same number";
        slot = static_cast<int16_t>(r);
    }
    return ix;
}();

// The row of a handler number; nullptr for a number without one.
constexpr const HandlerRow* find_handler(int number) {
    if (number < 0 || number >= HANDLER_NUMBERS) return nullptr;
    int16_t row = handler_index[static_cast<std::size_t>(number)];
    return row < 0 ? nullptr : &handler_rows[row];
}

// The row of a named handler: every name has one.
constexpr const HandlerRow& handler_row(Handler h) { return handler_rows[handler_index[h]]; }

} // namespace tobra
