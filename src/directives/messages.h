// The fixed message texts of the directives, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message ALIGNMENT_MUST_BE_A_POWER_OF_TWO_FMT{5001, "%s: alignment must be a power of two in an ELF object"};
inline constexpr Message ALIGN_NEGATIVE_ALIGNMENT{5002, "align: negative alignment"};
inline constexpr Message BITDEF_BIT_NUMBER_OUT_OF_RANGE{5003, "bitdef: bit number out of range 0..31"};
inline constexpr Message CALLRES_BASE_LABEL_NOT_SUPPLIED{5004, "callres: base label not supplied"};
inline constexpr Message CALL_TOO_MANY_PARAMETERS{5005, "call: too many parameters"};
inline constexpr Message CAN_NOT_SET_ORIGIN_WITH_OBJECT_FILE{5006, "Can not set origin with object file generation"};
inline constexpr Message CLASSTAGBEGIN_LABEL_NOT_FOUND_MISSING_CLASSTAGEND{5007, "classtagbegin: label not found (missing classtagend?)\n"};
inline constexpr Message CLASSTAGBEGIN_VALUE_IS_NOT_LONGWORD_ALIGNED{5008, "classtagbegin: value is not longword aligned\n"};
inline constexpr Message CLASSTAGCONCAT_LABEL_NOT_FOUND{5009, "classtagconcat: label not found\n"};
inline constexpr Message CNOP_ALIGNMENT_MUST_BE_POSITIVE{5010, "cnop: alignment must be positive"};
inline constexpr Message CNOP_OFFSET_MUST_LIE_BETWEEN{5011, "cnop: offset must lie between 0 and the alignment"};
inline constexpr Message DCB_COUNT_TOO_LARGE{5012, "dcb: count too large"};
inline constexpr Message DCB_NEGATIVE_COUNT{5013, "dcb: negative count"};
inline constexpr Message DC_ADDRESS_DOES_NOT_FIT_THE_ITEM{5062, "dc: an address does not fit the item"};
inline constexpr Message DC_AFTER_THE_FIRST_ITEM{5014, "dc: * after the first item is the line's address, not the item's"};
inline constexpr Message DC_STRING_GIVES_ONE_LONG_PER_CHARACTER{5015, "dc: string gives one long per character, not one packed long"};
inline constexpr Message DC_STRING_GIVES_ONE_WORD_PER_CHARACTER{5016, "dc: string gives one word per character, not one packed word"};
inline constexpr Message DC_VALUE_TRUNCATED_TO_THE_ITEM_SIZE{5017, "dc: value truncated to the item size"};
inline constexpr Message DEFINED_BEFORE_THIS_LINE_WAITING_BUILT{5056, "MNEMONIC: value must be defined before this line - what it waits for"};
inline constexpr Message DR_DISTANCE_DOES_NOT_FIT_THE_ITEM{5018, "dr: distance does not fit the item size"};
inline constexpr Message DS_ADDRESS_DOES_NOT_FIT_THE_FILL_BYTE{5064, "ds: an address does not fit the fill byte"};
inline constexpr Message DS_COUNT_TOO_LARGE{5019, "ds: count too large"};
inline constexpr Message DS_FILL_VALUE_TRUNCATED_TO_A_BYTE{5020, "ds: fill value truncated to a byte"};
inline constexpr Message DS_NEGATIVE_COUNT{5021, "ds: negative count"};
inline constexpr Message ELSE_NO_MATCHING_IF{5022, "else: no matching if"};
inline constexpr Message ENDC_NO_MATCHING_IF{5023, "endc: no matching if"};
inline constexpr Message EQU_DISTANCE_FROM_THIS_LINE_FMT{5024, "equ: '%s' - a distance from this line (name-*) cannot be kept in a name"};
inline constexpr Message EQU_EXPRESSION_MUST_EVALUATE_BUILT{5058, "equ: 'NAME' - expression MUST evaluate, and why it does not"};
inline constexpr Message EQU_REQUIRES_LABEL{5025, "equ: requires label"};
inline constexpr Message EXPRESSION_EXPECTED_FMT{5026, "%s: expression expected"};
inline constexpr Message IFC_EXPECTED_COMMA{5027, "ifc: expected ,"};
inline constexpr Message IFNC_EXPECTED_COMMA{5028, "ifnc: expected ,"};
inline constexpr Message INCBIN_EXPECTED_FMT{5029, "incbin: %s expected"};
inline constexpr Message DCB_FLOATING_POINT_COUNT{5066, "dcb: count is a floating-point number"};
inline constexpr Message DS_FLOATING_POINT_COUNT{5067, "ds: count is a floating-point number"};
inline constexpr Message END_ENTRY_POINT_IS_EXTERNAL_FMT{5069, "end: the entry point %s is an external name, which these records cannot hold"};
inline constexpr Message VALUE_IS_A_FLOATING_POINT_NUMBER_FMT{5068, "%s: value is a floating-point number"};
inline constexpr Message INCBIN_FILE_CHANGED_WHILE_READ{5065, "incbin: file changed on disk while being read"};
inline constexpr Message INCBIN_FILE_NOT_FOUND{5030, "incbin: file not found"};
inline constexpr Message INCBIN_FILE_NOT_FOUND_FMT{5031, "incbin: file not found - %s"};
inline constexpr Message INCBIN_CANT_READ_FILE_FMT{5071, "incbin: can't read file - %s"};
inline constexpr Message INCBIN_FILE_TOO_LARGE{5032, "incbin: file too large"};
inline constexpr Message INCBIN_IS_NOT_A_CONSTANT_FMT{5033, "incbin: %s is not a constant"};
inline constexpr Message INCBIN_LENGTH_PAST_THE_END{5034, "incbin: length past the end of the file"};
inline constexpr Message INCBIN_NEGATIVE_FMT{5035, "incbin: negative %s"};
inline constexpr Message INCBIN_OFFSET_PAST_THE_END{5036, "incbin: offset past the end of the file"};
inline constexpr Message INCBIN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT{5037, "incbin: unexpected text after operand - %s"};
inline constexpr Message IS_DEFINED_AFTER_THIS_LINE_BUILT{5057, "MNEMONIC: NAME is defined after this line"};
inline constexpr Message MISSING_ENDC_BEFORE_END_PRINTF{5038, "%s: missing endc before end of %s"};
inline constexpr Message MORE_THAN_256_NESTED_CONDITIONAL_BLOCKS{5039, "More than 256 nested conditional blocks!"};
inline constexpr Message NAME_EXPECTED_FMT{5040, "%s: name expected"};
inline constexpr Message NAME_MISSING_IN_LIST_FMT{5041, "%s: name missing in list"};
inline constexpr Message ORG_ASSUMED{5042, "ORG assumed"};
inline constexpr Message ORG_ODD_ORIGIN_LOWERED_FMT{5063, "org: an odd origin is lowered by one, to %s"};
inline constexpr Message PASS_CANNOT_FIND_FILE{5043, "pass: can't find file"};
inline constexpr Message SECTION_ALREADY_HAS_ANOTHER_KIND_FMT{5044, "section: %s already has another kind"};
inline constexpr Message SECTION_IS_A_NAME_THE_ELF_WRITER_FMT{5045, "section: %s is a name the ELF writer gives its own sections"};
inline constexpr Message SECTION_MISSING_SECTION_KIND{5046, "section: missing section kind"};
inline constexpr Message SECTION_TEXT_AFTER_THE_KIND_FMT{5070, "section: text after the kind - %s (an alignment is written with align)"};
inline constexpr Message SECTION_MISSING_SECTION_NAME{5047, "section: missing section name"};
inline constexpr Message SECTION_TOO_MANY_SECTIONS_AT_MOST_NAMED_PRINTF{5048, "section: too many sections (at most %d named ones)"};
inline constexpr Message SECTION_UNKNOWN_SECTION_KIND_CODE_DATA_FMT{5049, "section: unknown section kind %s (code, data or bss)"};
inline constexpr Message SECTION_UNKNOWN_SECTION_OTHER_NAMES_NEED_ELF_FMT{5050, "section: unknown section %s (other names need --elf)"};
inline constexpr Message SET_DISTANCE_FROM_THIS_LINE_FMT{5051, "set: '%s' - a distance from this line (name-*) cannot be kept in a name"};
inline constexpr Message SET_EXPRESSION_MUST_EVALUATE_BUILT{5059, "set: 'NAME' - expression MUST evaluate, and why it does not"};
inline constexpr Message SET_REQUIRES_LABEL{5052, "set: requires label"};
inline constexpr Message STRUCT_UNDEFINED_CONSTANT_FMT{5053, "struct: undefined constant for: %s\n"};
inline constexpr Message VALUE_MUST_BE_A_CONSTANT_NOT_RELOCATABLE_FMT{5054, "%s: value must be a constant, not relocatable"};
inline constexpr Message VALUE_MUST_BE_DEFINED_BEFORE_THIS_LINE_FMT{5055, "%s: value must be defined before this line"};
inline constexpr Message XDEF_EXTERNAL_NOT_EXPORTED_FMT{5061, "xdef: %s is an external name (xref); the object file does not export it"};
inline constexpr Message XDEF_PLUS_A_CONSTANT_CANNOT_EXPORT_BUILT{5060, "xdef: NAME is EXTERNAL plus a constant; an object file cannot export it"};
// clang-format on

} // namespace tobra::msg
