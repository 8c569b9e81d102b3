// The listing: columns, continuation lines, values, banners and scoping.
#include <gtest/gtest.h>

#include <cstring>

#include "test_util.h"

namespace tobra {
namespace {

struct ListingFixture : ::testing::Test {
    Assembler as{nullptr};
    ListingFixture() {
        as.drv.pass_number = 2;
        as.options.listing_enabled = 1;
    }
    // The listing of one line that emitted count bytes 0, 1, 2, ... at address.
    std::string list(const char* text, int count, int32_t address = 0) {
        size_t before = as.con.captured().size();
        std::strcpy(as.src.line_buffer, text);
        as.drv.line_start_address = address;
        for (int i = 0; i < count; ++i) as.lst.capture(static_cast<uint8_t>(i));
        as.lst.list_line();
        as.lst.listing_count = 0;
        as.lst.listing_show_address = false;
        return as.con.captured().substr(before);
    }
};

TEST_F(ListingFixture, ALineWithoutBytesHasBlankColumns) {
    EXPECT_EQ(list("* comment\n", 0, 0x40), std::string(24, ' ') + "* comment\n");
    EXPECT_EQ(list("\n", 0), std::string(24, ' ') + "\n");
}

TEST_F(ListingFixture, SourceTextStartsInColumn25) {
    std::strcpy(as.src.line_buffer, " nop\n rts\n");
    as.drv.line_start_address = 0x1c;
    static constexpr uint8_t code[] = {0x4e, 0x71, 0x4e, 0x75};
    for (uint8_t b : code) as.lst.capture(b);
    as.lst.list_line();
    EXPECT_EQ(as.con.captured(), "0000001c 4e71 4e75       nop\n");
    EXPECT_EQ(as.con.captured().find("nop"), 25u);
}

TEST_F(ListingFixture, OddCountsKeepTheByteFieldFifteenWide) {
    EXPECT_EQ(list(" x\n", 1), "00000000 00              x\n");
    EXPECT_EQ(list(" x\n", 3), "00000000 0001 02         x\n");
    EXPECT_EQ(list(" x\n", 6), "00000000 0001 0203 0405  x\n");
}

TEST_F(ListingFixture, LongerOutputContinuesSixBytesToALine) {
    EXPECT_EQ(list(" dc.b\n", 14, 0x100),
              "00000100 0001 0203 0405  dc.b\n"
              "         0607 0809 0a0b\n"
              "         0c0d\n");
}

TEST_F(ListingFixture, OnlySixtyFourBytesOfALineAreShown) {
    std::string out = list(" big\n", 70);
    EXPECT_EQ(out.substr(out.size() - 19), "         3c3d 3e3f\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 11);
}

TEST_F(ListingFixture, AValueShowsInTheAddressColumn) {
    as.lst.listing_show_address = true;
    EXPECT_EQ(list("x equ -2\n", 0, -2), "fffffffe                x equ -2\n");
}

TEST_F(ListingFixture, ClassTagLinesOnlyWhileListing) {
    as.lst.class_tag_line(4, "ct_Init");
    EXPECT_EQ(as.con.captured(), "00000004                ct_Init\n");
    as.options.listing_enabled = 0;
    as.lst.class_tag_line(8, "ct_Free");
    as.options.listing_enabled = 1;
    as.drv.pass_number = 1;
    as.lst.class_tag_line(8, "ct_Free");
    EXPECT_EQ(as.con.captured(), "00000004                ct_Init\n");
}

const std::string banner = std::string(BANNER) + MAKER_NOTICE + "\n";

TEST(ListingRun, DashLListsPassTwoOnlyWithTheBannerFirst) {
    auto r = test::assemble("* head\n nop\n\n rts\n", {"-l"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, banner +
                         "                        * head\n"
                         "00000000 4e71            nop\n"
                         "                        \n"
                         "00000002 4e75            rts\n"
                         "Assembly successful.\n");
}

TEST(ListingRun, OptSwitchesTheListingForTheRestOfTheFile) {
    // The opt line that turns listing off is itself not listed; the one that
    // turns it on is.
    auto r = test::assemble(" nop\n opt l,nol\n opt l\n nop\n opt nolist\n nop\n", {});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "                         opt l\n"
                     "00000002 4e71            nop\n"
                     "Assembly successful.\n");
}

TEST(ListingRun, EveryFileGetsItsBannerAndItsOwnOptScope) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["a.s"] = " opt l\n nop\n";
    as.memory_files["b.s"] = " rts\n";
    const char* argv[] = {"tobra", "-b", "a.s", "b.s"};
    EXPECT_EQ(as.run(4, argv), 0);
    // The listing that a.s switched on ends with a.s; b.s is not listed.
    EXPECT_EQ(as.con.captured(), "                         opt l\n"
                                 "00000000 4e71            nop\n"
                                 "Assembly successful.\n");
}

TEST(ListingRun, EveryFileStartsWithABanner) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["a.s"] = " nop\n";
    as.memory_files["b.s"] = " rts\n";
    const char* argv[] = {"tobra", "-b", "-l", "a.s", "b.s"};
    EXPECT_EQ(as.run(5, argv), 0);
    EXPECT_EQ(as.con.captured(), banner + "00000000 4e71            nop\n" + banner +
                                     "00000002 4e75            rts\n"
                                     "Assembly successful.\n");
}

} // namespace
} // namespace tobra
