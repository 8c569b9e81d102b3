// Directive actions driven directly on an assembler context, without the
// evaluator or the scanner in the way.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/assembler.h"
#include "test_util.h"

using tobra::test::hex_words;

namespace {

struct Ctx {
    tobra::Assembler as{nullptr};
    Ctx() {
        as.write_files = false;
        as.drv.reset_pass();
    }
    // Puts text (without its newline) where a line's operand text would be.
    void operands(const std::string& text) {
        std::string line = text + "\n";
        std::memcpy(as.src.line_buffer, line.c_str(), line.size() + 1);
        as.src.operand_text = as.src.line_buffer;
    }
    // Pass 2 with a binary image in memory.
    void start_pass2() {
        as.options.binary_output = 1;
        as.drv.pass_number = 2;
        as.emit.open_output("t.s");
    }
    std::string flushed() {
        as.emit.flush_section();
        return hex_words(as.emit.output_data);
    }
};

TEST(WordItem, SplitsAtBlanksTabsCommasAndDropsQuotes) {
    Ctx c;
    c.operands("abc ;\tno\"te\",,x");
    auto& d = c.as.dir;
    EXPECT_EQ(d.read_word_item().value(), "abc");
    EXPECT_EQ(d.read_word_item().value(), ";");
    EXPECT_EQ(d.read_word_item().value(), "note");
    EXPECT_EQ(d.read_word_item().value(), "");  // two delimiters in a row
    EXPECT_EQ(d.read_word_item().value(), "x");
    EXPECT_FALSE(d.read_word_item().has_value());
    EXPECT_EQ(c.as.drv.error_count, 0);
}

TEST(WordItem, QuotesDoNotProtectDelimiters) {
    Ctx c;
    c.operands("\"my file\"");
    EXPECT_EQ(c.as.dir.read_word_item().value(), "my");
    EXPECT_EQ(c.as.dir.read_word_item().value(), "file");
}

TEST(WordItem, OverlongWordIsCutAndReported) {
    Ctx c;
    c.operands(std::string(200, 'n') + ",next");
    auto w = c.as.dir.read_word_item();
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->size(), 119u);
    EXPECT_EQ(c.as.drv.error_count, 1);
    EXPECT_NE(c.as.con.captured().find("read_word_item: word too long"), std::string::npos);
    // The rest of the long word is consumed; the next word is intact.
    EXPECT_EQ(c.as.dir.read_word_item().value(), "next");
}

TEST(WordItem, ExactlyFitsWithoutError) {
    Ctx c;
    c.operands(std::string(119, 'n'));
    EXPECT_EQ(c.as.dir.read_word_item()->size(), 119u);
    EXPECT_EQ(c.as.drv.error_count, 0);
}

TEST(Conditional, ElseAndEndcKeepNestingInStep) {
    Ctx c;
    auto& d = c.as.dir;
    auto& drv = c.as.drv;
    // ifnd of an unknown name: assembled.
    c.operands("nosuchname");
    d.d_if(127);
    EXPECT_EQ(drv.condition_level, 1);
    EXPECT_TRUE(drv.assembling());
    d.d_else();
    EXPECT_FALSE(drv.assembling());
    // Inside the skipped part: an if opens a block, its else cannot turn it on.
    d.skip_line(121);
    EXPECT_EQ(drv.condition_level, 2);
    d.skip_line(129);
    EXPECT_FALSE(drv.assembling());
    d.skip_line(119);
    EXPECT_EQ(drv.condition_level, 1);
    // The skipped else of the outer block turns it back on.
    d.skip_line(129);
    EXPECT_TRUE(drv.assembling());
    d.d_endc();
    EXPECT_EQ(drv.condition_level, 0);
    EXPECT_TRUE(drv.assembling());
}

TEST(Conditional, IfdOfUnknownNameSkips) {
    Ctx c;
    c.operands("nosuchname");
    c.as.dir.d_if(120);
    EXPECT_FALSE(c.as.drv.assembling());
}

TEST(Conditional, UnmatchedElseIsAnErrorAndChangesNothing) {
    Ctx c;
    c.as.dir.d_else();
    EXPECT_EQ(c.as.drv.error_count, 1);
    EXPECT_TRUE(c.as.drv.assembling());
    EXPECT_NE(c.as.con.captured().find("else: no matching if"), std::string::npos);
}

TEST(Conditional, UnmatchedEndcWarnsInPass2Only) {
    Ctx c;
    c.as.dir.d_endc();
    EXPECT_EQ(c.as.con.captured(), "");
    c.as.drv.pass_number = 2;
    c.as.dir.d_endc();
    EXPECT_NE(c.as.con.captured().find("warning --- endc: no matching if"), std::string::npos);
    EXPECT_EQ(c.as.drv.error_count, 0);
    EXPECT_EQ(c.as.drv.condition_level, 0);
}

TEST(Conditional, TwoHundredFiftyFiveLevelsThenFatal) {
    Ctx c;
    for (int i = 0; i < 255; ++i) c.as.dir.skip_line(121);
    EXPECT_EQ(c.as.drv.condition_level, 255);
    EXPECT_THROW(c.as.dir.skip_line(128), tobra::FatalError);
    EXPECT_EQ(c.as.drv.condition_level, 255);
    EXPECT_NE(c.as.con.captured().find("More than 256 nested conditional blocks!"), std::string::npos);
}

TEST(Conditional, IfncComparesTexts) {
    struct Case {
        const char* text;
        bool assembled;
    } cases[] = {
        {"abc,abd", true},          {"abc,abc", false},       {"'a b','a b'", false},
        {"\"x,y\",'x,y'", false},   {"'',''", false},         {"'',x", true},
        {"Abc,abc", true},          {"abc,abc ; same", false}, {"abc , abc", false},
    };
    for (const Case& k : cases) {
        Ctx c;
        c.operands(k.text);
        c.as.dir.d_if(126);
        EXPECT_EQ(c.as.drv.condition_level, 1) << k.text;
        EXPECT_EQ(c.as.drv.assembling(), k.assembled) << k.text;
        EXPECT_EQ(c.as.drv.error_count, 0) << k.text;
    }
}

TEST(Conditional, IfncWithoutCommaIsReported) {
    Ctx c;
    c.operands("abc");
    c.as.dir.d_if(126);
    EXPECT_EQ(c.as.drv.error_count, 1);
    EXPECT_EQ(c.as.drv.condition_level, 1);
}

TEST(Incdir, AppendsSeparatorUnlessPresent) {
    struct Case {
        const char* text;
        const char* dir;
    } cases[] = {
        {"inc", "inc/"}, {"inc/", "inc/"}, {"dh0:", "dh0:"}, {"inc ; comment", "inc ; comment/"}, {"", ""},
    };
    for (const Case& k : cases) {
        Ctx c;
        c.as.drv.include_directory = "old/";
        c.operands(k.text);
        c.as.dir.d_incdir();
        EXPECT_EQ(c.as.drv.include_directory, k.dir) << k.text;
    }
}

TEST(Incdir, TooLongIsRejected) {
    Ctx c;
    c.as.drv.include_directory = "old/";
    c.operands(std::string(126, 'd'));  // 127 with the separator: fits
    c.as.dir.d_incdir();
    EXPECT_EQ(c.as.drv.include_directory.size(), 127u);
    c.operands(std::string(127, 'e'));
    c.as.dir.d_incdir();
    EXPECT_EQ(c.as.drv.error_count, 1);
    EXPECT_EQ(c.as.drv.include_directory, std::string(126, 'd') + "/");
}

TEST(Sections, EachSectionResumesWhereItStopped) {
    Ctx c;
    auto& d = c.as.dir;
    auto& drv = c.as.drv;
    drv.location_counter = 10;
    c.operands("data");
    d.d_section();
    EXPECT_EQ(drv.current_section, tobra::SEC_DATA);
    EXPECT_EQ(drv.location_counter, 0);
    drv.location_counter = 6;
    c.operands("CODE");
    d.d_section();
    EXPECT_EQ(drv.location_counter, 10);
    c.operands("d");
    d.d_section();
    EXPECT_EQ(drv.current_section, tobra::SEC_DATA);
    EXPECT_EQ(drv.location_counter, 6);
}

TEST(Sections, NamesMatchByPrefixInTableOrder) {
    struct Case {
        const char* name;
        int section;
    } cases[] = {
        {"c", 0}, {"codeseg", 0}, {"b", 2}, {"base", 3}, {"BASEB", 4}, {"bss", 2}, {"foo", 1}, {"", 1},
    };
    for (const Case& k : cases) {
        Ctx c;
        c.as.drv.current_section = tobra::SEC_DATA;  // a name that matches nothing stays here
        c.operands(k.name);
        c.as.dir.d_section();
        EXPECT_EQ(c.as.drv.current_section, k.section) << k.name;
    }
}

TEST(Align, FillsUpToMultiple) {
    struct Case {
        int32_t at, n, after;
    } cases[] = {
        {5, 4, 8}, {8, 4, 8}, {3, 0, 3}, {7, 6, 12},
        {int32_t(0xFFFF8001), 4, int32_t(0xFFFF8004)},  // high addresses align as unsigned
    };
    for (const Case& k : cases) {
        Ctx c;
        c.as.drv.location_counter = k.at;
        c.as.scan.operands[0].value = k.n;
        c.as.dir.d_align();
        EXPECT_EQ(c.as.drv.location_counter, k.after) << k.at << " " << k.n;
    }
}

TEST(Align, NegativeValueIsAnError) {
    Ctx c;
    c.as.drv.location_counter = 5;
    c.as.scan.operands[0].value = -4;
    c.as.dir.d_align();
    EXPECT_EQ(c.as.drv.location_counter, 5);
    EXPECT_EQ(c.as.drv.error_count, 1);
}

TEST(Ds, LargeBssReservationIsCheap) {
    Ctx c;
    c.operands("bss");
    c.as.dir.d_section();
    c.as.src.size_mask = tobra::SZ_L;
    c.as.scan.operands[0].cls = tobra::CLS_EXPR;
    c.as.scan.operands[0].value = 0x10000000;
    c.as.dir.d_ds();
    EXPECT_EQ(c.as.drv.location_counter, 0x40000000);
    EXPECT_EQ(c.as.drv.section_size[tobra::SEC_BSS], 0x40000000);
}

TEST(Ds, NegativeOrOversizedCountIsAnError) {
    for (int32_t count : {-1, 0x20000000}) {
        Ctx c;
        c.as.src.size_mask = tobra::SZ_L;
        c.as.scan.operands[0].value = count;
        c.as.dir.d_ds();
        EXPECT_EQ(c.as.drv.location_counter, 0) << count;
        EXPECT_EQ(c.as.drv.error_count, 1) << count;
    }
}

TEST(Ds, FillIsABytePattern) {
    Ctx c;
    c.start_pass2();
    c.as.src.size_mask = tobra::SZ_W;
    c.as.scan.operands[0] = {};
    c.as.scan.operands[0].cls = tobra::CLS_EXPR;
    c.as.scan.operands[0].value = 2;
    c.as.scan.operands[1] = c.as.scan.operands[0];
    c.as.scan.operands[1].value = 0x1234;
    c.as.dir.d_ds();
    EXPECT_EQ(c.flushed(), "3434 3434");
}

TEST(Boundary, TrapSequenceThenPadInCodeOnly) {
    Ctx c;
    c.start_pass2();
    c.as.drv.location_counter = 2;
    c.as.dir.d_boundary();
    EXPECT_EQ(c.flushed(), "60fe 4afc 4afc 4afc 4afc 4afc 0000");
    EXPECT_EQ(c.as.drv.location_counter, 16);
    c.as.drv.current_section = tobra::SEC_DATA;
    c.as.dir.d_boundary();
    EXPECT_EQ(c.as.drv.location_counter, 16);
}

TEST(Org, LowersOddOriginAndListsIt) {
    Ctx c;
    c.as.scan.operands[0].value = 0x1001;
    c.as.dir.d_org(false);
    EXPECT_EQ(c.as.drv.location_counter, 0x1000);
    EXPECT_EQ(c.as.drv.section_resume_address[0], 0x1000);
    EXPECT_EQ(c.as.drv.line_start_address, 0x1000);
    EXPECT_TRUE(c.as.lst.listing_show_address);
    EXPECT_EQ(c.as.drv.origin_set, 1);
}

TEST(Org, ForbiddenWithObjectOutput) {
    Ctx c;
    c.as.options.object_output = 1;
    EXPECT_THROW(c.as.dir.d_org(true), tobra::FatalError);
    EXPECT_NE(c.as.con.captured().find("Can not set origin with object file generation"), std::string::npos);
}

TEST(Idnt, FirstValueOfEachPositionWins) {
    Ctx c;
    c.operands("abc ; note");
    c.as.dir.d_idnt();
    c.operands("x,y,z,w");
    c.as.dir.d_idnt();
    EXPECT_EQ(c.as.dir.identification_strings[0].value(), "abc");
    EXPECT_EQ(c.as.dir.identification_strings[1].value(), ";");
    EXPECT_EQ(c.as.dir.identification_strings[2].value(), "note");
}

TEST(Idnt, LaterLineFillsEmptyPositionsOnly) {
    Ctx c;
    c.operands("one");
    c.as.dir.d_idnt();
    c.operands("two,three");
    c.as.dir.d_idnt();
    EXPECT_EQ(c.as.dir.identification_strings[0].value(), "one");
    EXPECT_EQ(c.as.dir.identification_strings[1].value(), "three");
    EXPECT_FALSE(c.as.dir.identification_strings[2].has_value());
}

}  // namespace
