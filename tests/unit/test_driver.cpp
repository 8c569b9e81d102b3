#include <gtest/gtest.h>

#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

TEST(Driver, NopAssemblesToItsWord) {
    auto r = assemble("loop: nop\n nop\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(hex_words(r.bytes), "4e71 4e71");
    EXPECT_EQ(r.out, "Assembly successful.\n");
}

TEST(Driver, ContinuationJoinsLines) {
    // A backslash before the newline joins the next physical line; diagnostics
    // carry the number of the last physical line.
    auto r = assemble(" no\\\np\n bad\\\n1\n");
    EXPECT_EQ(r.out, "t.s,4: process: unrecognized mnemonic - bad1\n1 error(s) found\n");
}

TEST(Driver, CommentsAndEmptyLines) {
    auto r = assemble("* star\n# hash\n; semi\n\n NOP;comment\n rts * trailing text\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(hex_words(r.bytes), "4e71 4e75");
}

TEST(Driver, LongFieldsAreWhole) {
    std::string longlabel(300, 'x');
    std::string longmn(300, 'm');
    auto r = assemble(longlabel + " nop\n " + longmn + "\n");
    EXPECT_EQ(r.out, "t.s,2: process: unrecognized mnemonic - " + longmn + "\n1 error(s) found\n");
}

TEST(Driver, ErrorCountIsCappedForTheExitCode) {
    std::string src;
    for (int i = 0; i < 300; ++i) src += " bogus\n";
    auto r = assemble(src);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_NE(r.out.find("300 error(s) found\n"), std::string::npos);
}

TEST(Driver, SeveralFilesMakeOneProgram) {
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["a.s"] = " nop\n";
    as.memory_files["b.s"] = " rts\n";
    const char* argv[] = {"tobra", "-b", "a.s", "b.s"};
    EXPECT_EQ(as.run(4, argv), 0);
    EXPECT_EQ(as.emit.output_name, "a.o");
    EXPECT_EQ(hex_words(as.emit.output_data), "4e71 4e75");
}
