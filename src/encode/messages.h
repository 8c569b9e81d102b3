// The fixed message texts of the instruction encoders, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* ABS_SHORT_ADDRESS_IS_SIGN_EXTENDED_PRINTF = "abs: short address $%lX is sign-extended to $FFFF%04lX; write .l to reach $%lX";
inline constexpr const char* ADD_THIS_MODE_IS_NOT_SUPPORTED = "add: this mode is not supported\n";
inline constexpr const char* BAD_SIZE_IN_SIZE76 = "Bad size in size76";
inline constexpr const char* BAD_TYPE_IN_MODREG = "Bad type in modreg";
inline constexpr const char* BRANCH_BYTE_DESTINATION_OUT_OF_RANGE = "branch: byte destination out of range";
inline constexpr const char* BRANCH_INVALID_DESTINATION = "branch: invalid destination";
inline constexpr const char* BRANCH_OBJECT_FILE_HAS_NO_REFERENCE_FOR_AN = "branch: the object file has no reference for a branch to an external name plus a constant; ELF (--elf) has one";
inline constexpr const char* BRANCH_WORD_DESTINATION_OUT_OF_RANGE = "branch: word destination out of range";
inline constexpr const char* CMP_SIZE_MUST_BE_LONG = "cmp: size must be long";
inline constexpr const char* CODE_INSTRUCTION_AT_AN_ODD_ADDRESS_CANNOT = "code: instruction at an odd address cannot be executed (write even before it)";
inline constexpr const char* CORE_CONTROL_REGISTER_NOT_AVAILABLE_ON_THIS = "core: control register not available on this processor.";
inline constexpr const char* CORE_LONG_DISPLACMENT_NOT_ALLOWED_ON_THIS = "core: long displacment not allowed on this processor.";
inline constexpr const char* CORE_RAMBAR_IS_AMBIGUOUS_ON_THIS_PROCESSOR = "core: rambar is ambiguous on this processor, rambar0 (0xC04) assumed; write rambar0 or rambar1";
inline constexpr const char* CORE_USP_NOT_AVAILABLE_ON_THIS_PROCESSOR = "core: usp not available on this processor.";
inline constexpr const char* CPU_TYPE_NOT_VALID_OR_SUPPORTED = "cpu: type not valid or supported";
inline constexpr const char* EA_BYTE_SIZE_NOT_ALLOWED_ON_ADDRESS = "ea: byte size not allowed on address register";
inline constexpr const char* EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR = "emac: instruction not allowed on this processor.";
inline constexpr const char* ERROR_IN_MNEMONIC_TABLE = "Error in Mnemonic table";
inline constexpr const char* FINISH4 = "finish4";
inline constexpr const char* FLOAT_MODE_NOT_SUPPORTED = "float: mode not supported\n";
inline constexpr const char* GETRLIST = "getrlist";
inline constexpr const char* INDEX_INDEX_VALUE_OUT_OF_RANGE = "index: index value out of range";
inline constexpr const char* INDEX_MODE_NOT_SUPPORTED_BY_THIS_INSTRUCTION = "index: mode not supported by this instruction";
inline constexpr const char* INDEX_SCALE_8_NOT_SUPPORTED_ON_THIS = "index: scale 8 not supported on this processor.";
inline constexpr const char* MACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG = "macl: upper/lower not applicable on long";
inline constexpr const char* MAC_INVALID_ACCUMULATOR = "mac: invalid accumulator";
inline constexpr const char* MAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG = "mac: upper/lower not applicable on long";
inline constexpr const char* MOVE_MODE_NOT_SUPPORTED = "move: mode not supported";
inline constexpr const char* MSACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG = "msacl: upper/lower not applicable on long";
inline constexpr const char* MSAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG = "msac: upper/lower not applicable on long";
inline constexpr const char* MULDIV_UNSIZED_MULTIPLY_OR_DIVIDE = "muldiv: unsized multiply or divide is the long form; write .l or .w (opt nomuldivwarn)";
inline constexpr const char* PCINDEX_SYMBOL_REFERENCE_NOT_IN_SAME_SECTION = "pcindex: symbol reference not in same section";
inline constexpr const char* SUB_THIS_MODE_IS_NOT_SUPPORTED = "sub: this mode is not supported\n";
// clang-format on

} // namespace tobra::msg
