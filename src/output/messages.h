// The fixed message texts of the output writers, one line each, so that they can be
// read and checked in one place. A name ending in _FMT is a format for the
// report_*_arg calls: its one %s takes the text given; one ending in _PRINTF
// is an snprintf format.
#pragma once
#include "driver/message.h"

namespace tobra::msg {

// clang-format off
inline constexpr Message BINARY_ADDRESS_AWAY_FROM_IMAGE_BUILT{6023, "binary: the address $ADDRESS of SECTION lies at image offset $OFFSET ($ADDRESS with the image at $BASE)"};
inline constexpr Message BINARY_SECTION_AWAY_FROM_ADDRESS_BUILT{6022, "binary: SECTION at $ADDRESS lies at image offset $OFFSET ($ADDRESS with the image at $BASE)"};
inline constexpr Message CANT_OPEN_LISTING_FILE{6001, "Can't open listing file"};
inline constexpr Message CANT_OPEN_OUTPUT_FILE_A_SOURCE_BUILT{6019, "Can't open output file NAME: it is a source of this run"};
inline constexpr Message CANT_OPEN_OUTPUT_FILE_BUILT{6020, "Can't open output file NAME: the system's reason"};
inline constexpr Message CANT_WRITE_DEPENDENCY_FILE{6002, "Can't write dependency file"};
inline constexpr Message CANT_WRITE_LISTING_FILE{6003, "Can't write listing file"};
inline constexpr Message CANT_WRITE_MAP_FILE{6004, "Can't write map file"};
inline constexpr Message CANT_WRITE_OUTPUT_FILE{6005, "Can't write output file"};
inline constexpr Message ELF_NO_RELOCATION_FOR_BASE_RELATIVE_BUILT{6024, "elf: no relocation for a base-relative reference: ELF has no type for the 8- or 16-bit displacement from the base register into basebss or basedata"};
inline constexpr Message INDEX_OFFSET_MUST_BE_IN_BASEDATA{6006, "index: offset must be in basedata or basebss section"};
inline constexpr Message INTERNAL_ERROR_BUILT{6025, "WRITER: internal error: what went wrong"};
inline constexpr Message OUTPUT_FLAGS_FMT{6007, "flags: %s"};
inline constexpr Message RANGE_PASSES_THE_LAST_ADDRESS_BUILT{6026, "org: (or section: ) SECTION $START-$END runs past $FFFFFFFF, the last address"};
inline constexpr Message RANGES_OVERLAP_BUILT{6021, "org: (or section: ) SECTION $START-$END overlaps SECTION $START-$END from FILE,LINE"};
inline constexpr Message RELOC_A_DISTANCE_NAME_CANNOT{6008, "reloc: a distance (name-*) cannot be the target of a PC-relative or base-relative field"};
inline constexpr Message RELOC_BYTE_FIELD_CANNOT_HOLD_A_RELOCATABLE{6009, "reloc: byte field cannot hold a relocatable value"};
inline constexpr Message RELOC_NO_REFERENCE_FOR_A_BYTE_BRANCH{6010, "reloc: no reference for a byte branch to an external name; write the branch as .w"};
inline constexpr Message RELOC_NO_RELOCATION_CAN_HOLD_FMT{6011, "reloc: no relocation can hold %s; its value must be known now"};
inline constexpr Message RELOC_NO_RELOCATION_CAN_HOLD_THIS_FIELD{6012, "reloc: no relocation can hold this field; its value must be known now"};
inline constexpr Message RELOC_OFFSET_FROM_THE_EXTERNAL_NAME_DOES{6013, "reloc: offset from the external name does not fit the field"};
inline constexpr Message RELOC_PC_RELATIVE_VALUE_INTO_ANOTHER_SECTION{6014, "reloc: pc-relative value into another section"};
inline constexpr Message RELOC_THE_OBJECT_FILE_HAS_NO_REFERENCE{6015, "reloc: the object file has no reference for a distance written as name-*; ELF (--elf) has one"};
inline constexpr Message SECTION_HOLDS_NO_BYTES_BUILT{6018, "section: WHAT in SECTION, which holds no bytes"};
inline constexpr Message XDEF_COULD_NOT_BE_FOUND_FMT{6016, "xdef: %s could not be found\n"};
inline constexpr Message XREF_IS_NOT_DEFINED_ONLY_AN_OBJECT_FMT{6017, "xref: %s is not defined; only an object file can refer to it"};
// clang-format on

} // namespace tobra::msg
