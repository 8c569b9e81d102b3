// The fixed message texts of expressions and the symbol table, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message EVAL_AN_ADDRESS_CANNOT_BE_AN_OPERAND_BUILT{2023, "eval: an address cannot be an operand of OPERATOR; a relocation holds one address plus a constant"};
inline constexpr Message EVAL_AN_ADDRESS_CANNOT_BE_COMPLEMENTED{2001, "eval: an address cannot be complemented; a relocation holds one address plus a constant"};
inline constexpr Message EVAL_AN_ADDRESS_CANNOT_BE_NEGATED{2002, "eval: an address cannot be negated; a relocation holds one address plus a constant"};
inline constexpr Message EVAL_AN_ADDRESS_CANNOT_BE_SUBTRACTED{2003, "eval: an address cannot be subtracted from a number; a relocation holds one address plus a constant"};
inline constexpr Message EVAL_AN_EXTERNAL_NAME_AFTER_THE_254TH{2004, "eval: an external name after the 254th term of a line"};
inline constexpr Message EVAL_BAD_STRING{2005, "eval: bad string"};
inline constexpr Message EVAL_DIVISION_BY_ZERO{2006, "eval: division by zero"};
inline constexpr Message EVAL_EXPRESSION{2007, "eval: expression"};
inline constexpr Message EVAL_NOT_A_FLOATING_POINT_NUMBER_FMT{2008, "eval: not a floating-point number - %s"};
inline constexpr Message EVAL_NO_EXPRESSION_IN_PARENTHESES_FMT{2009, "eval: no expression in parentheses - %s"};
inline constexpr Message EVAL_NUMBER_HAS_NO_DIGITS_FMT{2010, "eval: number has no digits - %s"};
inline constexpr Message EVAL_CHARACTER_CONSTANT_KEEPS_LAST_FOUR_FMT{2024, "eval: a character constant of more than four characters keeps only the last four - %s"};
inline constexpr Message EVAL_FLOATING_POINT_NUMBER_OUT_OF_RANGE_FMT{2025, "eval: floating-point number out of range - %s"};
inline constexpr Message EVAL_FLOATING_POINT_NUMBER_BECOMES_ZERO_FMT{2026, "eval: floating-point number too small, it becomes 0 - %s"};
inline constexpr Message EVAL_NUMBER_WIDER_THAN_32_BITS_FMT{2011, "eval: number wider than 32 bits, only its low 32 bits are kept - %s"};
inline constexpr Message EVAL_ONLY_APPLY_TO_FLOATING_POINT_NUMBERS{2012, "eval: only + - * / apply to floating-point numbers"};
inline constexpr Message EVAL_PARENTHESIS_NOT_CLOSED_FMT{2013, "eval: parenthesis not closed - %s"};
inline constexpr Message EVAL_THE_DISTANCE_BETWEEN_TWO_SECTIONS{2014, "eval: the distance between two sections is known only to the linker, and no relocation holds it"};
inline constexpr Message EVAL_THE_DISTANCE_TO_AN_EXTERNAL_NAME{2015, "eval: the distance to an external name is known only to the linker, and no relocation holds it"};
inline constexpr Message EVAL_TWO_ADDRESSES_CANNOT_BE_ADDED{2016, "eval: two addresses cannot be added; a relocation holds one address plus a constant"};
inline constexpr Message INSTALL_PHASING_ERROR{2017, "install: phasing error"};
inline constexpr Message INSTALL_RESERVED_SYMBOL_NAME_FMT{2018, "install: reserved symbol name: %s"};
inline constexpr Message INSTALL_SYMBOL_REDEFINED_FMT{2019, "install: symbol redefined: %s"};
inline constexpr Message INSTALL_SYMBOL_TABLE_FULL{2020, "install: symbol table full"};
inline constexpr Message LOOKUP_UNDEFINED_FMT{2021, "lookup: undefined - %s"};
inline constexpr Message NO_MEM_FOR_FWD_REFS{2022, "No mem for fwd refs"};
// clang-format on

} // namespace tobra::msg
