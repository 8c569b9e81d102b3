// Hostile sources: absurd lengths, depths, numbers and bytes. Each must end in a
// clear message and a bounded exit code, never a crash, a hang or stray output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

namespace {

std::string rep(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// The warning for a number that does not fit 32 bits.
std::string wide(const std::string& number) {
    return "t.s,1: warning --- eval: number wider than 32 bits, only its low 32 bits are kept - " + number + "\n";
}

struct HostileCase {
    const char* name;
    std::string source;
    std::vector<std::string> args;
    int exit_code;
    std::string out;  // exact standard output
    std::string hex;  // the output bytes (empty when no output)
};

std::vector<HostileCase> hostile_cases() {
    const std::string l89(89, 'l');
    const std::string l90(90, 'l');
    const std::string w119(119, 'w');
    const std::string d127 = std::string(126, 'd') + "/";
    return {
        {"empty file", "", {"-b"}, 0, "Assembly successful.\n", ""},
        // A lone backslash in the first column is a label; a run of them continues
        // onto the next line and makes a label of 199 characters.
        {"only backslashes", "\\\n" + std::string(200, '\\') + "\n nop\n", {"-b"}, 0, "Assembly successful.\n", "4e71"},
        {"indented backslashes", " nop\n  " + std::string(200, '\\') + "\n nop\n", {"-b"}, 1,
         "t.s,3: process: unrecognized mnemonic - " + std::string(199, '\\') + "\n1 error(s) found\n", ""},
        {"NUL reads as a blank", std::string("\0\0nop\n\xff\xff nop\n", 14), {"-b"}, 0, "Assembly successful.\n",
         "4e71 4e71"},
        // Labels of any length are defined under their whole name, past the
        // field's first size too.
        {"label of 89", l89 + ": nop\n bra " + l89 + "\n", {"-b"}, 0, "Assembly successful.\n", "4e71 60fc"},
        {"label of 90", l90 + " nop\n bra " + l90 + "\n", {"-b"}, 0, "Assembly successful.\n", "4e71 60fc"},
        {"label of 600", std::string(600, 'x') + "\n dc.w " + std::string(600, 'x') + "\n", {"-b"}, 0,
         "Assembly successful.\n", "0000"},
        {"labels of $ and digits", "1$ nop\n$12 nop\n 0$\n", {"-b"}, 1,
         "t.s,3: process: unrecognized mnemonic - 0$\n1 error(s) found\n", ""},
        {"mnemonic of 200", " " + std::string(200, 'm') + "\n", {"-b"}, 1,
         "t.s,1: process: unrecognized mnemonic - " + std::string(200, 'm') + "\n1 error(s) found\n", ""},
        // Directive words of any length.
        {"word of 119", " ifd " + w119 + "\n nop\n endc\n rts\n", {"-b"}, 0, "Assembly successful.\n", "4e75"},
        {"word of 1000", std::string(1000, 'w') + " equ 1\n ifd " + std::string(1000, 'w') + "\n dc.w " +
             std::string(1000, 'w') + "\n endc\n", {"-b"}, 0, "Assembly successful.\n", "0001"},
        {"incdir of 127", " incdir " + d127 + "\n nop\n", {"-b"}, 0, "Assembly successful.\n", "4e71"},
        {"incdir of 1000", " incdir " + std::string(1000, 'd') + "\n nop\n", {"-b"}, 0, "Assembly successful.\n", "4e71"},
        // Numbers of 40 digits keep their low 32 bits, each with a warning.
        {"40 digits", " dc.l " + std::string(40, '1') + ",$" + std::string(40, 'f') + ",%" + std::string(40, '1') +
                          ",@" + std::string(40, '7') + "\n",
         {"-b"}, 0,
         wide(std::string(40, '1')) + wide("$" + std::string(40, 'f')) + wide("%" + std::string(40, '1')) +
             wide("@" + std::string(40, '7')) + "Assembly successful.\n",
         "c71c 71c7 ffff ffff ffff ffff ffff ffff"},
        {"120 operators", " dc.l 1" + rep("+1", 120) + "\n", {"-b"}, 0, "Assembly successful.\n", "0000 0079"},
        {"hundreds of operators over equ", [] {
             std::string s = "v0 equ 0\n";
             for (int i = 1; i <= 5; ++i) s += "v" + std::to_string(i) + " equ v" + std::to_string(i - 1) + rep("+2-1", 60) + "\n";
             return s + " dc.w v5\n";
         }(), {"-b"}, 0, "Assembly successful.\n", "012c"},
        {"division by zero", " dc.l 1/0\n dc.l 5%0\n", {"-b"}, 2,
         "t.s,1: eval: division by zero\nt.s,2: eval: division by zero\n2 error(s) found\n", ""},
        {"overflowing operators", " dc.l -2147483648/-1,-2147483648%-1,1<<40,-1>>33,65536*65536\n", {"-b"}, 0,
         "Assembly successful.\n", "8000 0000 0000 0000 0000 0000 0000 0000 0000 0000"},
        {"dc of 100 items", " dc.b 1" + rep(",1", 99) + "\n", {"-b"}, 0, "Assembly successful.\n", rep("0101 ", 49) + "0101"},
        {"dc string of 240", " dc.b \"" + std::string(240, 'x') + "\"\n", {"-b"}, 0, "Assembly successful.\n",
         hex_words(std::string(240, 'x'))},
        {"ds.l 2000000000", " ds.l 2000000000\n", {"-b"}, 1, "t.s,1: ds: count too large\n1 error(s) found\n", ""},
        {"ds.b -1", " ds.b -1\n", {"-b"}, 1, "t.s,1: ds: negative count\n1 error(s) found\n", ""},
        {"opt item of 240", " opt " + std::string(240, 'x') + "\n", {"-b"}, 1,
         "t.s,1: opt: unrecognized option: " + std::string(99, 'x') + "\n1 error(s) found\n", ""},
        {"else and endc without if", rep(" endc\n", 300) + " else\n nop\n", {"-b"}, 1,
         "t.s,301: else: no matching if\n1 error(s) found\n", ""},
        {"negative alignment", " align -1\n align $80000000\n", {"-b"}, 2,
         "t.s,1: align: negative alignment\nt.s,2: align: negative alignment\n2 error(s) found\n", ""},
        {"-a2000000000", "x: dc.l y\ny: dc.l x\n", {"-a2000000000", "-b"}, 0, "Assembly successful.\n",
         "0000 0004 0000 0000"},
        {"self include", " include t.s\n", {"-b"}, 255, "t.s,1: include: nested too deeply\n", ""},
        {"255 nested ifs", rep(" ifne 1\n", 255) + " nop\n" + rep(" endc\n", 255), {"-b"}, 0,
         "Assembly successful.\n", "4e71"},
        {"256 nested ifs", rep(" ifne 1\n", 256), {"-b"}, 255, "t.s,256: More than 256 nested conditional blocks!\n",
         ""},
    };
}

} // namespace

TEST(Hostile, EachInputHasItsAnswer) {
    for (const auto& c : hostile_cases()) {
        SCOPED_TRACE(c.name);
        auto r = assemble(c.source, c.args);
        EXPECT_EQ(r.exit_code, c.exit_code);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(hex_words(r.bytes), c.hex);
    }
}

// A physical line is one whole line at any length, its comment too, and the
// line after it keeps its number.
TEST(Hostile, LongPhysicalLinesAreWhole) {
    for (int length : {253, 255, 256, 257, 1000, 100000}) {
        SCOPED_TRACE(length);
        const std::string line = " nop" + std::string(static_cast<size_t>(length - 4), ' ') + "\n";
        auto ok = assemble(line + " rts\n");
        EXPECT_EQ(ok.exit_code, 0);
        EXPECT_EQ(hex_words(ok.bytes), "4e71 4e75");
        auto bad = assemble(line + " bogus\n");
        EXPECT_EQ(bad.out, "t.s,2: process: unrecognized mnemonic - bogus\n1 error(s) found\n");
        auto comment = assemble(" nop ;" + std::string(static_cast<size_t>(length - 6), 'x') + "\n bogus\n");
        EXPECT_EQ(comment.out, "t.s,2: process: unrecognized mnemonic - bogus\n1 error(s) found\n");
    }
}

// A chain of continued lines of any length is one line, never read on as new lines.
TEST(Hostile, LongContinuationChains) {
    auto r = assemble(" nop  \\\n" + rep("xx\\\n", 1000) + "xx\n bogus\n");
    EXPECT_EQ(r.out, "t.s,1003: process: unrecognized mnemonic - bogus\n1 error(s) found\n");
    auto blank = assemble(" nop  \\\n" + rep("xx\\\n", 61) + "\n rts\n");
    EXPECT_EQ(blank.out, "Assembly successful.\n");
    EXPECT_EQ(hex_words(blank.bytes), "4e71 4e75");
}

TEST(Hostile, IncludeChainOf1000) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 1; i < 1000; ++i) files.push_back({"i" + std::to_string(i) + ".s", " include i" + std::to_string(i + 1) + ".s\n"});
    files.push_back({"i1000.s", " nop\n"});
    auto r = assemble(" include i1.s\n", {"-b"}, files);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_EQ(r.out, "i63.s,1: include: nested too deeply\n");
    EXPECT_EQ(r.bytes, "");
}

TEST(Hostile, TenThousandForwardReferences) {
    std::string src;
    for (int i = 0; i < 10000; ++i) src += " dc.l x" + std::to_string(i) + "\n";
    for (int i = 0; i < 10000; ++i) src += "x" + std::to_string(i) + " equ " + std::to_string(i * 3) + "\n";
    auto r = assemble(src);
    EXPECT_EQ(r.exit_code, 0);
    ASSERT_EQ(r.bytes.size(), 40000u);
    EXPECT_EQ(hex_words(r.bytes.substr(0, 8)), "0000 0000 0000 0003");
    EXPECT_EQ(hex_words(r.bytes.substr(39996)), "0000 752d");  // 9999 * 3
}

// Binary garbage: a fixed pseudo-random stream rich in NUL and 0xFF bytes,
// broken into lines (one long line would be a single cut line).
TEST(Hostile, BinaryGarbageEndsInACappedCount) {
    std::string src;
    uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        unsigned b = (x >> 16) & 0xFF;
        if (b < 8) b = '\n';
        else if (b < 40) b = 0;
        else if (b > 215) b = 0xFF;
        src += static_cast<char>(b);
    }
    auto r = assemble(src);
    EXPECT_EQ(r.exit_code, 255);
    EXPECT_EQ(r.bytes, "");
    EXPECT_NE(r.out.rfind(" error(s) found\n"), std::string::npos);
}

TEST(Hostile, EveryDebugBit) {
    for (const char* flag : {"-x2147483647", "-x-1"}) {
        SCOPED_TRACE(flag);
        auto r = assemble("start: nop\n bra start\n dc.l later\nlater:\n", {flag, "-b"});
        EXPECT_EQ(r.exit_code, 0);
        EXPECT_EQ(hex_words(r.bytes), "4e71 60fc 0000 0008");
        EXPECT_NE(r.out.find("Parseline: <start> <nop.u>"), std::string::npos);
        EXPECT_NE(r.out.find("Symbol table distribution\n"), std::string::npos);
        EXPECT_NE(r.out.find("Assembly successful.\n"), std::string::npos);
    }
}

// A limit on the memory an in-memory output may take (the fuzzers set one)
// covers the bytes a format holds until the end too: a data section held for
// a binary image, an object file's sections. Over the limit the run stops
// with the output error, instead of holding every byte first.
TEST(Hostile, HeldSectionBytesKeepTheOutputLimit) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-b"}, {"-o"}, {"--elf"}}) {
        tobra::Assembler as(nullptr);
        as.write_files = false;
        as.memory_output_limit = 4096;
        as.memory_files["t.s"] = " nop\n section data\n dcb.b 5000,7\n";
        std::vector<const char*> argv{"tobra"};
        argv.push_back(args[0].c_str());
        argv.push_back("t.s");
        EXPECT_EQ(as.run(static_cast<int>(argv.size()), argv.data()), 255) << args[0];
        EXPECT_EQ(as.con.captured(), "t.s,3: Can't write output file\n") << args[0];
    }
}
