// The fixed message texts of the operand scanner and the instruction table, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* CODE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR = "code: instruction not allowed on this processor.";
inline constexpr const char* CORE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR = "core: instruction not allowed on this processor.";
inline constexpr const char* FPU_FLOATING_POINT_NOT_ALLOWED_ON_THIS = "fpu: floating-point not allowed on this processor.";
inline constexpr const char* MAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR = "mac: instruction not allowed on this processor.";
inline constexpr const char* SCAN_BAD_INDEXED_ADDRESSING_SYNTAX = "scan: bad indexed addressing syntax";
inline constexpr const char* SCAN_BLANK_ENDS_THE_OPERANDS_FMT = "scan: blank ends the operands, the rest is comment - %s";
inline constexpr const char* SCAN_EXPECTED_COMMA = "scan: expected ,";
inline constexpr const char* SCAN_EXPECTED_EXPRESSION = "scan: expected expression";
inline constexpr const char* SCAN_EXPECTED_PAREN = "scan: expected )";
inline constexpr const char* SCAN_EXPECTED_QUOTED_PAREN = "scan: expected ')'";
inline constexpr const char* SCAN_EXPRESSION_SYNTAX = "scan: expression syntax";
inline constexpr const char* SCAN_ILLEGAL_SIZE_FOR_INDEX = "scan: illegal size for index";
inline constexpr const char* SCAN_INDEX_REGISTER = "scan: index register";
inline constexpr const char* SCAN_REGISTER_LIST_INVALID = "scan: register list invalid";
inline constexpr const char* SCAN_SHIFT_VALUE_OUT_OF_RANGE = "scan: shift value out of range";
inline constexpr const char* SCAN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT = "scan: unexpected text after operand - %s";
inline constexpr const char* SCAN_UPPER_OR_LOWER_REQUIRED = "scan: upper or lower required";
// clang-format on

} // namespace tobra::msg
