// The ELF object writer on hand-built inputs, read back by the binutils
// readers (skipped where they are not installed) and by a few byte checks.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "driver/assembler.h"
#include "output/elf_file.h"
#include "output/elfread.h"
#include "output/elf_output.h"

namespace tobra {
namespace {

using namespace elf;

bool have(const char* tool) {
    std::string cmd = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

// Runs a command and returns what it printed on both streams.
std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = popen((cmd + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

std::string write_temp(const std::vector<uint8_t>& bytes, const char* name) {
    auto path = std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// Whether some line of out holds every one of parts, so that the checks do
// not depend on how a version of the tools spaces its columns.
bool has_line(const std::string& out, std::initializer_list<std::string_view> parts) {
    std::istringstream in(out);
    std::string l;
    while (std::getline(in, l)) {
        bool all = true;
        for (std::string_view p : parts) all = all && l.find(p) != std::string::npos;
        if (all) return true;
    }
    return false;
}

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// A small program: a call to an external routine, a table in .data that
// points back at code and out to the external, and a line table over two files.
ObjectFile sample(bool debug) {
    ObjectFile o;
    o.flags = EF_M68K_CF_ISA_A_PLUS | EF_M68K_CF_EMAC;
    o.source_name = "prog.s";
    // start: jsr ext / lea tab+4,a0 / bsr.w ext / back: rts / nop
    o.sections[TEXT].bytes = {0x4e, 0xb9, 0, 0, 0, 0, 0x41, 0xf9, 0, 0, 0, 0, 0x61, 0x00, 0, 0, 0x4e, 0x75, 0x4e, 0x71};
    o.sections[DATA].bytes = {0, 0, 0, 0, 0, 0, 0, 0};
    o.sections[BSS].nobits_size = 16;
    o.symbols = {{"start", TEXT, 0, true}, {"back", TEXT, 16, false}, {"tab", DATA, 0, false},
                 {"buf", BSS, 4, true},   {"ext", UNDEFINED, 0, true}};
    o.sections[TEXT].relocations = {{2, R_68K_32, 4, UNDEFINED, 0}, {8, R_68K_32, -1, DATA, 4}, {14, R_68K_PC16, 4, UNDEFINED, 0}};
    o.sections[DATA].relocations = {{0, R_68K_32, -1, TEXT, 16}, {4, R_68K_32, 4, UNDEFINED, 8}};
    o.debug = debug;
    o.comp_dir = "/src";
    o.producer = "tobra test";
    o.line_files = {"prog.s", "inc.i"};
    o.lines = {{0, 0, 3}, {6, 0, 4}, {12, 1, 2}, {16, 0, 20}};
    return o;
}

TEST(ElfFile, HeaderAndSectionTableHoldTogether) {
    auto bytes = write_object(sample(false));
    ASSERT_GE(bytes.size(), 52u);
    EXPECT_EQ(be32(bytes, 0), 0x7f454c46u);
    EXPECT_EQ(bytes[4], 1);  // 32-bit
    EXPECT_EQ(bytes[5], 2);  // big-endian
    EXPECT_EQ(be32(bytes, 16), uint32_t(ET_REL) << 16 | EM_68K);
    EXPECT_EQ(be32(bytes, 36), 0x23u);  // e_flags as given
    uint32_t shoff = be32(bytes, 32);
    uint32_t shnum = uint32_t(bytes[48]) << 8 | bytes[49];
    EXPECT_EQ(shoff + shnum * 40, bytes.size());  // the section headers end the file
    // null .text .rela.text .data .rela.data .bss .note.GNU-stack .symtab .strtab .shstrtab
    EXPECT_EQ(shnum, 10u);
}

TEST(ElfFile, ReadelfReadsSymbolsAndRelocationsWithoutComplaint) {
    if (!have("m68k-linux-gnu-readelf") || !have("m68k-linux-gnu-objdump")) GTEST_SKIP() << "binutils for m68k missing";
    std::string path = write_temp(write_object(sample(false)), "plain.o");
    std::string out = run("m68k-linux-gnu-readelf -a -W " + path);
    std::filesystem::remove(path);
    EXPECT_EQ(out.find("Warning"), std::string::npos) << out;
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    EXPECT_NE(out.find("Flags:                             0x23, cf, isa A+, emac"), std::string::npos) << out;
    // Locals (file, sections, labels) come first; sh_info of .symtab is the first global.
    EXPECT_NE(out.find("FILE    LOCAL  DEFAULT  ABS prog.s"), std::string::npos) << out;
    EXPECT_NE(out.find("00000010     0 NOTYPE  LOCAL  DEFAULT    1 back"), std::string::npos) << out;
    EXPECT_NE(out.find("00000000     0 NOTYPE  LOCAL  DEFAULT    3 tab"), std::string::npos) << out;
    EXPECT_NE(out.find("00000000     0 NOTYPE  GLOBAL DEFAULT    1 start"), std::string::npos) << out;
    EXPECT_NE(out.find("00000004     0 NOTYPE  GLOBAL DEFAULT    5 buf"), std::string::npos) << out;
    EXPECT_NE(out.find("00000000     0 NOTYPE  GLOBAL DEFAULT  UND ext"), std::string::npos) << out;
    EXPECT_NE(out.find(".symtab           SYMTAB          00000000 "), std::string::npos) << out;
    EXPECT_NE(out.find("10      8   7  4"), std::string::npos) << "symtab link 8, first global 7\n" << out;
    // Relocations name the external symbol or the target section with the addend.
    EXPECT_NE(out.find("00000002  00000901 R_68K_32               00000000   ext + 0"), std::string::npos) << out;
    EXPECT_NE(out.find("00000008  00000301 R_68K_32               00000000   .data + 4"), std::string::npos) << out;
    EXPECT_NE(out.find("0000000e  00000905 R_68K_PC16             00000000   ext + 0"), std::string::npos) << out;
    EXPECT_NE(out.find("00000000  00000201 R_68K_32               00000000   .text + 10"), std::string::npos) << out;
    EXPECT_NE(out.find("00000004  00000901 R_68K_32               00000000   ext + 8"), std::string::npos) << out;
    EXPECT_TRUE(has_line(out, {".bss", "NOBITS", " 000010 ", "WA"})) << out;
}

TEST(ElfFile, DebugSectionsDecodeToTheLineTableAndCompileUnit) {
    if (!have("m68k-linux-gnu-readelf") || !have("m68k-linux-gnu-objdump")) GTEST_SKIP() << "binutils for m68k missing";
    std::string path = write_temp(write_object(sample(true)), "debug.o");
    std::string all = run("m68k-linux-gnu-readelf -a -W " + path);
    std::string lines = run("m68k-linux-gnu-objdump --dwarf=decodedline " + path);
    std::string info = run("m68k-linux-gnu-readelf --debug-dump=info,aranges -W " + path);
    std::string disasm = run("m68k-linux-gnu-objdump -dr " + path);
    std::filesystem::remove(path);
    for (const std::string* out : {&all, &lines, &info, &disasm}) {
        EXPECT_EQ(out->find("Warning"), std::string::npos) << *out;
        EXPECT_EQ(out->find("warning"), std::string::npos) << *out;
    }
    // Each row in address order, with the file switch to the included file and back.
    std::istringstream rows(lines);
    std::string got, l;
    while (std::getline(rows, l))
        if (l.rfind("prog.s ", 0) == 0 || l.rfind("inc.i ", 0) == 0) {
            std::istringstream w(l);
            std::string file, line, addr;
            w >> file >> line >> addr;
            got += file + ":" + line + "@" + addr + " ";
        }
    EXPECT_EQ(got, "prog.s:3@0 prog.s:4@0x6 inc.i:2@0xc prog.s:20@0x10 prog.s:-@0x14 ") << lines;
    EXPECT_TRUE(has_line(info, {"DW_AT_language", "32769"})) << info;
    EXPECT_TRUE(has_line(info, {"DW_AT_high_pc", "0x14"})) << info;
    EXPECT_TRUE(has_line(info, {"DW_AT_name", "prog.s"})) << info;
    EXPECT_TRUE(has_line(info, {"DW_AT_comp_dir", "/src"})) << info;
    EXPECT_NE(info.find("00000000 00000014"), std::string::npos) << "address range of .text\n" << info;
    EXPECT_NE(all.find("R_68K_32               00000000   .text + 14"), std::string::npos) << "high_pc\n" << all;
    EXPECT_NE(all.find(".debug_abbrev + 0"), std::string::npos) << all;
    EXPECT_NE(all.find(".debug_line + 0"), std::string::npos) << all;
    EXPECT_NE(all.find(".debug_info + 0"), std::string::npos) << all;
    EXPECT_NE(disasm.find("e: R_68K_PC16\text"), std::string::npos) << disasm;
}

// What objdump decoded above, pinned as the line program's bytes after its
// DW_LNE_set_address, so that no tool needs to be installed: each row's file,
// line and address changes, then the step to the end of .text and the end
// of the sequence.
TEST(ElfFile, LineProgramRowsAreTheirOpcodes) {
    std::string error;
    const std::vector<uint8_t> bytes = write_object(sample(true));
    const auto file = elfread::read(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
    ASSERT_TRUE(file) << error;
    std::string program;
    for (const elfread::Section& s : file->sections)
        if (s.name == ".debug_line") program = s.contents;
    const std::string set_address("\x00\x05\x02\x00\x00\x00\x00", 7);
    const size_t at = program.find(set_address);
    ASSERT_NE(at, std::string::npos);
    const uint8_t rows[] = {
        0x03, 0x02, 0x01,                          // line 3, address 0
        0x03, 0x01, 0x02, 0x06, 0x01,              // line 4, address 6
        0x04, 0x02, 0x03, 0x7e, 0x02, 0x06, 0x01,  // file 2, line 2, address 12
        0x04, 0x01, 0x03, 0x12, 0x02, 0x04, 0x01,  // file 1, line 20, address 16
        0x02, 0x04, 0x00, 0x01, 0x01,              // to 20, the end of .text; end of sequence
    };
    EXPECT_EQ(program.substr(at + set_address.size()), std::string(reinterpret_cast<const char*>(rows), sizeof rows));
    // The unit length covers all of it.
    ASSERT_GE(program.size(), 4u);
    const uint32_t length = uint32_t(uint8_t(program[0])) << 24 | uint32_t(uint8_t(program[1])) << 16 |
                            uint32_t(uint8_t(program[2])) << 8 | uint8_t(program[3]);
    EXPECT_EQ(length + 4, program.size());
}

TEST(ElfFile, LinkerPlacesSectionsAndPatchesEveryRelocation) {
    if (!have("m68k-linux-gnu-ld") || !have("m68k-linux-gnu-objcopy") || !have("m68k-linux-gnu-as"))
        GTEST_SKIP() << "binutils for m68k missing";
    auto dir = std::filesystem::temp_directory_path() / ("elf_link_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string obj = write_temp(write_object(sample(true)), "link.o");
    std::ofstream(dir / "ext.s") << "\t.text\n\t.globl ext\next:\trts\n";
    std::ofstream(dir / "l.ld") << "SECTIONS { .text 0x1000 : { *(.text) } .data 0x2000 : { *(.data) } .bss : { *(.bss) } }\n";
    std::string d = dir.string();
    std::string out = run("m68k-linux-gnu-as -mcpu=5208 --noexecstack " + d + "/ext.s -o " + d + "/ext.o && m68k-linux-gnu-ld -T " + d +
                          "/l.ld " + obj + " " + d + "/ext.o -o " + d + "/a.out && m68k-linux-gnu-objcopy -O binary -j .text " +
                          d + "/a.out " + d + "/t.bin && m68k-linux-gnu-objcopy -O binary -j .data " + d + "/a.out " + d +
                          "/d.bin && od -An -tx1 -v " + d + "/t.bin " + d + "/d.bin");
    std::filesystem::remove_all(dir);
    std::filesystem::remove(obj);
    // ext lands right after our 20 bytes of code, at 0x1014.
    EXPECT_EQ(out,
              " 4e b9 00 00 10 14 41 f9 00 00 20 04 61 00 00 06\n"
              " 4e 75 4e 71 4e 75 00 00 10 10 00 00 10 1c\n")
        << out;
}

// The emitter keeps these from the ELF writer (Emitter::fixup); one that gets
// through stops the run with an internal error, never a missing relocation.
TEST(ElfObjectFormat, StrayFixupsStopTheRun) {
    Assembler as{nullptr};
    as.drv.pass_number = 2;
    ElfObjectFormat elf{as};
    Fixup f;
    f.width = 4;
    f.target_section = SEC_DATA;
    EXPECT_THROW(elf.fixup(f, Placement::resolved), FatalError);
    EXPECT_THROW(elf.fixup(f, Placement::refused), FatalError);
    Fixup odd = f;
    odd.width = 3;
    EXPECT_THROW(elf.fixup(odd, Placement::relocation), FatalError);
    Fixup nowhere = f;
    nowhere.target_section = 200;
    EXPECT_THROW(elf.fixup(nowhere, Placement::relocation), FatalError);
    EXPECT_NE(as.con.captured().find("elf: internal error: a fixup of a width no relocation type has\n"),
              std::string::npos)
        << as.con.captured();
}

} // namespace
} // namespace tobra
