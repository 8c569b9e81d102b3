// Motorola S-record text output.
#pragma once
#include <cstdint>
#include <string_view>

#include "output/format.h"

namespace tobra {

class Assembler;

class SRecordWriter : public OutputFormat {
public:
    explicit SRecordWriter(Assembler& assembler) : as(assembler) {}

    // Header record with the output file's name.
    void begin() override;
    // Data records of at most 32 bytes each, from address on.
    void section_data(int section, uint32_t address, const uint8_t* bytes, int32_t count) override;
    // Terminator record with the address where the output ended.
    void end(uint32_t end_address) override;

private:
    void write_header(std::string_view output_name);
    void write_data(uint32_t address, const uint8_t* data, int length);
    void write_terminator(uint32_t address);
    void write_srecord(char type, int address_bytes, uint32_t address, const uint8_t* data, int length);

    Assembler& as;
    int widest_ = 2;  // address bytes of the widest data record written
};

} // namespace tobra
