// The fixed message texts of the output writers, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once

namespace tobra::msg {

// clang-format off
inline constexpr const char* CANT_OPEN_LISTING_FILE = "Can't open listing file";
inline constexpr const char* CANT_WRITE_DEPENDENCY_FILE = "Can't write dependency file";
inline constexpr const char* CANT_WRITE_LISTING_FILE = "Can't write listing file";
inline constexpr const char* CANT_WRITE_MAP_FILE = "Can't write map file";
inline constexpr const char* CANT_WRITE_OUTPUT_FILE = "Can't write output file";
inline constexpr const char* INDEX_OFFSET_MUST_BE_IN_BASEDATA = "index: offset must be in basedata or basebss section";
inline constexpr const char* OUTPUT_FLAGS_FMT = "flags: %s";
inline constexpr const char* RELOC_A_DISTANCE_NAME_CANNOT = "reloc: a distance (name-*) cannot be the target of a PC-relative or base-relative field";
inline constexpr const char* RELOC_BYTE_FIELD_CANNOT_HOLD_A_RELOCATABLE = "reloc: byte field cannot hold a relocatable value";
inline constexpr const char* RELOC_NO_REFERENCE_FOR_A_BYTE_BRANCH = "reloc: no reference for a byte branch to an external name; write the branch as .w";
inline constexpr const char* RELOC_NO_RELOCATION_CAN_HOLD_FMT = "reloc: no relocation can hold %s; its value must be known now";
inline constexpr const char* RELOC_NO_RELOCATION_CAN_HOLD_THIS_FIELD = "reloc: no relocation can hold this field; its value must be known now";
inline constexpr const char* RELOC_OFFSET_FROM_THE_EXTERNAL_NAME_DOES = "reloc: offset from the external name does not fit the field";
inline constexpr const char* RELOC_PC_RELATIVE_VALUE_INTO_ANOTHER_SECTION = "reloc: pc-relative value into another section";
inline constexpr const char* RELOC_THE_OBJECT_FILE_HAS_NO_REFERENCE = "reloc: the object file has no reference for a distance written as name-*; ELF (--elf) has one";
inline constexpr const char* XDEF_COULD_NOT_BE_FOUND_FMT = "xdef: %s could not be found\n";
inline constexpr const char* XREF_IS_NOT_DEFINED_ONLY_AN_OBJECT_FMT = "xref: %s is not defined; only an object file can refer to it";
// clang-format on

} // namespace tobra::msg
