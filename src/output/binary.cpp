// The binary ROM image: the code as emitted, then data and basedata each
// padded to a multiple of 4 bytes. No addresses are recorded.
#include "driver/assembler.h"
#include "output/format.h"

namespace tobra {

namespace {

class BinaryImage : public HeldSectionsFormat {
public:
    using HeldSectionsFormat::HeldSectionsFormat;

    void end(uint32_t) override {
        static const uint8_t zeros[4] = {0, 0, 0, 0};
        for (int sec : {SEC_DATA, SEC_BASEDATA}) {
            std::vector<uint8_t>& bytes = held[sec];
            if (bytes.empty()) continue;
            as.emit.write_out(bytes.data(), bytes.size());
            // Up to the pass-1 size rounded to 4; counted in 64 bits so that a
            // size near the top of the range cannot overflow.
            const int64_t size = as.drv.section_size[sec];
            int64_t pad = ((size + 3) & ~int64_t{3}) - static_cast<int64_t>(bytes.size());
            while (pad > 0) {
                const int n = pad > 4 ? 4 : static_cast<int>(pad);
                as.emit.write_out(zeros, static_cast<size_t>(n));
                pad -= n;
            }
            bytes.clear();
        }
    }
};

} // namespace

std::unique_ptr<OutputFormat> make_binary_image(Assembler& as) { return std::make_unique<BinaryImage>(as); }

} // namespace tobra
