// Directives through whole in-memory assemblies: source lines in, bytes,
// symbols and messages out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "output/objread.h"
#include "output/object.h"
#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

struct BytesCase {
    const char* source;
    const char* words;
};

void expect_bytes(std::initializer_list<BytesCase> cases, std::vector<std::string> args = {"-b"}, const Files& files = {}) {
    for (const BytesCase& k : cases) {
        auto r = assemble(k.source, args, files);
        EXPECT_EQ(r.exit_code, 0) << k.source << r.out;
        EXPECT_EQ(hex_words(r.bytes), k.words) << k.source;
    }
}

// A run that must fail with this located message.
void expect_error(const std::string& source, const std::string& message, int exit_code = 1) {
    auto r = assemble(source);
    EXPECT_EQ(r.exit_code, exit_code) << source << r.out;
    EXPECT_NE(r.out.find(message), std::string::npos) << source << r.out;
}

TEST(DataDirectives, DcDrDs) {
    expect_bytes({
        {" dc.b 'hello',0\n", "6865 6c6c 6f00"},
        {" dc.w 'AB'\n dc 1,2\n", "0041 0042 0001 0002"},
        {" dc.l 1,'a'\n", "0000 0001 0000 0061"},
        {" dc.b 300,-1\n dc.w $12345678\n", "2cff 5678"},
        {" dc.s 1.5\n dc.d 1.5\n dc.l 1.5\n", "3fc0 0000 3ff8 0000 0000 0000 3fc0 0000"},
        // Checked against another assembler's single and double directives.
        {" dc.s -2.25e3,0.1\n dc.d 0.1\n", "c50c a000 3dcc cccd 3fb9 9999 9999 999a"},
        {" dc.s 'ab'\n dc.d 'cd'\n", ""},
        {" nop\nx: dc.w x,*\n", "4e71 0002 0002"},
        {" dc.b 1\n dc.w 2\n", "0100 02"},  // no alignment of items
        {" dr.l there\n ds.b 4\nthere:\n", "0000 0008 0000 0000"},
        {"a: dr.b a,a\n dr 'Z'\n", "00ff 005a"},
        {" dc.w 0,0\n dr.w a,b\na:\nb:\n", "0000 0000 0004 0002"},
        {" ds.b 3\n ds.b 0\n", "0000 00"},
        {" ds.l 2,255\n ds.w 2,$1234\n", "ffff ffff ffff ffff 3434 3434"},
        {" ds.b 1\n ds 0\n", "0000"},
        {" dc.w 1,2,3\nhere: ds.l 0\n dc.l here\n", "0001 0002 0003 0000 0000 0006"},
        {" dc.l 1\n ds.l 0\n", "0000 0001"},
    });
}

TEST(DataDirectives, Errors) {
    expect_error(" ds.b -1\n", "t.s,1: ds: negative count\n");
    // An image has no place for a name only a linker could supply.
    expect_error(" xref ext\n dc.l ext\n", "t.s,2: xref: ext is not defined; only an object file can refer to it\n");
    expect_error(" ds.l $20000000\n", "t.s,1: ds: count too large\n");
    expect_error(" dc.w 1,#2,3\n", "scan: expected expression");
    for (const char* src : {" ds.s 1\n", " dr.d 1\n", " equ.w 1\n", " ifeq.l 0\n", " org.l 0\n"})
        expect_error(src, "process: bad size or wrong operand(s)");
}

TEST(DataDirectives, LargeBssReservationOnlyMovesCounters) {
    auto r = assemble(" section bss\n ds.l $10000000\nend: ds.b 1\n section code\n dc.l end\n");
    EXPECT_EQ(hex_words(r.bytes.substr(0, 4)), "4000 0000");
}

TEST(DataDirectives, Incbin) {
    Files files = {{"five.bin", "ABCDE"}, {"two.bin", "\x11\x22"}};
    expect_bytes({{" incbin five.bin\n dc.b 1\n", "4142 4344 4500 0000 01"}}, {"-b"}, files);
    expect_bytes({{" incbin \"five.bin\"\n dc.b 1\n", "4142 4344 4501"}}, {"-b", "-n"}, files);
    // Into data, the bytes stay in that section: code first, then the data padded.
    expect_bytes({{" section data\n dc.b 1\n incbin two.bin\n section code\n nop\n", "4e71 0111 2200"}}, {"-b", "-n"},
                 files);
    expect_error(" incbin none.bin\n", "t.s,1: incbin: file not found - none.bin\n");
}

TEST(DataDirectives, IncbinReadsRealFilesUnlessMemoryOnly) {
    auto path = std::filesystem::temp_directory_path() / ("tobra_incbin_" + std::to_string(::getpid()) + ".bin");
    std::ofstream(path, std::ios::binary) << "xyz";
    const std::string source = " incbin " + path.string() + "\n";
    expect_bytes({{source.c_str(), "7879 7a"}}, {"-b", "-n"});

    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_only = true;
    as.memory_files["t.s"] = source;
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 1);
    std::filesystem::remove(path);
}

// The offsets of the relocation hunk for (is_long, section, target) of the
// object file; with another output, whatever pass 2 left in the lists.
std::vector<int32_t> relocations_of(const std::string& source, bool is_long, int section, int target,
                                    const char* output = "-o") {
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = source;
    const char* argv[] = {"tobra", output, "t.s"};
    EXPECT_EQ(as.run(3, argv), 0) << as.con.captured();
    if (std::string_view(output) != "-o") {
        // Only an object file keeps relocations at all.
        auto* obj = dynamic_cast<tobra::ObjectWriter*>(as.emit.format());
        if (!obj) return {};
        const auto& kept = (is_long ? obj->long_relocations : obj->word_relocations)[section].by_target[target];
        return std::vector<int32_t>(kept.begin(), kept.end());
    }
    std::string error;
    auto file = tobra::read_object(as.emit.output_data, error);
    EXPECT_TRUE(file) << error;
    std::vector<int32_t> offsets;
    if (!file) return offsets;
    const uint32_t tag = is_long ? tobra::HUNK_RELOC_LONG : tobra::HUNK_RELOC_WORD;
    for (const auto& h : file->hunks)
        if (h.tag == tag && h.section == static_cast<uint32_t>(section) && h.target == static_cast<uint32_t>(target))
            for (uint32_t o : h.offsets) offsets.push_back(static_cast<int32_t>(o));
    return offsets;
}

TEST(DataDirectives, RelocationEntries) {
    using V = std::vector<int32_t>;
    const std::string items = " nop\nx: dc.l x,5,x\n dc.w x\n dc x\n dc.b 0\n dc.w 0\n dc.d x\n";
    EXPECT_EQ(relocations_of(items, true, 0, 0), (V{2, 10, 21}));
    EXPECT_EQ(relocations_of(items, false, 0, 0), (V{14, 16}));
    // The list is the current section's, the target the label's.
    const std::string two = " section data\n dc.w 0\nd: dc.l c\n section code\nc: dc.l d\n";
    EXPECT_EQ(relocations_of(two, true, 1, 0), V{2});
    EXPECT_EQ(relocations_of(two, true, 0, 1), V{0});
    EXPECT_EQ(relocations_of(" xref e\nx: dc.l e,x+4-x\n dr.l x\n", true, 0, 0), V{});
    // An image or S-records have no use for them.
    EXPECT_EQ(relocations_of(items, true, 0, 0, "-b"), V{});
    EXPECT_EQ(relocations_of(" org $100\nx: dc.l x\n", true, 0, 0, "-b"), V{});
}

TEST(SymbolDirectives, EquDefinesAndPacksStrings) {
    expect_bytes({
        {"x equ 5\n dc.w x\n", "0005"},
        {"x equ 'ABCD'\ny equ 'ABCDE'\nz equ 'AB'\n dc.l x,y,z\n", "4142 4344 4243 4445 0000 4142"},
        {"x equ.s 1.5\n dc.l x\n", "3fc0 0000"},
        {"a equ 2\nb equ a*3\n dc.w b\n", "0006"},
    });
    expect_error(" equ 5\n", "t.s,1: equ: requires label\n");
    expect_error("x equ nowhere\n", "t.s,1: equ: 'x' - expression MUST evaluate, nowhere is not defined\n");
    expect_error("x equ 1\nx equ 2\n", "install: symbol redefined: x");
}

TEST(SymbolDirectives, ListingValuesAndPage) {
    auto r = assemble("x equ $1234\n org $1001\n nop\n page\n", {"-b", "-l"});
    EXPECT_NE(r.out.find("00001234                x equ $1234\n"
                         "t.s,2: warning --- org: an odd origin is lowered by one, to $1000\n"
                         "00001000                 org $1001\n"
                         "00001000 4e71            nop\n"
                         "\f                         page\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(assemble(" page\n").out.find('\f'), std::string::npos);
}

TEST(SymbolDirectives, OriginsWordsAndEnd) {
    auto r = assemble(" rorg $100\nx: nop\n dc.w x\n");
    EXPECT_NE(r.out.find("t.s,1: warning --- ORG assumed\n"), std::string::npos);
    EXPECT_EQ(hex_words(r.bytes), "4e71 0100");
    // Addresses above 0x7FFFFFFF align as the unsigned numbers they are.
    expect_bytes({{" org $FFFF8000\n dc.b 1\n align 4\nx: dc.l x\n", "0100 0000 ffff 8004"}});
    // end in an included file ends the includer too.
    expect_bytes({{" nop\n include inc.i\n rts\n", "4e71 4e71"}}, {"-b"}, {{"inc.i", " nop\n end\n bogus\n"}});
    // A word of any length is read whole.
    auto words = assemble(std::string(200, 'n') + " equ 1\n ifd " + std::string(200, 'n') + "\n rts\n endc\n");
    EXPECT_EQ(words.out, "Assembly successful.\n");
    EXPECT_EQ(hex_words(words.bytes), "4e75");
    expect_error(" align -4\n", "t.s,1: align: negative alignment\n");
}

TEST(SymbolDirectives, ExportsAndIdentification) {
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = " xdef one\n xdef two,three\n xdef one\none: nop\n";
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 0) << as.con.captured();
    // A comma-separated list exports every name in it.
    EXPECT_EQ(as.dir.export_list, (std::vector<std::string>{"one", "two", "three", "one"}));

    // The first idnt to reach a position wins; the hunks follow the file header.
    auto r = assemble(" idnt abc ; note\n idnt x,y,z\n nop\n", {"-o"});
    EXPECT_EQ(hex_words(r.bytes.substr(0, 48)),
              "c0de cf01 0000 0000 c0de cf04 0000 0004 6162 6300 c0de cf05 0000 0004 3b00 0000 "
              "c0de cf09 0000 0008 6e6f 7465 0000 0000");
}

TEST(SectionDirectives, SectionsKeepTheirOwnCounters) {
    // Code: nop, then the three addresses; the data contents follow in the image.
    expect_bytes({{" section data\nfirst: dc.w 1\n section code\nc1: nop\n section data\nsecond: dc.w 2\n"
                   " section code\n dc.w first,second,c1\n",
                   "4e71 0000 0002 0000 0001 0002"}});
    // Names match by prefix in table order; the ELF names of the five select them too.
    const std::string spread =
        " section data\n ds.b 2\n section bss\n ds.b 4\n section basedata\n ds.b 6\n section basebss\n ds.b 8\n";
    struct Case {
        const char* name;
        int at;
    } cases[] = {{"c", 0}, {"codeseg", 0}, {"d", 2}, {"b", 4}, {"base", 6}, {"BASEB", 8}, {".data", 2}, {".sbss", 8}};
    for (const Case& k : cases) {
        auto r = assemble(spread + " section " + k.name + "\nx:\n section code\n dc.b x\n");
        ASSERT_FALSE(r.bytes.empty()) << k.name << r.out;
        EXPECT_EQ(r.bytes[0], k.at) << k.name;
    }
    expect_bytes({{" dc.b 1,2\nhere: align 4\n dc.w here\n section data\n boundary\n", "0102 0000 0002"}});
    expect_bytes({{" nop\n boundary\n", "4e71 60fe 4afc 4afc 4afc 4afc 4afc 0000"}});
}

TEST(Conditionals, IfFamilyTests) {
    struct Case {
        const char* directive;
        bool assembled;
    } cases[] = {
        {"ifeq 0", true},     {"ifeq 1", false},      {"ifne 1", true},       {"ifne 0", false},
        {"ifgt 1", true},     {"ifgt 0", false},      {"ifge 0", true},       {"ifge -1", false},
        {"ifle 0", true},     {"ifle 1", false},      {"iflt -1", true},      {"iflt 0", false},
        {"ifd d0", true},     {"ifd nosuch", false},  {"ifnd nosuch", true},  {"ifnd d0", false},
        {"ifnc a,b", true},   {"ifnc a,a", false},    {"ifnc 'a b','a b'", false}, {"ifnc \"x,y\" , 'x,y'", false},
        {"ifnc Ab,ab", true}, {"ifnc '',x", true},
        {"ifgt $80000000", false},   // signed comparison
    };
    for (const Case& k : cases) {
        auto r = assemble(std::string(" ") + k.directive + "\n nop\n endc\n rts\n");
        EXPECT_EQ(r.exit_code, 0) << k.directive << r.out;
        EXPECT_EQ(hex_words(r.bytes), k.assembled ? "4e71 4e75" : "4e75") << k.directive;
    }
    expect_error(" ifnc abc\n endc\n", "t.s,1: ifnc: expected ,\n");
    // A name defined nowhere is as unknown in pass 1 as one defined further down.
    expect_error(" ifeq nosuch\n nop\n endc\n", "t.s,1: ifeq: value must be defined before this line\n");
}

TEST(Conditionals, NestingElseAndSkippedBlocks) {
    expect_bytes({
        {" ifne 1\n ifeq 1\n nop\n else\n rts\n endc\n endc\n", "4e75"},
        // An inner block of a failed test stays off, its else included.
        {" ifeq 1\n ifeq 0\n nop\n else\n nop\n endc\n else\n rts\n endc\n", "4e75"},
        {" ifeq 0\n nop\n else\n bogus\n else\n rts\n endc\n", "4e71 4e75"},
        // ifnc opens a block in a skipped stretch too, so its endc is its own.
        {" ifeq 1\n ifnc a,b\n nop\n endc\n nop\n endc\n rts\n", "4e75"},
        // Skipped: no errors, no labels, no include, incdir or end.
        {" ifeq 1\nlbl: bogus d9\n include none.i\n incdir x\n end\n endc\nlbl: rts\n", "4e75"},
    });
    // A block opened in an included file ends with it: an error at its line,
    // and the includer goes on assembled.
    auto open_in_include = assemble(" include a.i\n nop\n endc\n rts\n", {"-b"}, {{"a.i", " ifeq 1\n"}});
    EXPECT_EQ(open_in_include.out, "a.i,1: ifeq: missing endc before end of file\n1 error(s) found\n");
    // ifd of a symbol defined further down: false in pass 1, true in pass 2.
    EXPECT_NE(assemble(" ifd later\n nop\n endc\nlater: rts\n").exit_code, 0);
}

TEST(Conditionals, UnmatchedElseAndEndc) {
    expect_error(" else\n nop\n", "t.s,1: else: no matching if\n");
    auto r = assemble(" endc\n nop\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(hex_words(r.bytes), "4e71");
    EXPECT_NE(r.out.find("t.s,1: warning --- endc: no matching if\n"), std::string::npos);
}

TEST(Conditionals, DepthLimit) {
    std::string ok, over;
    for (int i = 0; i < 255; ++i) ok += " ifeq 0\n";
    ok += " nop\n";
    for (int i = 0; i < 255; ++i) ok += " endc\n";
    expect_bytes({{ok.c_str(), "4e71"}});
    for (int i = 0; i < 256; ++i) over += " ifeq 1\n";
    auto r = assemble(over);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_EQ(r.out, "t.s,256: More than 256 nested conditional blocks!\n");
}

TEST(Inclusion, IncdirIncludeAndListing) {
    Files files = {{"inc/defs.i", "v equ 7\n"}, {"dh0:defs.i", "v equ 8\n"}, {"my", " nop\n"},
                   {"my file.i", " rts\n"}};
    expect_bytes({{" incdir inc\n include defs.i\n dc.w v\n", "0007"},
                  {" incdir dh0:\n include defs.i\n dc.w v\n", "0008"},
                  // The quotes hold the whole name, blank and all.
                  {" include \"my file.i\"\n include my\n", "4e75 4e71"}},
                 {"-b"}, files);
    // A missing file is reported at the include line that names it.
    auto r = assemble(" incdir nowhere\n include defs.i\n", {"-b"}, files);
    EXPECT_EQ(r.out, "t.s,2: pass: can't find file - defs.i\n1 error(s) found\n");
    // A directory of any length: its name joined to the include's is found.
    const std::string deep = std::string(300, 'd') + "/";
    auto far = assemble(" incdir " + deep + "\n include " + std::string(200, 'f') + ".i\n", {"-b"},
                        {{deep + std::string(200, 'f') + ".i", " rts\n"}});
    EXPECT_EQ(far.out, "Assembly successful.\n");
    EXPECT_EQ(hex_words(far.bytes), "4e75");
    // Self-inclusion is bounded.
    expect_error(" include t.s\n", "include: nested too deeply", 255);
    // The include line is listed after the included lines, empty.
    r = assemble(" include my\n", {"-b", "-l"}, files);
    EXPECT_NE(r.out.find("00000000 4e71            nop\n                        \n"), std::string::npos) << r.out;
}

}  // namespace
