// Directives through whole in-memory assemblies: source lines in, bytes,
// symbols and messages out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

namespace {

struct BytesCase {
    const char* source;
    const char* words;
};

void expect_bytes(const BytesCase* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        auto r = assemble(cases[i].source);
        EXPECT_EQ(r.exit_code, 0) << cases[i].source << r.out;
        EXPECT_EQ(hex_words(r.bytes), cases[i].words) << cases[i].source;
    }
}

TEST(DataDirectives, DcEmitsItemsAtTheirSize) {
    static const BytesCase cases[] = {
        {" dc.b 'hello',0\n", "6865 6c6c 6f00"},
        {" dc.w 'AB'\n", "0041 0042"},
        {" dc 1,2\n", "0001 0002"},
        {" dc.l 1,'a'\n", "0000 0001 0000 0061"},
        {" dc.b 300,-1\n", "2cff"},
        {" dc.w $12345678\n", "5678"},
        {" dc.s 1.5\n", "3fc0 0000"},
        {" dc.d 1.5\n", "3ff8 0000 0000 0000"},
        // Checked against another assembler's single and double directives.
        {" dc.s -2.25e3,0.1\n", "c50c a000 3dcc cccd"},
        {" dc.d 0.1\n", "3fb9 9999 9999 999a"},
        {" dc.l 1.5\n", "3fc0 0000"},
        // An external reads as 0 in data: dc makes no reference to it.
        {" xref ext\n dc.l ext\n", "0000 0000"},
        {" dc.s 'ab'\n dc.d 'cd'\n", ""},
        {" nop\nx: dc.w x,* \n", "4e71 0002 0002"},
        {" dc.b 1\n dc.w 2\n", "0100 02"},  // no alignment: the word lands at an odd address
    };
    expect_bytes(cases, std::size(cases));
}

TEST(DataDirectives, DrIsRelativeToEachItem) {
    static const BytesCase cases[] = {
        {" dr.l there\n ds.b 12\nthere:\n", "0000 0010 0000 0000 0000 0000 0000 0000"},
        {"a: dr.b a,a\n", "00ff"},
        {" dr 'Z'\n", "005a"},
        {" dc.w 0,0\n dr.w a,b\na:\nb:\n", "0000 0000 0004 0002"},
    };
    expect_bytes(cases, std::size(cases));
}

TEST(DataDirectives, DsReservesFillsAndAligns) {
    static const BytesCase cases[] = {
        {" ds.b 3\n", "0000 00"},
        {" ds.l 2,255\n", "ffff ffff ffff ffff"},
        {" ds.w 2,$1234\n", "3434 3434"},
        {" ds.b 1\n ds 0\n", "0000"},
        {" ds.b 0\n", ""},
        {" dc.w 1,2,3\n ds.l 0\n", "0001 0002 0003 0000"},
        {" dc.l 1,2\n ds.l 0\n", "0000 0001 0000 0002"},
    };
    expect_bytes(cases, std::size(cases));
}

TEST(DataDirectives, LabelOnAligningLineKeepsAddressBeforeFill) {
    auto r = assemble(" dc.w 1,2,3\nhere: ds.l 0\n dc.l here\n");
    EXPECT_EQ(hex_words(r.bytes), "0001 0002 0003 0000 0000 0006");
    r = assemble(" dc.b 1,2\nhere: align 4\n dc.w here\n");
    EXPECT_EQ(hex_words(r.bytes), "0102 0000 0002");
}

TEST(DataDirectives, NegativeDsCountIsAnErrorThatEmitsNothing) {
    auto r = assemble(" ds.b -1\n");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.out.find("t.s,1: ds: negative count\n"), std::string::npos);
}

TEST(DataDirectives, WrongSuffixIsRejected) {
    for (const char* src : {" ds.s 1\n", " dr.d 1\n", " equ.w 1\n", " ifeq.l 0\n", " org.l 0\n"}) {
        auto r = assemble(src);
        EXPECT_NE(r.out.find("process: bad size or wrong operand(s)"), std::string::npos) << src;
    }
}

TEST(DataDirectives, BadItemEndsTheList) {
    auto r = assemble(" dc.w 1,#2,3\n");
    EXPECT_NE(r.out.find("scan: expected expression"), std::string::npos);
}

TEST(DataDirectives, IncbinCopiesAndAligns) {
    std::vector<std::pair<std::string, std::string>> files = {{"five.bin", "ABCDE"}};
    auto r = assemble(" incbin five.bin\n dc.b 1\n", {"-b"}, files);
    EXPECT_EQ(hex_words(r.bytes), "4142 4344 4500 0000 01");
    r = assemble(" incbin \"five.bin\"\n dc.b 1\n", {"-b", "-n"}, files);
    EXPECT_EQ(hex_words(r.bytes), "4142 4344 4501");
    r = assemble(" incbin none.bin\n dc.b 1\n", {"-b"}, files);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.out.find("t.s,1: incbin: file not found\n"), std::string::npos);
}

TEST(DataDirectives, IncbinReadsRealFilesUnlessMemoryOnly) {
    auto path = std::filesystem::temp_directory_path() / ("tobra_incbin_" + std::to_string(::getpid()) + ".bin");
    std::ofstream(path, std::ios::binary) << "xyz";
    const std::string source = " incbin " + path.string() + "\n";
    auto r = assemble(source, {"-b", "-n"});
    EXPECT_EQ(hex_words(r.bytes), "7879 7a");

    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_only = true;
    as.memory_files["t.s"] = source;
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 1);
    EXPECT_NE(as.con.captured().find("incbin: file not found"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(DataDirectives, IncbinIntoDataStaysInDataSection) {
    std::vector<std::pair<std::string, std::string>> files = {{"two.bin", "\x11\x22"}};
    auto r = assemble(" section data\n dc.b 1\n incbin two.bin\n section code\n nop\n", {"-b", "-n"}, files);
    EXPECT_EQ(r.exit_code, 0) << r.out;
    // Code first, then the data contents padded to a multiple of 4.
    EXPECT_EQ(hex_words(r.bytes), "4e71 0111 2200");
}

TEST(SymbolDirectives, EquDefinesAndPacksStrings) {
    static const BytesCase cases[] = {
        {"x equ 5\n dc.w x\n", "0005"},
        {"x equ 'ABCD'\n dc.l x\n", "4142 4344"},
        {"x equ 'ABCDE'\n dc.l x\n", "4243 4445"},
        {"x equ 'AB'\n dc.l x\n", "0000 4142"},
        {"x equ.s 1.5\n dc.l x\n", "3fc0 0000"},
        {"a equ 2\nb equ a*3\n dc.w b\n", "0006"},
    };
    expect_bytes(cases, std::size(cases));
}

TEST(SymbolDirectives, EquErrors) {
    auto r = assemble(" equ 5\n");
    EXPECT_NE(r.out.find("t.s,1: equ: requires label\n"), std::string::npos);
    EXPECT_EQ(r.exit_code, 1);
    r = assemble("x equ later\nlater:\n");
    EXPECT_NE(r.out.find("t.s,1: equ: 'x' - expression MUST evaluate\n"), std::string::npos);
    r = assemble("x equ 1\nx equ 2\n");
    EXPECT_NE(r.out.find("install: symbol redefined: x"), std::string::npos);
}

TEST(SymbolDirectives, ListingShowsEquAndOrgValues) {
    auto r = assemble("x equ $1234\n org $1001\n nop\n", {"-b", "-l"});
    EXPECT_NE(r.out.find("00001234                x equ $1234\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("00001000                 org $1001\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("00001000 4e71            nop\n"), std::string::npos) << r.out;
}

TEST(SymbolDirectives, PagePrintsFormFeedInListingOnly) {
    auto r = assemble(" nop\n page\n", {"-b", "-l"});
    EXPECT_NE(r.out.find("\f                         page\n"), std::string::npos) << r.out;
    r = assemble(" page\n");
    EXPECT_EQ(r.out.find('\f'), std::string::npos);
}

TEST(SymbolDirectives, RorgWarnsAndActsAsOrg) {
    auto r = assemble(" rorg $100\nx: nop\n dc.w x\n");
    EXPECT_NE(r.out.find("t.s,1: warning --- ORG assumed\n"), std::string::npos);
    EXPECT_EQ(hex_words(r.bytes), "4e71 0100");
}

TEST(SymbolDirectives, EndStopsTheSourceAndLaterFiles) {
    auto r = assemble(" nop\n include inc.i\n rts\n", {"-b"}, {{"inc.i", " nop\n end\n bogus\n"}});
    EXPECT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(hex_words(r.bytes), "4e71 4e71");
}

TEST(SymbolDirectives, XdefCollectsNamesInPass2) {
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = " xdef one\n xdef two,three\n xdef one\none: nop\n";
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 0) << as.con.captured();
    EXPECT_EQ(as.dir.export_list, (std::vector<std::string>{"one", "two", "one"}));
}

TEST(SectionDirectives, SectionsKeepTheirOwnCounters) {
    auto r = assemble(
        " section data\nfirst: dc.w 1\n section code\nc1: nop\n section data\nsecond: dc.w 2\n"
        " section code\n dc.w first,second,c1\n");
    EXPECT_EQ(r.exit_code, 0) << r.out;
    // Code: nop, then the three addresses; the data contents follow in the image.
    EXPECT_EQ(hex_words(r.bytes), "4e71 0000 0002 0000 0001 0002");
}

TEST(SectionDirectives, BssCountsWithoutBytes) {
    auto r = assemble(" section bss\nb1: ds.l 4\nb2: dc.w 1\n section code\n dc.w b1,b2\n");
    EXPECT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(hex_words(r.bytes.substr(0, 4)), "0000 0010");
}

TEST(Conditionals, IfFamilyTests) {
    struct Case {
        const char* directive;
        bool assembled;
    } cases[] = {
        {"ifeq 0", true},   {"ifeq 1", false}, {"ifne 1", true},  {"ifne 0", false}, {"ifgt 1", true},
        {"ifgt 0", false},  {"ifge 0", true},  {"ifge -1", false}, {"ifle 0", true},  {"ifle 1", false},
        {"iflt -1", true},  {"iflt 0", false}, {"ifd d0", true},  {"ifd nosuch", false},
        {"ifnd nosuch", true}, {"ifnd d0", false}, {"ifnc a,b", true}, {"ifnc a,a", false},
        {"ifeq nosuch", true},  // undefined counts as 0, silently
        {"ifgt $80000000", false},  // signed comparison
    };
    for (const Case& k : cases) {
        auto r = assemble(std::string(" ") + k.directive + "\n nop\n endc\n rts\n");
        EXPECT_EQ(r.exit_code, 0) << k.directive << r.out;
        EXPECT_EQ(hex_words(r.bytes), k.assembled ? "4e71 4e75" : "4e75") << k.directive;
    }
}

TEST(Conditionals, NestingElseAndSkippedBlocks) {
    static const BytesCase cases[] = {
        // The first line is skipped, the second assembled.
        {" ifne 1\n ifeq 1\n nop\n else\n rts\n endc\n endc\n", "4e75"},
        // An inner block of a failed test stays off, its else included.
        {" ifeq 1\n ifeq 0\n nop\n else\n nop\n endc\n else\n rts\n endc\n", "4e75"},
        // Two else lines invert twice.
        {" ifeq 0\n nop\n else\n bogus\n else\n rts\n endc\n", "4e71 4e75"},
        // ifnc opens a block in a skipped stretch too, so its endc is its own.
        {" ifeq 1\n ifnc a,b\n nop\n endc\n nop\n endc\n rts\n", "4e75"},
        // Errors and labels inside a skipped block do not exist.
        {" ifeq 1\nlbl: bogus d9\n endc\nlbl: rts\n", "4e75"},
    };
    expect_bytes(cases, std::size(cases));
}

TEST(Conditionals, IfdOfLaterSymbolDiffersBetweenPasses) {
    // False in pass 1, true in pass 2: the pass-2 layout moves and the symbol
    // table reports the phasing error.
    auto r = assemble(" ifd later\n nop\n endc\nlater: rts\n");
    EXPECT_NE(r.exit_code, 0);
}

TEST(Conditionals, UnmatchedElseAndEndc) {
    auto r = assemble(" else\n nop\n");
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.out.find("t.s,1: else: no matching if\n"), std::string::npos);
    r = assemble(" endc\n nop\n");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(hex_words(r.bytes), "4e71");
    EXPECT_NE(r.out.find("t.s,1: warning --- endc: no matching if\n"), std::string::npos);
}

TEST(Conditionals, DepthLimit) {
    std::string ok, over;
    for (int i = 0; i < 255; ++i) ok += " ifeq 0\n";
    ok += " nop\n";
    for (int i = 0; i < 255; ++i) ok += " endc\n";
    auto r = assemble(ok);
    EXPECT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(hex_words(r.bytes), "4e71");
    for (int i = 0; i < 256; ++i) over += " ifeq 1\n";
    r = assemble(over);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_NE(r.out.find("t.s,256: More than 256 nested conditional blocks!\n"), std::string::npos);
}

TEST(Conditionals, BlockOpenedInIncludedFileClosesInIncluder) {
    auto r = assemble(" include a.i\n nop\n endc\n rts\n", {"-b"}, {{"a.i", " ifeq 1\n"}});
    EXPECT_EQ(hex_words(r.bytes), "4e75");
}

TEST(Inclusion, IncdirAndSearchOrder) {
    auto r = assemble(" incdir inc\n include defs.i\n dc.w v\n", {"-b"}, {{"inc/defs.i", "v equ 7\n"}});
    EXPECT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(hex_words(r.bytes), "0007");
    // The comment becomes part of the directory.
    r = assemble(" incdir inc ; where\n include defs.i\n", {"-b"}, {{"inc/defs.i", "v equ 7\n"}});
    // Reported where the file would have been read: its name, line 0.
    EXPECT_NE(r.out.find("defs.i,0: pass: can't find file\n"), std::string::npos) << r.out;
    // A quoted name with a blank: only the part before the blank, without the quote.
    r = assemble(" include \"my file.i\"\n", {"-b"}, {{"my", " nop\n"}});
    EXPECT_EQ(hex_words(r.bytes), "4e71");
}

TEST(Inclusion, SelfInclusionIsBounded) {
    auto r = assemble(" include t.s\n");
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_NE(r.out.find("include: nested too deeply"), std::string::npos);
}

TEST(Inclusion, IncludeLineIsListedEmptyAfterTheFile) {
    auto r = assemble(" include a.i\n", {"-b", "-l"}, {{"a.i", " nop\n"}});
    EXPECT_NE(r.out.find("00000000 4e71            nop\n                        \n"), std::string::npos) << r.out;
}

// The relocation lists that pass 2 leaves behind (no object file is written
// with -b, so they are still there after the run).
struct Relocations {
    std::vector<int32_t> word, long_;
};

Relocations relocations_of(const std::string& source, int section, int target) {
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = source;
    const char* argv[] = {"tobra", "-b", "t.s"};
    EXPECT_EQ(as.run(3, argv), 0) << as.con.captured();
    return {as.obj.word_relocations[section].by_target[target], as.obj.long_relocations[section].by_target[target]};
}

TEST(DataRelocations, RelocatableItemsAreRecordedWithoutOrigin) {
    auto r = relocations_of(" nop\nx: dc.l x,5,x\n dc.w x\n dc x\n dc.b x\n", tobra::SEC_CODE, tobra::SEC_CODE);
    EXPECT_EQ(r.long_, (std::vector<int32_t>{2, 10}));
    EXPECT_EQ(r.word, (std::vector<int32_t>{14, 16}));
}

TEST(DataRelocations, DoubleRecordsAtItsFirstLong) {
    auto r = relocations_of(" dc.w 0\nx: dc.d x\n", tobra::SEC_CODE, tobra::SEC_CODE);
    EXPECT_EQ(r.long_, (std::vector<int32_t>{2}));
}

TEST(DataRelocations, TargetIsTheLabelsSectionListIsTheCurrentOne) {
    auto r = relocations_of(" section data\n dc.w 0\nd: dc.l c\n section code\nc: dc.l d\n", tobra::SEC_DATA,
                            tobra::SEC_CODE);
    EXPECT_EQ(r.long_, (std::vector<int32_t>{2}));
    r = relocations_of(" section data\n dc.w 0\nd: dc.l c\n section code\nc: dc.l d\n", tobra::SEC_CODE,
                       tobra::SEC_DATA);
    EXPECT_EQ(r.long_, (std::vector<int32_t>{0}));
}

TEST(DataRelocations, NoneAfterOrgNoneForExternalsAbsolutesOrDr) {
    auto r = relocations_of(" org $100\nx: dc.l x\n", tobra::SEC_CODE, tobra::SEC_CODE);
    EXPECT_TRUE(r.long_.empty());
    r = relocations_of(" xref e\nx: dc.l e,x-x,x+4-x\n dr.l x\n", tobra::SEC_CODE, tobra::SEC_CODE);
    EXPECT_TRUE(r.long_.empty());
    EXPECT_TRUE(r.word.empty());
}

TEST(SymbolDirectives, IdntFillsTheIdentificationHunks) {
    auto r = assemble(" idnt abc ; note\n nop\n", {"-o"});
    EXPECT_EQ(r.exit_code, 0) << r.out;
    // Header hunk, then the three identification hunks, each name padded.
    EXPECT_EQ(hex_words(r.bytes.substr(0, 48)),
              "c0de cf01 0000 0000 c0de cf04 0000 0004 6162 6300 c0de cf05 0000 0004 3b00 0000 "
              "c0de cf09 0000 0008 6e6f 7465 0000 0000");
}

}  // namespace
