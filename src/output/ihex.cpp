// Intel HEX text output: data records of up to 32 bytes, an extended linear
// address record whenever the upper 16 bits of the address change, a start
// address record when the source names an entry point, and the end record.
#include "driver/assembler.h"
#include "output/format.h"
#include "output/hex_text.h"

namespace tobra {

namespace {

class IntelHex : public OutputFormat {
public:
    explicit IntelHex(Assembler& assembler) : as(assembler) {}

    void section_data(int, uint32_t address, const uint8_t* bytes, int32_t count) override {
        int64_t done = 0;
        while (done < count) {
            const uint32_t at = address + static_cast<uint32_t>(done);
            if ((at >> 16) != upper_) {
                upper_ = at >> 16;
                const uint8_t ela[2] = {static_cast<uint8_t>(upper_ >> 8), static_cast<uint8_t>(upper_)};
                write_record(0x04, 0, ela, 2);
            }
            // A record stays within one 64 KiB page: its address field has 16 bits.
            int64_t n = count - done < RECORD_BYTES ? count - done : RECORD_BYTES;
            const int64_t page_left = 0x10000 - (at & 0xFFFF);
            if (n > page_left) n = page_left;
            write_record(0x00, static_cast<uint16_t>(at), bytes + done, static_cast<int>(n));
            done += n;
        }
    }

    void end(uint32_t) override {
        if (as.emit.entry_address) {
            const uint32_t e = *as.emit.entry_address;
            const uint8_t sla[4] = {static_cast<uint8_t>(e >> 24), static_cast<uint8_t>(e >> 16),
                                    static_cast<uint8_t>(e >> 8), static_cast<uint8_t>(e)};
            write_record(0x05, 0, sla, 4);
        }
        write_record(0x01, 0, nullptr, 0);
    }

private:
    void write_record(uint8_t type, uint16_t address, const uint8_t* data, int length) {
        HexRecord record;
        record.add(static_cast<uint8_t>(length));
        record.add(static_cast<uint8_t>(address >> 8));
        record.add(static_cast<uint8_t>(address));
        record.add(type);
        record.add(data, length);
        char line[1 + HexRecord::MAX_DIGITS + 3];
        line[0] = ':';
        unsigned sum;
        char* const out = record.put(line + 1, sum);
        // The bytes of a record sum to 0 modulo 256.
        std::memcpy(out, hex_pairs.digits[(0x100u - (sum & 0xFF)) & 0xFF], 2);
        out[2] = '\n';
        as.emit.write_out(line, static_cast<size_t>(out + 3 - line));
    }

    Assembler& as;
    uint32_t upper_ = 0;  // upper 16 bits in force; 0 until a record says otherwise
};

} // namespace

std::unique_ptr<OutputFormat> make_intel_hex(Assembler& as) { return std::make_unique<IntelHex>(as); }

} // namespace tobra
