#include <gtest/gtest.h>

#include "output/sidefiles.h"
#include "test_util.h"

using tobra::format_make_rule;
using tobra::format_map;
using tobra::MapEntry;

TEST(MakeRule, QuotesForMakeAndBreaksLongLines) {
    // Every prerequisite after the first that would pass column 78 starts a
    // continuation line; blanks, '#' and '$' are quoted the way make reads them.
    const std::vector<std::string> files = {"src/main.s", "include/board definitions.i", "include/#4.i",
                                            "data/$font.bin", "a/very/long/directory/name/for/the/tables.i"};
    EXPECT_EQ(format_make_rule("build/main.o", files, {files[1], files[4]}),
              "build/main.o: src/main.s include/board\\ definitions.i include/\\#4.i \\\n"
              " data/$$font.bin a/very/long/directory/name/for/the/tables.i\n"
              "\n"
              "include/board\\ definitions.i:\n"
              "\n"
              "a/very/long/directory/name/for/the/tables.i:\n");
    // A prerequisite longer than a line still goes on the first line.
    const std::string huge(90, 'x');
    EXPECT_EQ(format_make_rule("t", {huge}, {}), "t: " + huge + "\n");
}

TEST(SymbolMap, SortsByUnsignedValueThenNameAndFitsTheLongestName) {
    std::vector<MapEntry> entries = {
        {"top", 0xFFFFFFF0u, "code", "label", "a.s:9"},
        {"zeta", 5, "-", "equate", "a.s:2"},
        {"a_rather_long_name", 5, "data", "exported", "b.i:1"},
        {"ext", 0, "-", "external", "a.s:1"},
    };
    EXPECT_EQ(format_map(entries),
              "Value     Section   Kind      Symbol              Defined at\n"
              "00000000  -         external  ext                 a.s:1\n"
              "00000005  data      exported  a_rather_long_name  b.i:1\n"
              "00000005  -         equate    zeta                a.s:2\n"
              "fffffff0  code      label     top                 a.s:9\n");
}

TEST(SideFiles, KeptInMemoryWhenFilesAreNot) {
    // In-process runs see the text each side file would get; -D, -I and
    // --output act as on the command line.
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = " include defs.i\nstart: moveq #N,d0\n";
    as.memory_files["inc/defs.i"] = "N equ K*2\n";
    const char* argv[] = {"tobra", "-b", "-Iinc", "-DK=3", "--output=out.bin", "--deps", "out.d",
                          "--map",  "out.map", "--listing", "out.lst", "t.s"};
    EXPECT_EQ(as.run(12, argv), 0);
    EXPECT_EQ(tobra::test::hex_words(as.emit.output_data), "7006");
    EXPECT_EQ(as.con.captured(), "Assembly successful.\n");
    EXPECT_EQ(as.side.deps_text, "out.bin: t.s inc/defs.i\n\ninc/defs.i:\n");
    EXPECT_EQ(as.side.map_text,
              "Value     Section   Kind      Symbol  Defined at\n"
              "00000000  code      label     start   t.s:2\n"
              "00000003  -         equate    K       (command line)\n"
              "00000006  -         equate    N       inc/defs.i:1\n");
    EXPECT_NE(as.side.listing_text.find("00000000 7006           start: moveq #N,d0\n"), std::string::npos);
}
