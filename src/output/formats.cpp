// The output formats a run can write, and the choice among them.
#include "output/format.h"

#include "driver/assembler.h"

namespace tobra {

std::unique_ptr<OutputFormat> make_object_file(Assembler& as);
std::unique_ptr<OutputFormat> make_binary_image(Assembler& as);
std::unique_ptr<OutputFormat> make_intel_hex(Assembler& as);
std::unique_ptr<OutputFormat> make_srecords(Assembler& as);
std::unique_ptr<OutputFormat> make_elf_object(Assembler& as);
bool object_file_takes(const Fixup& f, Placement placement);
bool elf_file_takes(const Fixup& f, Placement placement);

namespace {

// An object file wins over the binary image when both are asked for.
constexpr OutputFormatRow format_rows[] = {
    {"elf", FORMAT_ELF, true, make_elf_object, true, elf_file_takes},
    {"object", FORMAT_OBJECT, true, make_object_file, false, object_file_takes},
    {"binary", FORMAT_BINARY, false, make_binary_image},
    {"ihex", FORMAT_IHEX, false, make_intel_hex},
    {"srecord", 0, false, make_srecords},
};

} // namespace

const OutputFormatRow& chosen_output_format(const Options& options) {
    for (const OutputFormatRow& row : format_rows)
        if (!row.format || (options.output_formats & row.format)) return row;
    return format_rows[std::size(format_rows) - 1];
}

void ask_output_format(Options& options, int format, bool from_command_line) {
    options.output_formats |= format;
    if (from_command_line) options.command_line_formats |= format;
    const OutputFormatRow& row = chosen_output_format(options);
    options.relocatable_output = row.relocatable;
    options.named_sections = row.named_sections;
}

void HeldSectionsFormat::section_data(int section, uint32_t, const uint8_t* bytes, int32_t count) {
    if (section == SEC_CODE)
        as.emit.write_out(bytes, static_cast<size_t>(count));
    else
        as.emit.hold_bytes(held[section], bytes, count);
}

} // namespace tobra
