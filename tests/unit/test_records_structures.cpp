// Record layouts, enumerations and bit definitions.
#include <gtest/gtest.h>

#include "test_records_util.h"

namespace tobra::test {
namespace {

const char* const OK = "Assembly successful.\n";

struct Expected {
    const char* name;
    int32_t value;
};

void expect_symbols(const Session& s, std::initializer_list<Expected> symbols) {
    for (const Expected& e : symbols) EXPECT_EQ(s.sym(e.name), e.value) << e.name;
}

TEST(Structures, UpwardFieldsTakeTheOffsetBeforeThem) {
    Session s = run_session(" structure s,0\n long next\n word flags\n byte kind\n label size\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"s", 0}, {"next", 0}, {"flags", 4}, {"kind", 6}, {"size", 7}});
    EXPECT_EQ(s.r.bytes, "");  // layouts emit nothing
}

TEST(Structures, DownwardFieldsTakeTheOffsetAfterThem) {
    Session s = run_session(" stkstruct f,0\n long x\n word y\n label bottom\n struct buf,10\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"f", 0}, {"x", -4}, {"y", -6}, {"bottom", -6}, {"buf", -16}});
}

TEST(Structures, EveryFieldDirectiveHasItsSize) {
    Session s = run_session(
        " structure t,0\n byte a\n char b\n ubyte c\n bool d\n short e\n ushort f\n uword g\n word h\n"
        " aptr i\n fixed j\n float k\n long l\n rptr m\n ulong n\n struct o,3\n label end\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}, {"e", 5}, {"f", 7}, {"g", 9}, {"h", 11},
                       {"i", 13}, {"j", 17}, {"k", 21}, {"l", 25}, {"m", 29}, {"n", 33}, {"o", 37}, {"end", 40}});
}

TEST(Structures, StartMustFollowTheCommaDirectly) {
    Session spaced = run_session(" structure s, 8\n byte a\n");
    expect_symbols(spaced, {{"s", 0}, {"a", 0}});
    Session tight = run_session(" structure s,8\n byte a\n");
    expect_symbols(tight, {{"s", 8}, {"a", 8}});
}

TEST(Structures, StartAndSizeAreExpressions) {
    Session s = run_session("BASE equ 16\n structure s,BASE+4\n struct buf,BASE*2\n long after\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"s", 20}, {"buf", 20}, {"after", 52}});
}

TEST(Structures, IncludedFileRestartsTheOffset) {
    Session s = run_session(" structure s,4\n long a\n include inc.i\n long b\n", {"-b"}, {{"inc.i", " long c\n"}});
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"a", 4}, {"c", 0}, {"b", 4}});
}

TEST(Structures, StructWithUndefinedSizeIsReportedWithTheFieldName) {
    Session s = run_session(" structure r,0\n struct buf,nothere\n");
    EXPECT_EQ(s.r.out, "t.s,2: struct: undefined constant for: buf\n\n1 error(s) found\n");
    EXPECT_EQ(s.r.exit_code, 1);
}

TEST(Structures, FieldDefinedTwiceIsARedefinition) {
    Session s = run_session(" structure s,0\n long a\n long a\n");
    EXPECT_EQ(s.r.out, "t.s,3: install: symbol redefined: a\n1 error(s) found\n");
}

TEST(Structures, LabelOnAFieldLineIsAnAddress) {
    Session s = run_session(" nop\nhere long field\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"here", 2}, {"field", 0}});
}

TEST(Structures, NamelessFieldStillTakesItsRoom) {
    Session s = run_session(" structure s,0\n long\n word x\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"x", 4}});
}

// Offsets are 32-bit machine values: they wrap instead of overflowing.
TEST(Structures, OffsetsWrapAt32Bits) {
    Session s = run_session(" stkstruct f,0\n struct big,$80000000\n long x\n structure t,$7fffffff\n byte a\n byte b\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"big", INT32_MIN}, {"x", 0x7ffffffc}, {"a", INT32_MAX}, {"b", INT32_MIN}});
}

// Pass 2 starts upward again although pass 1 ended in a downward layout.
TEST(Structures, DirectionRestartsEachPass) {
    Session s = run_session(" long early\n stkstruct f,0\n long x\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"early", 0}, {"x", -4}});
}

TEST(Enumerations, StepFollowsTheSuffix) {
    Session s = run_session(" enumset 10\n enum.w red\n enum green\n enum.l blue\n enum.b last\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"red", 10}, {"green", 12}, {"blue", 13}, {"last", 17}});
}

TEST(Enumerations, ResetAndSet) {
    Session s = run_session(" enumset 5\n enum a\n enumreset\n enum b\n enumset -3\n enum c\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"a", 5}, {"b", 0}, {"c", -3}});
}

// Without enumreset both passes must still agree (no phasing error).
TEST(Enumerations, CounterRestartsEachPass) {
    Session s = run_session(" enum a\n enum b\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"a", 0}, {"b", 1}});
}

TEST(Enumerations, WrongSuffixOrOperandIsRejected) {
    Session s = run_session(" enum.s a\n enum.d b\n enumset #1\n");
    EXPECT_EQ(s.r.out,
              "t.s,1: process: bad size or wrong operand(s)\n"
              "t.s,2: process: bad size or wrong operand(s)\n"
              "t.s,3: process: bad size or wrong operand(s)\n"
              "3 error(s) found\n");
}

TEST(BitDefinitions, PrefixCaseChoosesTheSeparators) {
    Session s = run_session(" bitdef CTRL,READY,3\n bitdef ctrl,busy,31\n bitdef _p,q,0\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"CTRLB_READY", 3}, {"CTRLF_READY", 8}, {"ctrlb_busy", 31},
                       {"ctrlf_busy", static_cast<int32_t>(0x80000000u)}, {"_pb_q", 0}, {"_pf_q", 1}});
}

TEST(BitDefinitions, BitNumberOutsideTheLongIsAnError) {
    Session s = run_session(" bitdef X,y,32\n bitdef P,n,-1\n");
    EXPECT_EQ(s.r.out, "t.s,1: bitdef: bit number out of range 0..31\n"
                       "t.s,2: bitdef: bit number out of range 0..31\n2 error(s) found\n");
}

// While skipping, existing names are listed and no counter moves.
TEST(SkippedRecords, CountersStandStill) {
    Session s = run_session(
        " structure s,0\n long a\n ifne 0\n long b\n enum e1\n stkstruct z,0\n endc\n long c\n"
        " enum e2\n");
    EXPECT_EQ(s.r.out, OK);
    expect_symbols(s, {{"a", 0}, {"c", 4}, {"e2", 0}});
    EXPECT_FALSE(s.sym("b"));
    EXPECT_FALSE(s.sym("e1"));
    EXPECT_FALSE(s.sym("z"));
}

TEST(SkippedRecords, ExistingNamesAreListed) {
    Session s = run_session(
        " structure s,0\n long a\n long b\n enumset 7\n enum e\n bitdef P,q,4\n"
        " ifne 0\n long b\n enum e\n bitdef P,q,9\n long nothere\n endc\n",
        {"-b", "-l"});
    const std::string& out = s.r.out;
    EXPECT_EQ(s.r.exit_code, 0) << out;
    // Line 8 onwards: the skipped copies.
    size_t skipped = out.find(" ifne 0\n");
    ASSERT_NE(skipped, std::string::npos) << out;
    EXPECT_NE(out.find(listed("00000004", " long b"), skipped), std::string::npos) << out;
    EXPECT_NE(out.find(listed("00000007", " enum e"), skipped), std::string::npos) << out;
    EXPECT_NE(out.find(listed("00000010", " bitdef P,q,9"), skipped), std::string::npos) << out;
    EXPECT_NE(out.find(std::string(24, ' ') + " long nothere\n", skipped), std::string::npos) << out;
}

} // namespace
} // namespace tobra::test
