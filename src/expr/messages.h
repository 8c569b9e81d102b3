// The fixed message texts of expressions and the symbol table, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* EVAL_AN_ADDRESS_CANNOT_BE_COMPLEMENTED = "eval: an address cannot be complemented; a relocation holds one address plus a constant";
inline constexpr const char* EVAL_AN_ADDRESS_CANNOT_BE_NEGATED = "eval: an address cannot be negated; a relocation holds one address plus a constant";
inline constexpr const char* EVAL_AN_ADDRESS_CANNOT_BE_SUBTRACTED = "eval: an address cannot be subtracted from a number; a relocation holds one address plus a constant";
inline constexpr const char* EVAL_AN_EXTERNAL_NAME_AFTER_THE_254TH = "eval: an external name after the 254th term of a line";
inline constexpr const char* EVAL_BAD_STRING = "eval: bad string";
inline constexpr const char* EVAL_DIVISION_BY_ZERO = "eval: division by zero";
inline constexpr const char* EVAL_EXPRESSION = "eval: expression";
inline constexpr const char* EVAL_NOT_A_FLOATING_POINT_NUMBER_FMT = "eval: not a floating-point number - %s";
inline constexpr const char* EVAL_NO_EXPRESSION_IN_PARENTHESES_FMT = "eval: no expression in parentheses - %s";
inline constexpr const char* EVAL_NUMBER_HAS_NO_DIGITS_FMT = "eval: number has no digits - %s";
inline constexpr const char* EVAL_NUMBER_WIDER_THAN_32_BITS_FMT = "eval: number wider than 32 bits, only its low 32 bits are kept - %s";
inline constexpr const char* EVAL_ONLY_APPLY_TO_FLOATING_POINT_NUMBERS = "eval: only + - * / apply to floating-point numbers";
inline constexpr const char* EVAL_PARENTHESIS_NOT_CLOSED_FMT = "eval: parenthesis not closed - %s";
inline constexpr const char* EVAL_THE_DISTANCE_BETWEEN_TWO_SECTIONS = "eval: the distance between two sections is known only to the linker, and no relocation holds it";
inline constexpr const char* EVAL_THE_DISTANCE_TO_AN_EXTERNAL_NAME = "eval: the distance to an external name is known only to the linker, and no relocation holds it";
inline constexpr const char* EVAL_TWO_ADDRESSES_CANNOT_BE_ADDED = "eval: two addresses cannot be added; a relocation holds one address plus a constant";
inline constexpr const char* INSTALL_PHASING_ERROR = "install: phasing error";
inline constexpr const char* INSTALL_RESERVED_SYMBOL_NAME_FMT = "install: reserved symbol name: %s";
inline constexpr const char* INSTALL_SYMBOL_REDEFINED_FMT = "install: symbol redefined: %s";
inline constexpr const char* INSTALL_SYMBOL_TABLE_FULL = "install: symbol table full";
inline constexpr const char* LOOKUP_UNDEFINED_FMT = "lookup: undefined - %s";
inline constexpr const char* NO_MEM_FOR_FWD_REFS = "No mem for fwd refs";
// clang-format on

} // namespace tobra::msg
