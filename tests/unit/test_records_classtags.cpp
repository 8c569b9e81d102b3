// Class-tag tables.
#include <gtest/gtest.h>

#include "test_records_util.h"

namespace tobra::test {
namespace {

const char* const OK = "Assembly successful.\n";

const char* const OBJ_BLOCK =
    " classtagbegin Obj,4\n"
    " classtag Init,InitCode\n"
    " classtag Free,FreeCode\n"
    " classtagend Obj\n";

TEST(ClassTags, ConcatContinuesWhereTheOtherBlockEnded) {
    Session s = run_session(std::string(OBJ_BLOCK) +
                            " classtagbegin Sub\n classtagconcat Obj\n classtag Draw\n classtagend Sub\n"
                            "InitCode nop\nFreeCode nop\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("ct_Draw"), 12);
    EXPECT_EQ(s.sym("ct_Sub"), 16);
    EXPECT_EQ(hex_words(s.r.bytes), "0000 000c 0000 0010 0000 0012 0000 0010 4e71 4e71");
}

TEST(ClassTags, TagsWithoutValueOrNameEmitNothing) {
    Session s = run_session(" classtagbegin Obj\n classtag A\n classtag\n classtag B\n classtagend Obj\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("ct_A"), 0);
    EXPECT_EQ(s.sym("ct_B"), 4);
    EXPECT_EQ(s.sym("ct_Obj"), 8);
    EXPECT_EQ(hex_words(s.r.bytes), "0000 0008");
}

TEST(ClassTags, BeginWithoutNameOnlyRestartsTheCounter) {
    Session s = run_session(" classtagbegin ,8\n classtag A,-1\n classtagend\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("ct_A"), 8);
    EXPECT_EQ(hex_words(s.r.bytes), "ffff ffff");
}

TEST(ClassTags, UnalignedStartWarnsAndIsKept) {
    Session s = run_session(" classtagbegin Obj,6\n classtag A\n classtagend Obj\n");
    EXPECT_EQ(s.r.out, "t.s,1: warning --- classtagbegin: value is not longword aligned\n\nAssembly successful.\n");
    EXPECT_EQ(s.sym("ct_A"), 6);
}

TEST(ClassTags, TagDefinedTwiceIsARedefinition) {
    Session s = run_session(" classtag A\n classtag A\n");
    EXPECT_EQ(s.r.out, "t.s,2: install: symbol redefined: ct_A\n1 error(s) found\n");
}

// A nameless end prints its line with an empty name.
TEST(ClassTags, NamelessEndPrintsAnEmptyName) {
    Session s = run_session(" classtagbegin ,4\n classtag Init\n classtagend\n", {"-b", "-l"});
    EXPECT_NE(s.r.out.find("00000008                \n" + std::string(24, ' ') + " classtagend\n"), std::string::npos)
        << s.r.out;
}

TEST(ClassTags, NoTagLinesWithoutListing) {
    Session s = run_session(" classtag A\n classtagend\n");
    EXPECT_EQ(s.r.out, OK);
}

// Skipped tags still count, so the numbering does not depend on the condition.
TEST(SkippedClassTags, TagsStillAdvanceTheCounter) {
    Session s = run_session(
        " classtagbegin T\n classtag a\n ifne 0\n classtag b\n classtag\n endc\n classtag c\n classtagend T\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("ct_a"), 0);
    EXPECT_FALSE(s.sym("ct_b"));
    EXPECT_EQ(s.sym("ct_c"), 8);
    EXPECT_EQ(s.sym("ct_T"), 12);
    EXPECT_EQ(hex_words(s.r.bytes), "0000 000c");
}

TEST(SkippedClassTags, BeginAndConcatTakeTheEndValue) {
    Session s = run_session(
        " classtagbegin T,8\n classtag a\n classtagend T\n classtag x\n"
        " ifne 0\n classtagconcat T\n endc\n classtag b\n"
        " ifne 0\n classtagbegin\n endc\n classtag c\n");
    EXPECT_EQ(s.r.out, OK);
    EXPECT_EQ(s.sym("ct_x"), 12);
    EXPECT_EQ(s.sym("ct_b"), 12);  // the skipped concat set the counter back to ct_T
    EXPECT_EQ(s.sym("ct_c"), 0);   // the skipped nameless begin set it to 0
}

TEST(SkippedClassTags, ListingOfSkippedTags) {
    Session s = run_session(
        " classtagbegin T\n classtag a\n classtagend T\n"
        " ifne 0\n classtagbegin T\n classtag a\n classtagend T\n classtagend\n endc\n",
        {"-b", "-l"});
    const std::string& out = s.r.out;
    size_t skipped = out.find(" ifne 0\n");
    ASSERT_NE(skipped, std::string::npos) << out;
    EXPECT_NE(out.find(listed("00000004", " classtagbegin T"), skipped), std::string::npos) << out;
    EXPECT_NE(out.find("00000000                ct_a\n" + listed("00000000", " classtag a"), skipped),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("00000004                ct_T\n" + listed("00000004", " classtagend T"), skipped),
              std::string::npos)
        << out;
    // After the skipped copies of the block the counter is 8 again.
    EXPECT_NE(out.find(listed("00000008", " classtagend"), skipped), std::string::npos) << out;
}

// A label value in a tag is moved by the linker with its section, as for dc.l.
TEST(ClassTags, LabelValueGetsALongRelocationInObjectOutput) {
    Session s = run_session(" classtagbegin O\n classtag I,Code\n classtagend O\nCode nop\n", {"-o"});
    EXPECT_EQ(s.r.out, OK);
    // Long relocation hunk of section code: target code, one offset, 4.
    const std::string hunk("\xc0\xde\xcf\x15\0\0\0\x0c\0\0\0\0\0\0\0\0\0\0\0\x04", 20);
    EXPECT_NE(s.r.bytes.find(hunk), std::string::npos) << hex_words(s.r.bytes);
}

} // namespace
} // namespace tobra::test
