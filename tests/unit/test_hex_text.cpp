// The hex text of the S-record and Intel HEX writers: every byte value, and
// records of every length a writer can ask for, give the digits and sums that
// formatting each byte on its own gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "output/hex_text.h"

namespace {

std::string reference_text(const uint8_t* bytes, int n) {
    std::string text;
    char two[3];
    for (int i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02X", bytes[i]);
        text += two;
    }
    return text;
}

} // namespace

TEST(HexText, RecordsOfEveryLengthMatchByteByByteFormatting) {
    uint8_t source[tobra::HexRecord::MAX_BYTES];
    // Every byte value, at every place within a 16-byte block.
    for (int i = 0; i < tobra::HexRecord::MAX_BYTES; ++i) source[i] = static_cast<uint8_t>(i * 7 + i / 256);
    for (int n = 0; n <= tobra::HexRecord::MAX_BYTES; ++n) {
        tobra::HexRecord record;
        // Gathered in two pieces, as the writers add a head and then the data.
        const int head = n < 5 ? n : 5;
        for (int i = 0; i < head; ++i) record.add(source[i]);
        record.add(source + head, n - head);
        ASSERT_EQ(record.count, n);

        char line[tobra::HexRecord::MAX_DIGITS + 1];
        std::memset(line, '#', sizeof line);
        unsigned sum = 1;
        const char* end = record.put(line, sum);
        unsigned expected_sum = 0;
        for (int i = 0; i < n; ++i) expected_sum += source[i];
        ASSERT_EQ(end - line, 2 * n) << n;
        EXPECT_EQ(std::string(static_cast<const char*>(line), end), reference_text(source, n)) << n;
        EXPECT_EQ(sum, expected_sum) << n;

        char again[tobra::HexRecord::MAX_DIGITS + 1];
        std::memset(again, '#', sizeof again);
        unsigned sum_again = 1;
        const char* end_again = record.put_one_by_one(again, sum_again);
        EXPECT_EQ(std::string(static_cast<const char*>(again), end_again),
                  std::string(static_cast<const char*>(line), end))
            << n;
        EXPECT_EQ(sum_again, expected_sum) << n;
        // Nothing is written past the text a byte at a time.
        EXPECT_EQ(again[2 * n], '#') << n;
    }
}

TEST(HexText, DigitsOfEveryByteValue) {
    tobra::HexRecord record;
    for (int b = 0; b < 256; ++b) record.add(static_cast<uint8_t>(b));
    char line[tobra::HexRecord::MAX_DIGITS];
    unsigned sum = 0;
    record.put(line, sum);
    EXPECT_EQ(sum, 255u * 256u / 2u);
    for (int b = 0; b < 256; ++b) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        ASSERT_EQ(std::string(line + 2 * b, 2), two) << b;
        EXPECT_EQ(std::string(tobra::hex_pairs.digits[b], 2), two) << b;
    }
}
