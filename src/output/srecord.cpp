// Motorola S-record writer.
#include "output/srecord.h"

#include <cstring>

#include "driver/assembler.h"
#include "output/hex_text.h"

namespace tobra {

// The whole record is formatted in one buffer and written in one step:
// 'S', the type, then the count, address, data and checksum bytes in hex.
// The address takes address_bytes bytes: 2, 3 or 4, as the type says.
void SRecordWriter::write_srecord(char type, int address_bytes, uint32_t address, const uint8_t* data, int length) {
    HexRecord record;
    record.add(static_cast<uint8_t>(length + address_bytes + 1));
    for (int i = address_bytes - 1; i >= 0; --i) record.add(static_cast<uint8_t>(address >> (8 * i)));
    record.add(data, length);
    char line[2 + HexRecord::MAX_DIGITS + 3];
    line[0] = 'S';
    line[1] = type;
    unsigned sum;
    char* const out = record.put(line + 2, sum);
    // The checksum: the ones' complement of the low byte of the sum.
    std::memcpy(out, hex_pairs.digits[~sum & 0xFF], 2);
    out[2] = '\n';
    as.emit.write_out(line, static_cast<size_t>(out + 3 - line));
}

void SRecordWriter::write_header(std::string_view output_name) {
    // The header carries the output name; a name longer than a record holds is cut.
    size_t len = output_name.size() > 252 ? 252 : output_name.size();
    write_srecord('0', 2, 0, reinterpret_cast<const uint8_t*>(output_name.data()), static_cast<int>(len));
}

// A record never runs past the last address its type can name (0xFFFF for S1,
// 0xFFFFFF for S2, the top of memory for S3): a loader would put the rest at the
// wrong address. Such a run is cut there and goes on in a record of the next type.
void SRecordWriter::write_data(uint32_t address, const uint8_t* data, int length) {
    while (length > 0) {
        const int width = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
        const uint64_t room = (uint64_t{1} << (8 * width)) - address;
        const int n = room < static_cast<uint64_t>(length) ? static_cast<int>(room) : length;
        if (width > widest_) widest_ = width;
        write_srecord(width == 2 ? '1' : width == 3 ? '2' : '3', width, address, data, n);
        address += static_cast<uint32_t>(n);
        data += n;
        length -= n;
    }
}

// The terminator is of the type that pairs with the widest data record
// (S1-S9, S2-S8, S3-S7), or wider when its address needs it.
void SRecordWriter::write_terminator(uint32_t address) {
    int width = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
    if (widest_ > width) width = widest_;
    write_srecord(width == 2 ? '9' : width == 3 ? '8' : '7', width, address, nullptr, 0);
}

void SRecordWriter::begin() { write_header(as.emit.output_name); }

void SRecordWriter::section_data(int, uint32_t address, const uint8_t* bytes, int32_t count) {
    // The usual run, one pending record's worth, is one record unless it
    // reaches past the last address of its type.
    const int width = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
    if (count > 0 && count <= RECORD_BYTES &&
        uint64_t{address} + static_cast<uint32_t>(count) <= uint64_t{1} << (8 * width)) {
        if (width > widest_) widest_ = width;
        return write_srecord(width == 2 ? '1' : width == 3 ? '2' : '3', width, address, bytes, count);
    }
    // 64-bit count of what is done: a block of nearly 2 GiB must not overflow it.
    for (int64_t done = 0; done < count; done += RECORD_BYTES) {
        const int n = count - done < RECORD_BYTES ? static_cast<int>(count - done) : RECORD_BYTES;
        write_data(address + static_cast<uint32_t>(done), bytes + done, n);
    }
}

// The terminator names the entry point when the source gives one, and
// otherwise where the output ended.
void SRecordWriter::end(uint32_t end_address) { write_terminator(as.emit.entry_address.value_or(end_address)); }

std::unique_ptr<OutputFormat> make_srecords(Assembler& as) { return std::make_unique<SRecordWriter>(as); }

} // namespace tobra
