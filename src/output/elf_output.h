// The ELF object output format: gathers the section bytes and the fixups of
// pass 2, then builds the file from them, the symbol table and the core.
#pragma once
#include <cstdint>
#include <vector>

#include "driver/driver.h"
#include "output/elf_file.h"
#include "output/format.h"

namespace tobra {

// What the ELF header's flags say about a part with these features
// (CoreFeature bits): its ISA, divide, MAC and FPU.
uint32_t elf_core_flags(uint16_t features);

class ElfObjectFormat : public OutputFormat {
public:
    explicit ElfObjectFormat(Assembler& assembler) : as(assembler) {}
    void section_data(int section, uint32_t address, const uint8_t* bytes, int32_t count) override;
    void fixup(const Fixup& f, Placement placement) override;
    void end(uint32_t end_address) override;

    // The whole file, in pieces through sink (end() writes them to the output).
    void build(const elf::ByteSink& sink);

private:
    // Every label, external and exported name, and the relocations that
    // name them.
    void collect_symbols();
    void add_line_table();

    Assembler& as;
    elf::ObjectFile object_;
    // The section's entry in the file, made on first use.
    elf::SectionData& section(int number) {
        const size_t i = static_cast<size_t>(number);
        if (i < object_.sections.size()) [[likely]]
            return object_.sections[i];
        return add_sections(number);
    }
    elf::SectionData& add_sections(int up_to);
};

} // namespace tobra
