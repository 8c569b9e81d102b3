// The fixed message texts of the directives, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* ALIGNMENT_MUST_BE_A_POWER_OF_TWO_FMT = "%s: alignment must be a power of two in an ELF object";
inline constexpr const char* ALIGN_NEGATIVE_ALIGNMENT = "align: negative alignment";
inline constexpr const char* BITDEF_BIT_NUMBER_OUT_OF_RANGE = "bitdef: bit number out of range 0..31";
inline constexpr const char* CALLRES_BASE_LABEL_NOT_SUPPLIED = "callres: base label not supplied";
inline constexpr const char* CALL_TOO_MANY_PARAMETERS = "call: too many parameters";
inline constexpr const char* CAN_NOT_SET_ORIGIN_WITH_OBJECT_FILE = "Can not set origin with object file generation";
inline constexpr const char* CLASSTAGBEGIN_LABEL_NOT_FOUND_MISSING_CLASSTAGEND = "classtagbegin: label not found (missing classtagend?)\n";
inline constexpr const char* CLASSTAGBEGIN_VALUE_IS_NOT_LONGWORD_ALIGNED = "classtagbegin: value is not longword aligned\n";
inline constexpr const char* CLASSTAGCONCAT_LABEL_NOT_FOUND = "classtagconcat: label not found\n";
inline constexpr const char* CNOP_ALIGNMENT_MUST_BE_POSITIVE = "cnop: alignment must be positive";
inline constexpr const char* CNOP_OFFSET_MUST_LIE_BETWEEN = "cnop: offset must lie between 0 and the alignment";
inline constexpr const char* DCB_COUNT_TOO_LARGE = "dcb: count too large";
inline constexpr const char* DCB_NEGATIVE_COUNT = "dcb: negative count";
inline constexpr const char* DC_ADDRESS_DOES_NOT_FIT_THE_ITEM = "dc: an address does not fit the item";
inline constexpr const char* DC_AFTER_THE_FIRST_ITEM = "dc: * after the first item is the line's address, not the item's";
inline constexpr const char* DC_STRING_GIVES_ONE_LONG_PER_CHARACTER = "dc: string gives one long per character, not one packed long";
inline constexpr const char* DC_STRING_GIVES_ONE_WORD_PER_CHARACTER = "dc: string gives one word per character, not one packed word";
inline constexpr const char* DC_VALUE_TRUNCATED_TO_THE_ITEM_SIZE = "dc: value truncated to the item size";
inline constexpr const char* DR_DISTANCE_DOES_NOT_FIT_THE_ITEM = "dr: distance does not fit the item size";
inline constexpr const char* DS_COUNT_TOO_LARGE = "ds: count too large";
inline constexpr const char* DS_FILL_VALUE_TRUNCATED_TO_A_BYTE = "ds: fill value truncated to a byte";
inline constexpr const char* DS_NEGATIVE_COUNT = "ds: negative count";
inline constexpr const char* ELSE_NO_MATCHING_IF = "else: no matching if";
inline constexpr const char* ENDC_NO_MATCHING_IF = "endc: no matching if";
inline constexpr const char* EQU_DISTANCE_FROM_THIS_LINE_FMT = "equ: '%s' - a distance from this line (name-*) cannot be kept in a name";
inline constexpr const char* EQU_REQUIRES_LABEL = "equ: requires label";
inline constexpr const char* EXPRESSION_EXPECTED_FMT = "%s: expression expected";
inline constexpr const char* IFC_EXPECTED_COMMA = "ifc: expected ,";
inline constexpr const char* IFNC_EXPECTED_COMMA = "ifnc: expected ,";
inline constexpr const char* INCBIN_EXPECTED_FMT = "incbin: %s expected";
inline constexpr const char* INCBIN_FILE_NOT_FOUND = "incbin: file not found";
inline constexpr const char* INCBIN_FILE_NOT_FOUND_FMT = "incbin: file not found - %s";
inline constexpr const char* INCBIN_FILE_TOO_LARGE = "incbin: file too large";
inline constexpr const char* INCBIN_IS_NOT_A_CONSTANT_FMT = "incbin: %s is not a constant";
inline constexpr const char* INCBIN_LENGTH_PAST_THE_END = "incbin: length past the end of the file";
inline constexpr const char* INCBIN_NEGATIVE_FMT = "incbin: negative %s";
inline constexpr const char* INCBIN_OFFSET_PAST_THE_END = "incbin: offset past the end of the file";
inline constexpr const char* INCBIN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT = "incbin: unexpected text after operand - %s";
inline constexpr const char* MISSING_ENDC_BEFORE_END_PRINTF = "%s: missing endc before end of %s";
inline constexpr const char* MORE_THAN_256_NESTED_CONDITIONAL_BLOCKS = "More than 256 nested conditional blocks!";
inline constexpr const char* NAME_EXPECTED_FMT = "%s: name expected";
inline constexpr const char* NAME_MISSING_IN_LIST_FMT = "%s: name missing in list";
inline constexpr const char* ORG_ASSUMED = "ORG assumed";
inline constexpr const char* ORG_ODD_ORIGIN_LOWERED_FMT = "org: an odd origin is lowered by one, to %s";
inline constexpr const char* PASS_CANNOT_FIND_FILE = "pass: can't find file";
inline constexpr const char* SECTION_ALREADY_HAS_ANOTHER_KIND_FMT = "section: %s already has another kind";
inline constexpr const char* SECTION_IS_A_NAME_THE_ELF_WRITER_FMT = "section: %s is a name the ELF writer gives its own sections";
inline constexpr const char* SECTION_MISSING_SECTION_KIND = "section: missing section kind";
inline constexpr const char* SECTION_MISSING_SECTION_NAME = "section: missing section name";
inline constexpr const char* SECTION_TOO_MANY_SECTIONS_AT_MOST_NAMED_PRINTF = "section: too many sections (at most %d named ones)";
inline constexpr const char* SECTION_UNKNOWN_SECTION_KIND_CODE_DATA_FMT = "section: unknown section kind %s (code, data or bss)";
inline constexpr const char* SECTION_UNKNOWN_SECTION_OTHER_NAMES_NEED_ELF_FMT = "section: unknown section %s (other names need --elf)";
inline constexpr const char* SET_DISTANCE_FROM_THIS_LINE_FMT = "set: '%s' - a distance from this line (name-*) cannot be kept in a name";
inline constexpr const char* SET_REQUIRES_LABEL = "set: requires label";
inline constexpr const char* STRUCT_UNDEFINED_CONSTANT_FMT = "struct: undefined constant for: %s\n";
inline constexpr const char* VALUE_MUST_BE_A_CONSTANT_NOT_RELOCATABLE_FMT = "%s: value must be a constant, not relocatable";
inline constexpr const char* VALUE_MUST_BE_DEFINED_BEFORE_THIS_LINE_FMT = "%s: value must be defined before this line";
inline constexpr const char* XDEF_EXTERNAL_NOT_EXPORTED_FMT = "xdef: %s is an external name (xref); the object file does not export it";
// clang-format on

} // namespace tobra::msg
