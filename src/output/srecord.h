// Motorola S-record text output.
#pragma once
#include <cstdint>
#include <string_view>

namespace tobra {

class Assembler;

class SRecordWriter {
public:
    explicit SRecordWriter(Assembler& as) : as(as) {}

    void write_header(std::string_view output_name);
    void write_data(uint32_t address, const uint8_t* data, int length);
    void write_terminator(uint32_t address);
    void write_srecord(char type, int length, uint32_t address, const uint8_t* data);

private:
    Assembler& as;
};

} // namespace tobra
