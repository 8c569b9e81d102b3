// The opt directive: items, option names, optimise flags.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/opt.h"
#include "test_util.h"

namespace tobra {
namespace {

TEST(OptionNames, APrefixInEitherDirectionMatchesIgnoringCase) {
    EXPECT_TRUE(option_name_matches("obj", "object"));
    EXPECT_TRUE(option_name_matches("listing", "l"));
    EXPECT_TRUE(option_name_matches("OPTIMISE", "optimise"));
    EXPECT_FALSE(option_name_matches("objx", "object"));
    EXPECT_FALSE(option_name_matches("", "l"));
    EXPECT_FALSE(option_name_matches("l", ""));
    EXPECT_TRUE(option_name_matches("", ""));
    EXPECT_FALSE(option_name_matches(" l", "l"));
}

std::vector<std::string> items(const char* text) {
    std::vector<std::string> out;
    const char* cursor = text;
    while (auto item = read_opt_item(cursor)) out.push_back(*item);
    EXPECT_EQ(*cursor, '\0');
    return out;
}

TEST(OptItems, CommasAndTheNewlineEndItemsQuotesAreDroppedBlanksKept) {
    EXPECT_EQ(items("l,nol\n"), (std::vector<std::string>{"l", "nol"}));
    EXPECT_EQ(items("l, nol\n"), (std::vector<std::string>{"l", " nol"}));
    EXPECT_EQ(items("\"obj\"ect,,x\n"), (std::vector<std::string>{"object", "", "x"}));
    // Text with no delimiter before the end is no item.
    EXPECT_EQ(items("l,nol"), (std::vector<std::string>{"l"}));
    EXPECT_EQ(items(""), (std::vector<std::string>{}));
}

TEST(OptItems, AnOverlongItemIsCut) {
    std::string text(300, 'a');
    text += ",b\n";
    auto got = items(text.c_str());
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string(OPT_TEXT_MAX, 'a'));
    EXPECT_EQ(got[1], "b");
}

struct FlagCase {
    const char* value;
    int32_t before;
    int32_t after;
    bool matched;
};

TEST(OptimiseFlags, EveryMatchingFlagApplies) {
    const FlagCase cases[] = {
        {"nomoveq", -1, ~0x01, true},
        {"none", -1, 0, true},
        {"lea", 0, 0x20, true},
        {"moveq", 0x20, 0x21, true},
        {"all", 0, 0x7FFFFFFF, true},
        {"a", 0, 0x7FFFFFFF, true},           // addq and all
        {"no", 0x3F, 0, true},                // none and every no-form
        {"NOBRANCH", 0x3F, 0x37, true},
        {"noindex", 0x3F, 0x2F, true},
        {"", 0x3F, 0x3F, false},
        {"fast", 0x3F, 0x3F, false},
        {"branchy", 0, 0x08, true},           // text that begins with a flag name selects it
    };
    for (const FlagCase& c : cases) {
        int32_t flags = c.before;
        EXPECT_EQ(apply_optimise_flags(c.value, flags), c.matched) << c.value;
        EXPECT_EQ(flags, c.after) << c.value;
    }
}

TEST(OptDirective, OptionsReachTheirState) {
    Assembler as(nullptr);
    as.drv.pass_number = 2;
    auto opt = [&](const char* text) {
        std::strcpy(as.src.line_buffer, text);
        Statement st;
        st.cursor.at = st.cursor.begin = as.src.line_buffer;
        directive_opt(as, st);
    };
    opt("obj,rtx,unsize,b\n");
    EXPECT_EQ(as.options.output_formats, FORMAT_OBJECT);
    EXPECT_TRUE(as.options.relocatable_output);
    EXPECT_EQ(as.drv.rts_nop, 1);
    EXPECT_EQ(as.drv.unsized_mode, 1);
    opt("optimise=none,optim=lea\n");
    EXPECT_EQ(as.drv.optimise_flags, 0x20);
    opt("optimise=x=moveq\n");  // a second '=' starts the value again
    EXPECT_EQ(as.drv.optimise_flags, 0x21);
    opt("list,nolist,listing\n");
    EXPECT_EQ(as.options.listing_enabled, 1);
    EXPECT_EQ(as.drv.error_count, 0);
    EXPECT_EQ(as.con.captured(), "");
}

TEST(OptRun, UnknownOptionsAreCountedAndTheRestStillApplies) {
    auto r = test::assemble(" opt l, nol,fast,obj\n nop\n", {});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "t.s,1: opt: unrecognized option:  nol\n"
                     "t.s,1: opt: unrecognized option: fast\n"
                     "2 error(s) found\n");
}

TEST(OptRun, AnUnknownOptimiseFlagWarnsInPassTwoOnly) {
    auto r = test::assemble(" opt optimise=fast\n opt optimise\n", {"-b"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "t.s,1: warning --- optimise flag not recognised\n\n"
                     "t.s,2: warning --- optimise flag not recognised\n\n"
                     "Assembly successful.\n");
}

TEST(OptRun, OptObjectWritesAnObjectFile) {
    auto r = test::assemble(" opt obj\n nop\n", {});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.bytes.substr(0, 4), std::string("\xc0\xde\xcf\x01", 4));
}

TEST(OptRun, OptRtxnopFollowsRtsWithANop) {
    auto r = test::assemble(" opt rtxnop\n rts\n", {"-b"});
    EXPECT_EQ(test::hex_words(r.bytes), "4e75 4e71");
}

} // namespace
} // namespace tobra
