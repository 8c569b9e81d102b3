// Reading object files back: the readable text, and refusal of broken files.
#include <gtest/gtest.h>

#include "object_test_util.h"

namespace tobra {
namespace {

using test::hex_bytes;

const std::string header = "c0decf01 00000000 ";
const std::string end = " c0decf1f";

TEST(ObjectReader, DescribesEveryKindOfHunk) {
    std::string bytes = hex_bytes(header +
                                  "c0decf04 00000004 61620000"                       // IDNT1 "ab"
                                  "c0decf03 00000008 52060020 00000000"              // processor
                                  "c0decf10 00000008 00000000 4e714e75"              // code
                                  "c0decf14 00000028"                                // symbol hunk
                                  "05000004 00000002 66000000 00000002 00000006"     // PC16 f at 2, 6
                                  "82000008 00000010 65787065 72740000"              // export of "expert"
                                  "ff000000"
                                  "c0decf11 00000008 00000001 01020304"              // data
                                  "c0decf12 00000008 00000004 00000100"              // basebss
                                  "c0decf16 0000000c 00000000 00000003 00000004"     // word reloc
                                  "c0decf15 0000000c 00000001 00000007 00000000"     // long reloc
                                  "c0decf19 00000008 00000003 0000000a" +            // base ref
                                  end);
    std::string error;
    auto f = read_object(bytes, error);
    ASSERT_TRUE(f) << error;
    EXPECT_EQ(describe_object(*f, false),
              "HEADER\n"
              "IDNT1 \"ab\"\n"
              "PROCESSOR 5206 version 0020\n"
              "CODE section 0 (code), 4 bytes\n"
              "SYMBOL 40 bytes\n"
              "  REF PC16 f: 2 offsets\n"
              "    00000002 00000006\n"
              "  EXPORT expert: section 2 (bss), value 00000010\n"
              "DATA section 1 (data), 4 bytes\n"
              "BSS section 4 (basebss), 256 bytes\n"
              "RELOC16 section 0 (code), target 3 (basedata): 1 offset\n"
              "    00000004\n"
              "RELOC32 section 1 (data), target 7: 1 offset\n"
              "    00000000\n"
              "BASEREF target 3 (basedata): 1 offset\n"
              "    0000000a\n"
              "END\n");
    EXPECT_NE(describe_object(*f, true).find("CODE section 0 (code), 4 bytes\n    0000: 4e71 4e75\n"),
              std::string::npos);
}

TEST(ObjectReader, LongOffsetListsWrapEightToALine) {
    std::string hunk = "c0decf19 00000028 00000003";
    for (int i = 0; i < 9; ++i) hunk += " 0000000" + std::to_string(i);
    std::string error;
    auto f = read_object(hex_bytes(header + hunk + end), error);
    ASSERT_TRUE(f) << error;
    EXPECT_EQ(describe_object(*f, false),
              "HEADER\nBASEREF target 3 (basedata): 9 offsets\n"
              "    00000000 00000001 00000002 00000003 00000004 00000005 00000006 00000007\n"
              "    00000008\nEND\n");
}

TEST(ObjectReader, RefusesEveryCutOfAGoodFile) {
    // Cut at every length, a good file and a symbol hunk are refused, never over-read.
    auto r = test::assemble(" idnt m\n xref e\n xdef s\n nop\ns: jsr e\n jmp s\n section data\n dc.l s\n"
                            " section bss\n ds.b 4\n",
                            {"-o"});
    ASSERT_EQ(r.exit_code, 0);
    std::string error;
    ASSERT_TRUE(read_object(r.bytes, error)) << error;
    for (size_t n = 0; n < r.bytes.size(); ++n) {
        error.clear();
        EXPECT_FALSE(read_object(std::string_view(r.bytes).substr(0, n), error)) << "cut at " << n;
        EXPECT_FALSE(error.empty());
    }
    std::string sym = hex_bytes(header + "c0decf14 00000018 02000004 00000002 61000000 00000000 00000004 ff000000" + end);
    ASSERT_TRUE(read_object(sym, error)) << error;
    for (size_t n = 0; n < sym.size(); ++n) EXPECT_FALSE(read_object(std::string_view(sym).substr(0, n), error));
}

struct BadFile {
    const char* what;
    std::string hex;
    const char* message;
};

TEST(ObjectReader, RefusesBrokenLayoutsWithAReason) {
    const BadFile cases[] = {
        {"empty", "", "offset 0x0: empty file"},
        {"text", "68656c6c6f0a", "offset 0x0: unknown hunk tag 0x68656c6c"},
        {"no header", "c0decf03 00000008 52060020 00000000" + end, "not an object file: no header hunk"},
        {"unknown tag", header + "c0decf13 00000000" + end, "offset 0x8: unknown hunk tag 0xc0decf13"},
        {"no end", header, "offset 0x8: file ends without an end hunk"},
        {"after end", header + end + " 00", "offset 0xc: bytes after the end hunk"},
        {"odd length", header + "c0decf19 00000006 00000003 0000" + end, "is not a multiple of 4"},
        {"long length", header + "c0decf19 00000100 00000003" + end, "runs past the end of the file"},
        {"header content", "c0decf01 00000004 00000000" + end, "HEADER hunk must be empty"},
        {"short processor", header + "c0decf03 00000004 52060020" + end, "PROCESSOR hunk must hold 8 bytes"},
        {"reloc no target", header + "c0decf15 00000004 00000000" + end, "RELOC32 hunk has no section words"},
        {"code no section", header + "c0decf10 00000000" + end, "CODE hunk has no section word"},
        {"idnt unpadded", header + "c0decf04 00000004 61626364" + end, "badly padded name"},
        {"idnt overpadded", header + "c0decf04 00000008 61000000 00000000" + end, "badly padded name"},
        {"idnt empty", header + "c0decf04 00000000" + end, "bad name length 0"},
        {"no terminator", header + "c0decf14 00000004 00000000" + end, "reference entry cut short"},
        {"zero count", header + "c0decf14 00000014 02000004 00000000 61000000 00000000 ff000000" + end,
         "reference entry with no offsets"},
        {"count too big", header + "c0decf14 00000014 02000004 00000009 61000000 00000000 ff000000" + end,
         "reference offsets run past the end of the hunk"},
        {"name past hunk", header + "c0decf14 0000000c 02000100 00000001 61000000" + end,
         "name runs past the end of its hunk"},
        {"type 3", header + "c0decf14 00000014 03000004 00000001 61000000 00000000 ff000000" + end,
         "unknown symbol entry type 0x03"},
        {"after terminator", header + "c0decf14 00000008 ff000000 00000000" + end, "bytes after the symbol terminator"},
    };
    for (const BadFile& c : cases) {
        std::string error;
        EXPECT_FALSE(read_object(hex_bytes(c.hex), error)) << c.what;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    }
}

} // namespace
} // namespace tobra
