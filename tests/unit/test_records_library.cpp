// Library-vector offsets and calls.
#include <gtest/gtest.h>

#include "test_records_util.h"

namespace tobra::test {
namespace {

const char* const OK = "Assembly successful.\n";

TEST(LibraryVectors, EachLvoIsSixBelowThePrevious) {
    Session s = run_session(" lvoreset\n lvo Open\n lvo Close\n lvorst\n lvo Again\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("_lvoOpen"), -6);
    EXPECT_EQ(s.sym("_lvoClose"), -12);
    EXPECT_EQ(s.sym("_lvoAgain"), -6);
}

// Without lvoreset both passes must still agree (no phasing error).
TEST(LibraryVectors, CounterRestartsEachPass) {
    Session s = run_session(" lvo Open\n lvo Close\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("_lvoClose"), -12);
}

TEST(LibraryVectors, SkippedLvoDoesNotTakeASlot) {
    Session s = run_session(" lvoreset\n lvo A\n ifne 0\n lvo B\n lvoreset\n endc\n lvo C\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("_lvoC"), -12);
    EXPECT_FALSE(s.sym("_lvoB"));
}

TEST(LibraryVectors, ListingShowsOffsetAndResetShowsAddress) {
    Session s = run_session(" nop\n lvoreset\n lvo Open\n ifne 0\n lvo Open\n endc\n", {"-b", "-l"});
    const std::string& out = s.r.out;
    EXPECT_NE(out.find(listed("00000002", " lvoreset")), std::string::npos) << out;
    EXPECT_NE(out.find(listed("fffffffa", " lvo Open")), std::string::npos) << out;
    size_t skipped = out.find(" ifne 0\n");
    EXPECT_NE(out.find(listed("fffffffa", " lvo Open"), skipped), std::string::npos) << out;
}

TEST(LibraryCalls, CallJumpsThroughTheVector) {
    Session s = run_session(" lvoreset\n lvo Open\n lvo Close\n call Close\n call Open ; comment\n call Open  junk\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(hex_words(s.r.bytes), "4eae fff4 4eae fffa 4eae fffa");
}

// A call takes its room in both passes, so an undefined vector costs one
// error and moves no later label.
TEST(LibraryCalls, CallOfAnUndefinedVectorIsOneError) {
    Session s = run_session(" call Nope\nafter nop\n");
    EXPECT_EQ(s.r.out, "t.s,1: lookup: undefined - _lvoNope\n1 error(s) found\n");
    EXPECT_EQ(s.r.exit_code, 1);
    EXPECT_EQ(s.sym("after"), 4);
}

// Names defined further down are found in pass 2 and nothing moves between
// the passes, also in an object file whose code length comes from pass 1.
TEST(LibraryCalls, VectorsAndBasesMayBeDefinedAfterTheCall) {
    for (const char* option : {"-b", "-o"}) {
        Session s = run_session(
            " call Open\n callres Open,LibBase\n callusr Open,LibBase\n lvoreset\n lvo Open\nLibBase equ 8\n",
            {option});
        EXPECT_EQ(s.r.out, OK) << option;
        EXPECT_NE(hex_words(s.r.bytes).find("4eae fffa 2f0e 2c6e 0008 4eae fffa 2c5f 2f0e 2c6c 0008 4eae fffa 2c5f"),
                  std::string::npos)
            << option << ": " << hex_words(s.r.bytes);
    }
}

TEST(LibraryCalls, CallresWithoutBaseEmitsNothing) {
    Session s = run_session(" lvoreset\n lvo Open\n callres Open\n callusr Open,\nafter nop\n");
    EXPECT_EQ(s.r.out,
              "t.s,3: callres: base label not supplied\n"
              "t.s,4: callres: base label not supplied\n"
              "2 error(s) found\n");
    EXPECT_EQ(s.sym("after"), 0);
}

TEST(LibraryCalls, CallresWithUndefinedBaseIsOneError) {
    Session s = run_session(" callres Nope,Nobase\nafter nop\n");
    EXPECT_EQ(s.r.out, "t.s,1: lookup: undefined - Nobase\n1 error(s) found\n");
    EXPECT_EQ(s.sym("after"), 12);
}

TEST(LibraryCalls, CallresWithUndefinedVectorIsOneError) {
    Session s = run_session("LibBase equ 20\n callres Nope,LibBase\nafter nop\n");
    EXPECT_EQ(s.r.out, "t.s,2: lookup: undefined - _lvoNope\n1 error(s) found\n");
    EXPECT_EQ(s.sym("after"), 12);
}

TEST(LibraryCalls, BaseOutsideTheWordRangeIsAnError) {
    // The displacement would read as -25536; the call keeps its length.
    Session s = run_session("Big equ 40000\n lvoreset\n lvo Open\n callres Open,Big\nafter nop\n");
    EXPECT_EQ(s.r.out, "t.s,4: 40000 value not in range: [-32768,32767]\n1 error(s) found\n");
    EXPECT_EQ(s.sym("after"), 12);
}

TEST(LibraryCalls, SkippedCallsEmitNothing) {
    Session s = run_session(" lvoreset\n lvo Open\n ifne 0\n call Open\n callres Open,x\n endc\n nop\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(hex_words(s.r.bytes), "4e71");
}

} // namespace
} // namespace tobra::test
