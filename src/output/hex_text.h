// Bytes written as hex digits, for the text output formats (S-records and
// Intel HEX): a line is some characters, then the bytes of the record in
// hex, then a checksum made from their sum.
#pragma once
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tobra {

// The two digits of every byte value, so that a byte is written in one step.
struct HexPairs {
    char digits[256][2];
};

constexpr HexPairs make_hex_pairs() {
    constexpr char hex[] = "0123456789ABCDEF";
    HexPairs t{};
    for (int b = 0; b < 256; ++b) {
        t.digits[b][0] = hex[b >> 4];
        t.digits[b][1] = hex[b & 15];
    }
    return t;
}

inline constexpr HexPairs hex_pairs = make_hex_pairs();

// The bytes of one record, gathered so that they are turned into text and
// summed in one pass, 16 at a time.
struct HexRecord {
    static constexpr int MAX_BYTES = 1 + 4 + 255;  // the longest record of either format
    static constexpr int BLOCK = 16;
    // Characters a line needs for its bytes: the digits of whole blocks.
    static constexpr int MAX_DIGITS = 2 * ((MAX_BYTES + BLOCK - 1) / BLOCK * BLOCK);

    uint8_t bytes[MAX_BYTES + BLOCK];  // with room for the zeros that fill the last block
    int count = 0;

    void add(uint8_t b) { bytes[count++] = b; }
    void add(const uint8_t* b, int n) {
        if (n > 0) std::memcpy(bytes + count, b, static_cast<size_t>(n));
        count += n > 0 ? n : 0;
    }

    // Writes the digits of the bytes (upper case, the high digit first) from
    // out on, where MAX_DIGITS characters must have room; returns the end of
    // the digits and the sum of the bytes. The last block is filled with
    // zeros, which add nothing to the sum; the digits written past the end
    // are the caller's to overwrite.
    char* put(char* out, unsigned& sum) {
#if defined(__SSE2__)
        std::memset(bytes + count, 0, BLOCK);
        sum = 0;
        const __m128i low_nibble = _mm_set1_epi8(0x0F);
        for (int i = 0; i < count; i += BLOCK) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            // Each byte's high and low nibble side by side, then all 32 turned into digits.
            const __m128i high = _mm_and_si128(_mm_srli_epi16(v, 4), low_nibble);
            const __m128i low = _mm_and_si128(v, low_nibble);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), digits(_mm_unpacklo_epi8(high, low)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + BLOCK), digits(_mm_unpackhi_epi8(high, low)));
            // The sums of absolute differences from zero: the sums of the low
            // and of the high 8 bytes, in the low word of each half.
            const __m128i halves = _mm_sad_epu8(v, _mm_setzero_si128());
            sum += static_cast<unsigned>(_mm_cvtsi128_si32(halves)) +
                   static_cast<unsigned>(_mm_extract_epi16(halves, 4));
        }
        return out + 2 * count;
#else
        return put_one_by_one(out, sum);
#endif
    }

    // The same a byte at a time, from the table, writing nothing past the end.
    char* put_one_by_one(char* out, unsigned& sum) const {
        sum = 0;
        for (int i = 0; i < count; ++i) {
            std::memcpy(out + 2 * i, hex_pairs.digits[bytes[i]], 2);
            sum += bytes[i];
        }
        return out + 2 * count;
    }

private:
#if defined(__SSE2__)
    // The digit of each of 16 values 0-15: '0' plus the value, and 7 more
    // from 10 on, where 'A' follows '9' with 7 characters between.
    static __m128i digits(__m128i nibbles) {
        const __m128i letter = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
        const __m128i digit = _mm_add_epi8(nibbles, _mm_set1_epi8('0'));
        return _mm_add_epi8(digit, _mm_and_si128(letter, _mm_set1_epi8('A' - '9' - 1)));
    }
#endif
};

} // namespace tobra
