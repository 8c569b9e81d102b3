// Motorola S-record writer.
#include "output/srecord.h"

#include "driver/assembler.h"

namespace tobra {

static const char HEX[] = "0123456789ABCDEF";

void SRecordWriter::write_srecord(char type, int length, uint32_t address, const uint8_t* data) {
    int address_bytes = (type == '0' || type == '1' || type == '9') ? 2 : (type == '2' || type == '8') ? 3 : 4;
    char line[2 + 2 * (1 + 4 + 255 + 1) + 1];
    int n = 0;
    unsigned sum = 0;
    auto put = [&](unsigned byte) {
        byte &= 0xFF;
        line[n++] = HEX[byte >> 4];
        line[n++] = HEX[byte & 15];
        sum += byte;
    };
    line[n++] = 'S';
    line[n++] = type;
    put(static_cast<unsigned>(length + address_bytes + 1));
    for (int i = address_bytes - 1; i >= 0; --i) put(address >> (8 * i));
    for (int i = 0; i < length; ++i) put(data[i]);
    put(~sum);
    line[n++] = '\n';
    as.emit.write_out(line, static_cast<size_t>(n));
}

void SRecordWriter::write_header(std::string_view output_name) {
    // The header carries the output name; a name longer than a record holds is cut.
    size_t len = output_name.size() > 252 ? 252 : output_name.size();
    write_srecord('0', static_cast<int>(len), 0, reinterpret_cast<const uint8_t*>(output_name.data()));
}

void SRecordWriter::write_data(uint32_t address, const uint8_t* data, int length) {
    char type = address <= 0xFFFF ? '1' : address <= 0xFFFFFF ? '2' : '3';
    write_srecord(type, length, address, data);
}

void SRecordWriter::write_terminator(uint32_t address) {
    char type = address <= 0xFFFF ? '9' : address <= 0xFFFFFF ? '8' : '7';
    write_srecord(type, 0, address, nullptr);
}

} // namespace tobra
