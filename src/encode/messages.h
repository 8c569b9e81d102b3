// The fixed message texts of the instruction encoders, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message ABS_ADDRESS_IS_A_FLOATING_POINT_NUMBER{4036, "abs: the address is a floating-point number"};
inline constexpr Message ABS_SHORT_ADDRESS_IS_SIGN_EXTENDED_PRINTF{4001, "abs: short address $%lX is sign-extended to $FFFF%04lX; write .l to reach $%lX"};
inline constexpr Message ADD_THIS_MODE_IS_NOT_SUPPORTED{4002, "add: this mode is not supported\n"};
inline constexpr Message BAD_SIZE_IN_SIZE76{4003, "Bad size in size76"};
inline constexpr Message BAD_TYPE_IN_MODREG{4004, "Bad type in modreg"};
inline constexpr Message BRANCH_BYTE_DESTINATION_OUT_OF_RANGE{4005, "branch: byte destination out of range"};
inline constexpr Message BRANCH_INVALID_DESTINATION{4006, "branch: invalid destination"};
inline constexpr Message BRANCH_OBJECT_FILE_HAS_NO_REFERENCE_FOR_AN{4034, "branch: the object file has no reference for a branch to an external name plus a constant; ELF (--elf) has one"};
inline constexpr Message BRANCH_WORD_DESTINATION_OUT_OF_RANGE{4007, "branch: word destination out of range"};
inline constexpr Message CMP_SIZE_MUST_BE_LONG{4008, "cmp: size must be long"};
inline constexpr Message CODE_INSTRUCTION_AT_AN_ODD_ADDRESS_CANNOT{4009, "code: instruction at an odd address cannot be executed (write even before it)"};
inline constexpr Message CORE_CONTROL_REGISTER_NOT_AVAILABLE_ON_THIS{4010, "core: control register not available on this processor."};
inline constexpr Message CORE_LONG_DISPLACMENT_NOT_ALLOWED_ON_THIS{4011, "core: long displacment not allowed on this processor."};
inline constexpr Message CORE_RAMBAR_IS_AMBIGUOUS_ON_THIS_PROCESSOR{4012, "core: rambar is ambiguous on this processor, rambar0 (0xC04) assumed; write rambar0 or rambar1"};
inline constexpr Message CORE_USP_NOT_AVAILABLE_ON_THIS_PROCESSOR{4013, "core: usp not available on this processor."};
inline constexpr Message CPU_TYPE_NOT_VALID_OR_SUPPORTED{4014, "cpu: type not valid or supported"};
inline constexpr Message EA_BYTE_SIZE_NOT_ALLOWED_ON_ADDRESS{4015, "ea: byte size not allowed on address register"};
inline constexpr Message EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR{4016, "emac: instruction not allowed on this processor."};
inline constexpr Message ERROR_IN_MNEMONIC_TABLE{4017, "Error in Mnemonic table"};
inline constexpr Message FINISH4{4018, "finish4"};
inline constexpr Message FLOAT_MODE_NOT_SUPPORTED{4019, "float: mode not supported\n"};
inline constexpr Message GETRLIST{4020, "getrlist"};
inline constexpr Message INDEX_INDEX_VALUE_OUT_OF_RANGE{4021, "index: index value out of range"};
inline constexpr Message INDEX_MODE_NOT_SUPPORTED_BY_THIS_INSTRUCTION{4022, "index: mode not supported by this instruction"};
inline constexpr Message INDEX_SCALE_8_NOT_SUPPORTED_ON_THIS{4023, "index: scale 8 not supported on this processor."};
inline constexpr Message MACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG{4024, "macl: upper/lower not applicable on long"};
inline constexpr Message MAC_INVALID_ACCUMULATOR{4025, "mac: invalid accumulator"};
inline constexpr Message MAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG{4026, "mac: upper/lower not applicable on long"};
inline constexpr Message MOVE_MODE_NOT_SUPPORTED{4027, "move: mode not supported"};
inline constexpr Message MSACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG{4028, "msacl: upper/lower not applicable on long"};
inline constexpr Message MSAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG{4029, "msac: upper/lower not applicable on long"};
inline constexpr Message MULDIV_UNSIZED_MULTIPLY_OR_DIVIDE{4030, "muldiv: unsized multiply or divide is the long form; write .l or .w (opt nomuldivwarn)"};
inline constexpr Message PCINDEX_SYMBOL_REFERENCE_NOT_IN_SAME_SECTION{4031, "pcindex: symbol reference not in same section"};
inline constexpr Message SUB_THIS_MODE_IS_NOT_SUPPORTED{4032, "sub: this mode is not supported\n"};
inline constexpr Message VALUE_NOT_IN_RANGE_MINUS_ONE_OR_1_TO_7_PRINTF{4035, "%ld value not in range: -1 or [1,7]"};
inline constexpr Message VALUE_NOT_IN_RANGE_PRINTF{4033, "%ld value not in range: [%ld,%ld]"};
// clang-format on

} // namespace tobra::msg
