// The fixed message texts of the command line, sources, macros and passes, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* AS_GIVEN_FMT = "%s";
inline constexpr const char* DRIVER_PASS_CANNOT_FIND_FILE = "pass: can't find file";
inline constexpr const char* ENDM_NO_MACRO_BEING_DEFINED = "endm: no macro being defined";
inline constexpr const char* ENDR_NO_REPT_BLOCK_OPEN = "endr: no rept block open";
inline constexpr const char* EXPANSION_NESTED_TOO_DEEPLY = "expansion: nested too deeply";
inline constexpr const char* EXPANSION_TOO_MANY_LINES = "expansion: too many lines";
inline constexpr const char* FLAGS_EXPLAIN_TAKES_NO_SOURCE_FILES = "flags: --explain takes no source files";
inline constexpr const char* FLAGS_FMT = "flags: %s";
inline constexpr const char* FLAGS_G_DOES_NOTHING_WITHOUT_ELF = "flags: -g does nothing without --elf";
inline constexpr const char* FLAGS_OUTPUT_AND_NO_OUTPUT_CANNOT = "flags: --output and --no-output cannot be used together";
inline constexpr const char* FLAGS_UNRECOGNIZED_FLAG_FMT = "flags: unrecognized flag -%s";
inline constexpr const char* INCLUDE_NESTED_TOO_DEEPLY = "include: nested too deeply";
inline constexpr const char* MACRO_BAD_NAME_FMT = "macro: bad name - %s: a name starts with a letter or '_' and holds only letters, digits, '_' and '$'";
inline constexpr const char* MACRO_MISSING_ENDM = "macro: missing endm";
inline constexpr const char* MACRO_NAME_IS_A_MNEMONIC_FMT = "macro: name is a mnemonic - %s";
inline constexpr const char* MACRO_NAME_MISSING = "macro: name missing";
inline constexpr const char* MACRO_REDEFINED_FMT = "macro: redefined - %s";
inline constexpr const char* MEXIT_NOT_IN_A_MACRO = "mexit: not in a macro";
inline constexpr const char* OPTIMISE_FLAG_NOT_RECOGNISED = "optimise flag not recognised\n";
inline constexpr const char* OPT_FMT = "opt: %s";
inline constexpr const char* OPT_UNRECOGNIZED_OPTION_FMT = "opt: unrecognized option: %s";
inline constexpr const char* PASS_CANNOT_FIND_FILE_FMT = "pass: can't find file - %s";
inline constexpr const char* PASS_SECTION_SIZE_DIFFERS_BETWEEN_PASSES = "pass: section size differs between passes";
inline constexpr const char* PROCESS_BAD_SIZE_OR_WRONG_OPERANDS = "process: bad size or wrong operand(s)";
inline constexpr const char* PROCESS_UNRECOGNIZED_MNEMONIC_FMT = "process: unrecognized mnemonic - %s";
inline constexpr const char* REPT_COUNT_EXPECTED = "rept: count expected";
inline constexpr const char* REPT_MISSING_ENDR = "rept: missing endr";
inline constexpr const char* REPT_NEGATIVE_COUNT = "rept: negative count";
// clang-format on

} // namespace tobra::msg
