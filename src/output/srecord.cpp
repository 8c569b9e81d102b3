// Motorola S-record writer.
#include "output/srecord.h"

#include <cstring>

#include "driver/assembler.h"

namespace tobra {

// The two hex digits of every byte value, so a byte is written in one step.
struct HexPairs {
    char digits[256][2];
};

static constexpr HexPairs make_hex_pairs() {
    constexpr char hex[] = "0123456789ABCDEF";
    HexPairs t{};
    for (int b = 0; b < 256; ++b) {
        t.digits[b][0] = hex[b >> 4];
        t.digits[b][1] = hex[b & 15];
    }
    return t;
}

static constexpr HexPairs hex_pairs = make_hex_pairs();

void SRecordWriter::write_srecord(char type, int length, uint32_t address, const uint8_t* data) {
    int address_bytes = (type == '0' || type == '1' || type == '9') ? 2 : (type == '2' || type == '8') ? 3 : 4;
    char line[2 + 2 * (1 + 4 + 255 + 1) + 1];
    char* out = line;
    unsigned sum = 0;
    auto put = [&](unsigned byte) {
        byte &= 0xFF;
        std::memcpy(out, hex_pairs.digits[byte], 2);
        out += 2;
        sum += byte;
    };
    *out++ = 'S';
    *out++ = type;
    put(static_cast<unsigned>(length + address_bytes + 1));
    for (int i = address_bytes - 1; i >= 0; --i) put(address >> (8 * i));
    for (int i = 0; i < length; ++i) put(data[i]);
    put(~sum);
    *out++ = '\n';
    as.emit.write_out(line, static_cast<size_t>(out - line));
}

void SRecordWriter::write_header(std::string_view output_name) {
    // The header carries the output name; a name longer than a record holds is cut.
    size_t len = output_name.size() > 252 ? 252 : output_name.size();
    write_srecord('0', static_cast<int>(len), 0, reinterpret_cast<const uint8_t*>(output_name.data()));
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
        write_srecord(width == 2 ? '1' : width == 3 ? '2' : '3', n, address, data);
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
    write_srecord(width == 2 ? '9' : width == 3 ? '8' : '7', 0, address, nullptr);
}

void SRecordWriter::begin() { write_header(as.emit.output_name); }

void SRecordWriter::section_data(int, uint32_t address, const uint8_t* bytes, int32_t count) {
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
