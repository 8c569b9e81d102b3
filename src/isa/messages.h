// The fixed message texts of the operand scanner and the instruction table, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message CODE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR{3001, "code: instruction not allowed on this processor."};
inline constexpr Message CORE_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR{3002, "core: instruction not allowed on this processor."};
inline constexpr Message FPU_FLOATING_POINT_NOT_ALLOWED_ON_THIS{3003, "fpu: floating-point not allowed on this processor."};
inline constexpr Message MAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR{3004, "mac: instruction not allowed on this processor."};
inline constexpr Message SCAN_BAD_INDEXED_ADDRESSING_SYNTAX{3005, "scan: bad indexed addressing syntax"};
inline constexpr Message SCAN_BLANK_ENDS_THE_OPERANDS_FMT{3006, "scan: blank ends the operands, the rest is comment - %s"};
inline constexpr Message SCAN_EXPECTED_COMMA{3007, "scan: expected ,"};
inline constexpr Message SCAN_EXPECTED_EXPRESSION{3008, "scan: expected expression"};
inline constexpr Message SCAN_EXPECTED_PAREN{3009, "scan: expected )"};
inline constexpr Message SCAN_EXPECTED_QUOTED_PAREN{3010, "scan: expected ')'"};
inline constexpr Message SCAN_EXPRESSION_SYNTAX{3011, "scan: expression syntax"};
inline constexpr Message SCAN_ILLEGAL_SIZE_FOR_INDEX{3012, "scan: illegal size for index"};
inline constexpr Message SCAN_INDEX_REGISTER{3013, "scan: index register"};
inline constexpr Message SCAN_REGISTER_LIST_INVALID{3014, "scan: register list invalid"};
inline constexpr Message SCAN_SHIFT_VALUE_OUT_OF_RANGE{3015, "scan: shift value out of range"};
inline constexpr Message SCAN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT{3016, "scan: unexpected text after operand - %s"};
inline constexpr Message SCAN_UPPER_OR_LOWER_REQUIRED{3017, "scan: upper or lower required"};
// clang-format on

} // namespace tobra::msg
