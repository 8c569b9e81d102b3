// The fixed message texts of the command line, sources, macros and passes, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message AS_GIVEN_FMT{1001, "%s"};
inline constexpr Message CPU_VALID_CORES_BUILT{1029, "cpu: valid cores: the list of core names"};
inline constexpr Message DRIVER_PASS_CANNOT_FIND_FILE{1002, "pass: can't find file"};
inline constexpr Message ENDM_NO_MACRO_BEING_DEFINED{1003, "endm: no macro being defined"};
inline constexpr Message ENDR_NO_REPT_BLOCK_OPEN{1004, "endr: no rept block open"};
inline constexpr Message EXPANSION_NESTED_TOO_DEEPLY{1005, "expansion: nested too deeply"};
inline constexpr Message EXPANSION_TOO_MANY_LINES{1006, "expansion: too many lines"};
inline constexpr Message FLAGS_EXPLAIN_TAKES_NO_SOURCE_FILES{1030, "flags: --explain takes no source files"};
inline constexpr Message FLAGS_FMT{1007, "flags: %s"};
inline constexpr Message FLAGS_G_DOES_NOTHING_WITHOUT_ELF{1008, "flags: -g does nothing without --elf"};
inline constexpr Message FLAGS_OUTPUT_AND_NO_OUTPUT_CANNOT{1009, "flags: --output and --no-output cannot be used together"};
inline constexpr Message FLAGS_UNRECOGNIZED_FLAG_FMT{1010, "flags: unrecognized flag -%s"};
inline constexpr Message FORWARD_REFERENCE_SIZE_TOO_SMALL_PRINTF{1028, "forward reference size too small (<%ld)"};
inline constexpr Message INCLUDE_NESTED_TOO_DEEPLY{1011, "include: nested too deeply"};
inline constexpr Message MACRO_BAD_NAME_FMT{1012, "macro: bad name - %s: a name starts with a letter or '_' and holds only letters, digits, '_' and '$'"};
inline constexpr Message MACRO_MISSING_ENDM{1013, "macro: missing endm"};
inline constexpr Message MACRO_NAME_IS_A_MNEMONIC_FMT{1014, "macro: name is a mnemonic - %s"};
inline constexpr Message MACRO_NAME_MISSING{1015, "macro: name missing"};
inline constexpr Message MACRO_REDEFINED_FMT{1016, "macro: redefined - %s"};
inline constexpr Message MEXIT_NOT_IN_A_MACRO{1017, "mexit: not in a macro"};
inline constexpr Message OPTIMISE_FLAG_NOT_RECOGNISED{1018, "optimise flag not recognised\n"};
inline constexpr Message OPT_FMT{1019, "opt: %s"};
inline constexpr Message OPT_UNRECOGNIZED_OPTION_FMT{1020, "opt: unrecognized option: %s"};
inline constexpr Message PASS_CANNOT_FIND_FILE_FMT{1021, "pass: can't find file - %s"};
inline constexpr Message PASS_OUT_OF_MEMORY{1034, "pass: out of memory"};
inline constexpr Message PASS_FILE_CHANGED_WHILE_ASSEMBLED{1031, "pass: file changed on disk while being assembled"};
inline constexpr Message PASS_ERROR_READING_FILE{1035, "pass: error reading file"};
inline constexpr Message FLAGS_NO_SOURCE_FILE{1036, "flags: no source file to assemble"};
inline constexpr Message FLAGS_STANDARD_OUTPUT_IS_A_SOURCE_FMT{1037, "flags: standard output is %s, a source of this run"};
inline constexpr Message PASS_CANT_READ_FILE_FMT{1038, "pass: can't read file - %s"};
inline constexpr Message PASS_SECTION_SIZE_DIFFERS_BETWEEN_PASSES{1022, "pass: section size differs between passes"};
inline constexpr Message PROCESS_BAD_SIZE_OR_WRONG_OPERANDS{1023, "process: bad size or wrong operand(s)"};
inline constexpr Message PROCESS_UNRECOGNIZED_MNEMONIC_FMT{1024, "process: unrecognized mnemonic - %s"};
inline constexpr Message REPT_COUNT_EXPECTED{1025, "rept: count expected"};
inline constexpr Message LABEL_ALONE_IS_A_MNEMONIC_BUILT{1033, "label: NAME in the first column is a label; indent the line to assemble NAME, or write NAME: to keep the label"};
inline constexpr Message REPT_FLOATING_POINT_COUNT{1032, "rept: count is a floating-point number"};
inline constexpr Message REPT_MISSING_ENDR{1026, "rept: missing endr"};
inline constexpr Message REPT_NEGATIVE_COUNT{1027, "rept: negative count"};
// clang-format on

} // namespace tobra::msg
