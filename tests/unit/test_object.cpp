// The object file writer: records of pass 2 and the hunks they become.
#include <gtest/gtest.h>

#include <cstring>

#include "object_test_util.h"

namespace tobra {
namespace {

// An assembler standing in pass 2 with its object output open in memory.
struct ObjectFixture : ::testing::Test {
    Assembler as{nullptr};
    ObjectWriter obj{as};
    ObjectFixture() {
        as.write_files = false;
        ask_output_format(as.options, FORMAT_OBJECT, true);
        as.drv.pass_number = 2;
        as.emit.output_open = true;
    }
    // External reference by a field of the given width and kind.
    void ref(const SymbolRecord& s, int section, int width, FixupKind kind, uint32_t address) {
        Fixup f;
        f.section = section;
        f.offset = address;
        f.width = width;
        f.kind = kind;
        f.symbol = &s;
        obj.fixup(f, place_fixup(f).placement);
    }
    std::string trailing() {
        as.emit.output_data.clear();
        obj.write_trailing_hunks();
        return as.emit.output_data;
    }
    // Trailing hunks wrapped in a header so that the reader takes them.
    ObjectFile read_trailing() {
        std::string bytes = test::hex_bytes("c0decf01 00000000") + trailing();
        std::string error;
        auto f = read_object(bytes, error);
        EXPECT_TRUE(f) << error;
        return f ? *f : ObjectFile{};
    }
};

// An external name as the symbol table lays it out: the record, then its name.
struct NamedRecord {
    SymbolRecord record;
    char text[32] = {};
    operator const SymbolRecord&() const { return record; }
};

NamedRecord symbol(const char* name) {
    NamedRecord s;
    const size_t n = std::strlen(name);
    EXPECT_LT(n, sizeof s.text);
    std::memcpy(s.text, name, n + 1);
    s.record.name_length = static_cast<uint32_t>(n);
    s.record.kind = KIND_EXTERNAL;
    EXPECT_EQ(s.record.name(), s.text);
    return s;
}

TEST(ObjectLayout, NamesPadToAMultipleOfFourWithAtLeastOneZero) {
    EXPECT_EQ(padded_name_length(0), 4u);
    EXPECT_EQ(padded_name_length(3), 4u);
    EXPECT_EQ(padded_name_length(4), 8u);
    EXPECT_EQ(padded_name_length(7), 8u);
    EXPECT_EQ(padded_name_length(8), 12u);
}

TEST(ObjectLayout, CodeOnlyProgramIsHeaderProcessorCodeEnd) {
    // Six bytes of code: the code hunk is rounded to 8 bytes, length 12.
    auto r = test::assemble(" nop\n nop\n nop\n", {"-o"});
    ASSERT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(test::hex_words(r.bytes),
              test::hex_words(test::hex_bytes("c0decf01 00000000"
                                              "c0decf03 00000008 52060020 00000000"
                                              "c0decf10 0000000c 00000000 4e714e71 4e710000"
                                              "c0decf1f")));
}

TEST(ObjectLayout, CodeOfAMultipleOfFourHasNoPadding) {
    auto r = test::assemble(" nop\n nop\n", {"-o"});
    ASSERT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(test::hex_words(r.bytes.substr(24)), "c0de cf10 0000 0008 0000 0000 4e71 4e71 c0de cf1f");
}

TEST(ObjectLayout, EmptyProgramHasAnEmptyCodeHunk) {
    auto r = test::assemble("* nothing\n", {"-o"});
    ASSERT_EQ(r.exit_code, 0) << r.out;
    EXPECT_EQ(test::hex_words(r.bytes.substr(24)), "c0de cf10 0000 0004 0000 0000 c0de cf1f");
}

TEST(ObjectExports, ExportsCarrySectionAndValueInDirectiveOrder) {
    auto r = test::assemble(" xdef late\n xdef n\n xdef late\n nop\n section data\n dc.w 1\nlate: nop\n"
                            "n equ -2\n",
                            {"-o"});
    ASSERT_EQ(r.exit_code, 0) << r.out;
    std::string error;
    auto f = read_object(r.bytes, error);
    ASSERT_TRUE(f) << error;
    const ObjectHunk& x = f->hunks[f->hunks.size() - 2];
    ASSERT_EQ(x.exports.size(), 3u);
    EXPECT_EQ(x.length, 4 + 16 + 12 + 16u);  // "n" pads to 4, "late" to 8
    EXPECT_EQ(x.exports[0].name, "late");
    EXPECT_EQ(x.exports[0].section, SEC_DATA);
    EXPECT_EQ(x.exports[0].value, 2u);
    EXPECT_EQ(x.exports[1].name, "n");
    EXPECT_EQ(x.exports[1].value, 0xFFFFFFFEu);
    EXPECT_EQ(x.exports[2].name, "late");
}

// A source can no longer end inside a skipped block, which would have
// silenced the messages after it: the block left open is the error.
TEST(ObjectExports, AnOpenSkippedBlockAtTheEndIsAnErrorNotASilence) {
    auto r = test::assemble(" xdef gone\n nop\n ifne 0\n nop\n", {"-o"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "t.s,3: ifne: missing endc before end of file\n1 error(s) found\n");
}

TEST_F(ObjectFixture, LeadingHunksCarryIdentificationAndTheSelectedCore) {
    as.dir.identification_strings[0] = "abcd";  // 4 characters: P = 8
    as.dir.identification_strings[2] = "";      // empty: P = 4
    as.core.core_number = 0x5407;
    as.core.core_version = 0x40;
    obj.write_leading_hunks(5);
    EXPECT_EQ(obj.code_padding, 3);
    EXPECT_EQ(test::hex_words(as.emit.output_data),
              test::hex_words(test::hex_bytes("c0decf01 00000000"
                                              "c0decf04 00000008 61626364 00000000"
                                              "c0decf09 00000004 00000000"
                                              "c0decf03 00000008 54070040 00000000"
                                              "c0decf10 0000000c 00000000")));
}

TEST_F(ObjectFixture, ReferencesToOneNameMergeIntoOneEntryNewestLast) {
    NamedRecord ext = symbol("ext");
    for (uint32_t a : {2u, 10u, 20u}) ref(ext, SEC_CODE, 4, FixupKind::absolute, a);
    // One entry: type 2, P 4, count 3, the name, offset 2, then 20 and 10.
    EXPECT_EQ(test::hex_words(trailing()),
              test::hex_words(test::hex_bytes("c0decf14 0000001c"
                                              "02000004 00000003 65787400 00000002 00000014 0000000a"
                                              "ff000000 c0decf1f")));
}

TEST_F(ObjectFixture, ReferenceEntriesGoByTypeThenByFirstReference) {
    NamedRecord a = symbol("alpha"), b = symbol("b");
    ref(b, SEC_CODE, 2, FixupKind::pc_relative, 4);     // PC16
    ref(a, SEC_CODE, 4, FixupKind::absolute, 8);          // ABS32
    ref(b, SEC_CODE, 4, FixupKind::absolute, 12);         // ABS32, a second name in that list
    ref(a, SEC_CODE, 2, FixupKind::pc_relative, 16);    // PC16
    ref(b, SEC_CODE, 1, FixupKind::base_relative, 21);  // REL8
    ObjectFile f = read_trailing();
    ASSERT_EQ(f.hunks.size(), 3u);
    const auto& refs = f.hunks[1].references;
    ASSERT_EQ(refs.size(), 5u);
    std::vector<std::pair<int, std::string>> order;
    for (auto& r : refs) order.emplace_back(r.type, r.name);
    EXPECT_EQ(order, (std::vector<std::pair<int, std::string>>{
                         {2, "alpha"}, {2, "b"}, {5, "b"}, {5, "alpha"}, {8, "b"}}));
}

// The emitter keeps these from the writer; one that gets through stops the
// run with an internal error instead of leaving the reference out.
TEST_F(ObjectFixture, StrayRecordsStopTheRunAndRecordNothing) {
    NamedRecord ext = symbol("ext");
    EXPECT_THROW(ref(ext, SEC_BSS, 4, FixupKind::absolute, 0), FatalError);
    EXPECT_THROW(ref(ext, SEC_BASEBSS, 4, FixupKind::absolute, 0), FatalError);
    EXPECT_THROW(obj.record_external(&ext.record, SEC_CODE, 14, 0), FatalError);  // type 14 exists in no list
    EXPECT_THROW(obj.record_external(&ext.record, SEC_CODE, 3, 0), FatalError);   // nor does 3, between ABS32 and PC8
    EXPECT_THROW(obj.record_relocation(SEC_BASEBSS, true, 0, SEC_DATA), FatalError);
    EXPECT_THROW(obj.record_relocation(SEC_CODE, true, 0, 40), FatalError);
    EXPECT_THROW(obj.record_base_reference(0, 2, -1), FatalError);
    Fixup resolved;
    EXPECT_THROW(obj.fixup(resolved, Placement::resolved), FatalError);
    const std::string out = as.con.captured();
    EXPECT_NE(out.find("reloc: internal error: an external reference in a section that stores no bytes\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(test::hex_words(trailing()), "c0de cf1f");
}

TEST_F(ObjectFixture, EachGroupsLengthIsItsOwnSize) {
    NamedRecord ext = symbol("ext"), longer = symbol("longer_name");
    ref(ext, SEC_CODE, 4, FixupKind::absolute, 0);
    ref(ext, SEC_CODE, 4, FixupKind::absolute, 4);
    ref(longer, SEC_DATA, 4, FixupKind::absolute, 0);
    ref(ext, SEC_BASEDATA, 2, FixupKind::absolute, 6);
    ObjectFile f = read_trailing();
    ASSERT_EQ(f.hunks.size(), 5u);
    // code: 4 + 12 + 4 (second offset) + 4; basedata: 4 + 12 + 4; data: 12 + 12 + 4.
    EXPECT_EQ(f.hunks[1].length, 24u);
    EXPECT_EQ(f.hunks[2].length, 20u);
    EXPECT_EQ(f.hunks[2].references[0].type, 1);
    EXPECT_EQ(f.hunks[3].length, 28u);
    EXPECT_EQ(f.hunks[3].references[0].name, "longer_name");
}

TEST_F(ObjectFixture, RelocationsGoPerSectionWordBeforeLongAndByTarget) {
    obj.record_relocation(SEC_DATA, true, 8, SEC_CODE);
    obj.record_relocation(SEC_CODE, true, 20, SEC_DATA);
    obj.record_relocation(SEC_CODE, false, 6, SEC_BASEDATA);
    obj.record_relocation(SEC_CODE, true, 2, SEC_CODE);
    obj.record_relocation(SEC_CODE, true, 10, SEC_DATA);
    obj.record_relocation(SEC_CODE, true, 14, SEC_CODE);
    EXPECT_EQ(test::hex_words(trailing()),
              test::hex_words(test::hex_bytes("c0decf16 0000000c 00000000 00000003 00000006"
                                              "c0decf15 00000010 00000000 00000000 00000002 0000000e"
                                              "c0decf15 00000010 00000000 00000001 00000014 0000000a"
                                              "c0decf15 0000000c 00000001 00000000 00000008"
                                              "c0decf1f")));
}

TEST_F(ObjectFixture, BaseReferencesGoByTargetBasedataBasebssDataBss) {
    obj.record_base_reference(2, 2, SEC_DATA);
    obj.record_base_reference(6, 2, SEC_BASEBSS);
    obj.record_base_reference(10, 2, SEC_BASEDATA);
    obj.record_base_reference(14, 1, SEC_BASEBSS);
    obj.record_base_reference(18, 2, SEC_BSS);
    EXPECT_EQ(test::hex_words(trailing()),
              test::hex_words(test::hex_bytes("c0decf19 00000008 00000003 0000000a"
                                              "c0decf19 0000000c 00000004 00000006 0000000e"
                                              "c0decf19 00000008 00000001 00000002"
                                              "c0decf19 00000008 00000002 00000012"
                                              "c0decf1f")));
}

TEST_F(ObjectFixture, TrailingHunksComeInTheirFixedOrder) {
    NamedRecord ext = symbol("ext");
    ref(ext, SEC_BASEDATA, 4, FixupKind::absolute, 0);
    ref(ext, SEC_DATA, 4, FixupKind::absolute, 0);
    ref(ext, SEC_CODE, 4, FixupKind::absolute, 2);
    obj.held[SEC_BASEDATA] = {1, 2};
    obj.held[SEC_DATA] = {3, 4, 5, 6, 7};
    as.drv.section_size[SEC_DATA] = 5;
    as.drv.section_size[SEC_BASEDATA] = 2;
    as.emit.bss_size[SEC_BASEBSS] = 12;
    as.emit.bss_size[SEC_BSS] = 16;
    obj.record_relocation(SEC_DATA, true, 0, SEC_CODE);
    obj.record_relocation(SEC_CODE, true, 6, SEC_DATA);
    obj.record_base_reference(8, 2, SEC_BASEBSS);
    as.dir.export_list = {"gone"};
    std::string out = trailing();
    EXPECT_EQ(as.con.captured(), "?,0: warning --- xdef: gone could not be found\n\n");

    std::string error;
    auto f = read_object(test::hex_bytes("c0decf01 00000000") + out, error);
    ASSERT_TRUE(f) << error;
    std::vector<std::string> names;
    for (auto& h : f->hunks) names.push_back(std::string(hunk_name(h.tag)) + " " + std::to_string(h.section));
    EXPECT_EQ(names, (std::vector<std::string>{"HEADER 0", "SYMBOL 0", "DATA 1", "DATA 3", "BSS 2", "BSS 4",
                                               "RELOC32 0", "RELOC32 1", "BASEREF 0", "SYMBOL 0", "SYMBOL 0",
                                               "SYMBOL 0", "END 0"}));
    // Data hunks are padded to the pass-1 size rounded up to 4.
    EXPECT_EQ(test::hex_words(f->hunks[2].contents), "0304 0506 0700 0000");
    EXPECT_EQ(test::hex_words(f->hunks[3].contents), "0102 0000");
    EXPECT_EQ(f->hunks[5].size, 12u);
    // The export hunk of names that were all missing holds only its terminator.
    EXPECT_EQ(f->hunks[11].length, 4u);
    EXPECT_TRUE(f->hunks[11].exports.empty());
}

TEST_F(ObjectFixture, RecordsAreGoneAfterWriting) {
    NamedRecord ext = symbol("ext");
    ref(ext, SEC_CODE, 4, FixupKind::absolute, 2);
    obj.record_relocation(SEC_CODE, false, 0, SEC_DATA);
    EXPECT_NE(trailing(), test::hex_bytes("c0decf1f"));
    EXPECT_EQ(test::hex_words(trailing()), "c0de cf1f");
}

TEST_F(ObjectFixture, ManyReferencesToOneNameStayOneEntry) {
    // A name referenced 100,000 times, among 2,000 other names: one entry with
    // every offset, its first offset first and the others newest first.
    NamedRecord hot = symbol("hot");
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) names.push_back("n" + std::to_string(i));
    std::vector<NamedRecord> others;
    for (auto& n : names) others.push_back(symbol(n.c_str()));
    for (auto& s : others) ref(s, SEC_CODE, 4, FixupKind::absolute, 0);
    for (uint32_t i = 0; i < 100000; ++i) ref(hot, SEC_CODE, 4, FixupKind::absolute, 4 * i);
    ObjectFile f = read_trailing();
    ASSERT_EQ(f.hunks.size(), 3u);
    const auto& refs = f.hunks[1].references;
    ASSERT_EQ(refs.size(), 2001u);
    const auto& r = refs.back();
    EXPECT_EQ(r.name, "hot");
    ASSERT_EQ(r.offsets.size(), 100000u);
    EXPECT_EQ(r.offsets[0], 0u);
    EXPECT_EQ(r.offsets[1], 4u * 99999);
    EXPECT_EQ(r.offsets.back(), 4u);
    uint32_t expected = 4;  // the terminator
    for (auto& n : names) expected += padded_name_length(n.size()) + 12;
    expected += 4 + 12 + 99999 * 4;
    EXPECT_EQ(f.hunks[1].length, expected);
}

} // namespace
} // namespace tobra
