// Pass 2 takes a line's bytes from pass 1's record where it can. Whether it
// did is seen nowhere in the output, so these tests count the lines taken
// and compare the bytes with a run that assembles every line in full.
#include <gtest/gtest.h>

#include <string>

#include "driver/assembler.h"

namespace tobra::test {
namespace {

struct Outcome {
    int exit_code = 0;
    std::string bytes;
    uint64_t replayed = 0;
};

Outcome assemble(const std::string& source, bool line_records) {
    Assembler as(nullptr);
    as.write_files = false;
    as.line_records = line_records;
    as.memory_files["t.s"] = source;
    const char* argv[] = {"tobra", "-b", "t.s"};
    Outcome r;
    r.exit_code = as.run(3, argv);
    r.bytes = as.emit.output_data;
    r.replayed = as.replay.replayed();
    return r;
}

// Local names are read under the global label before them; each pass counts
// the global labels from its own start, so a line reading .l or 1$ under the
// second and third global label is taken from its record like any other.
TEST(LineReplay, LinesReadingLocalNamesComeFromTheirRecords) {
    std::string source = " nop\n";
    int lines = 1;
    for (const char* global : {"first", "second", "third"}) {
        source += std::string(global) + ": nop\n.l: moveq #1,d0\n1$: nop\n";
        lines += 3;
        for (int i = 0; i < 4; ++i) source += " lea .l,a0\n bra.s 1$\n";
        lines += 8;
    }
    const Outcome replayed = assemble(source, true);
    const Outcome full = assemble(source, false);
    ASSERT_EQ(full.exit_code, 0);
    EXPECT_EQ(replayed.exit_code, 0);
    EXPECT_EQ(replayed.bytes, full.bytes);
    EXPECT_EQ(full.replayed, 0u);
    EXPECT_EQ(replayed.replayed, static_cast<uint64_t>(lines));
}

} // namespace
} // namespace tobra::test
