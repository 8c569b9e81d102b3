// assemble() as an editor calls it: a three-file project served from
// buffers, one of them shadowing a file on disk, and what comes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "driver/session.h"

namespace tobra {
namespace {

namespace fs = std::filesystem;

const char* const MAIN_TEXT =
    "\tinclude\t\"defs.i\"\n"
    "\tinclude\t\"util.s\"\n"
    "start:\tmove.l\t#COUNT,d0\n"
    ".loop\tsubq.l\t#1,d0\n"
    "\tbne.s\t.loop\n"
    "\tpushw\td0\n"
    "total\tset\t3\n"
    "total\tset\ttotal+1\n"
    "\tmove.w\tnode_next(a0),d1\n"
    "\tbsr\thelper\n"
    "\tds.w\t2\n"
    "\tdc.l\tstart,total,start\n"
    "\tdcb.b\t70,$a5\n"
    "\txdef\tstart\n";

const char* const DEFS_TEXT =
    "COUNT\tequ\t5\n"
    "pushw\tmacro\n"
    "\tmove.w\t\\1,-(sp)\n"
    "\tnop\n"
    "\tendm\n"
    "\tstructure node,0\n"
    "\tlong\tnode_prev\n"
    "\tword\tnode_next\n"
    "\tlabel\tnode_size\n";

const char* const UTIL_BROKEN =
    "helper:\tclr.l\td1\n"
    "\tmove.l\td1,missing_name\n"
    "\trts\n";

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tobra_session_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        // On disk, an older defs.i: the buffer must win over it.
        std::ofstream(dir_ / "defs.i") << "COUNT\tequ\t99\n";
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    AssemblyRequest project(const std::string& util, std::vector<std::string> args) const {
        AssemblyRequest r;
        r.root = path("main.s");
        r.args = std::move(args);
        r.buffers[path("main.s")] = MAIN_TEXT;
        r.buffers[path("defs.i")] = DEFS_TEXT;
        r.buffers[path("util.s")] = util;
        return r;
    }

    fs::path dir_;
};

std::string span(const SourceSpan& s) {
    return fs::path(s.file).filename().string() + ":" + std::to_string(s.line) + ":" + std::to_string(s.begin_column) +
           "-" + std::to_string(s.end_column);
}

const SymbolInfo* symbol(const AssemblyResult& r, const std::string& name) {
    for (const SymbolInfo& s : r.symbols)
        if (s.name == name) return &s;
    return nullptr;
}

// A symbol as one line: kind, value, section, exported, definition, uses.
std::string describe(const SymbolInfo& s) {
    static const char* const kinds[] = {"label", "local", "equate", "set", "external", "reglist", "field", "other"};
    std::string text = std::string(kinds[static_cast<int>(s.kind)]) + (s.defined ? " " : " undefined ") +
                       std::to_string(s.value) + " [" + s.section + "]" + (s.exported ? " exported" : "") + " at " +
                       span(s.definition) + " used";
    for (const SourceSpan& u : s.references) text += " " + span(u);
    return text;
}

const LineInfo* line(const AssemblyResult& r, const char* file, long number) {
    for (const LineInfo& l : r.lines)
        if (fs::path(l.file).filename() == file && l.line == number) return &l;
    return nullptr;
}

TEST_F(Session, NamesMacrosIncludesAndTheErrorOfAnIncludedFile) {
    const AssemblyResult r = assemble(project(UTIL_BROKEN, {"-b"}));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, "1 error(s) found\n");

    // The error is in the included file, at the operand that names the missing symbol.
    ASSERT_EQ(r.diagnostics.size(), 1u);
    const DiagnosticRecord& d = r.diagnostics[0];
    EXPECT_EQ(d.code, 2021);
    EXPECT_EQ(d.text, "lookup: undefined - missing_name");
    EXPECT_EQ(d.file, path("util.s"));
    EXPECT_EQ(d.line, 2);
    EXPECT_EQ(d.begin_column, 12);
    EXPECT_EQ(d.end_column, 24);

    // Value 5 is the buffer's; the file on disk says 99.
    const std::pair<const char*, const char*> expected[] = {
        {"COUNT", "equate 5 [] at defs.i:1:1-6 used main.s:3:16-21"},
        {"node_next", "field 4 [] at defs.i:8:7-16 used main.s:9:9-18"},
        {"node_prev", "field 0 [] at defs.i:7:7-16 used"},
        {"helper", "label 0 [code] at util.s:1:1-7 used main.s:10:6-12"},
        // Used twice on line 12: one use a line, at the first.
        {"start", "label 10 [code] exported at main.s:3:1-6 used main.s:12:7-12"},
        // Kept qualified by its global label; written without it.
        {".loopstart", "local 12 [code] at main.s:4:1-6 used main.s:5:8-13"},
        {"total", "set 4 [] at main.s:7:1-6 used main.s:8:11-16 main.s:12:13-18"},
        {"missing_name", "other undefined 0 [] at :0:0-0 used util.s:2:12-24"},
    };
    for (const auto& [name, text] : expected) {
        const SymbolInfo* s = symbol(r, name);
        ASSERT_NE(s, nullptr) << name;
        EXPECT_EQ(describe(*s), text) << name;
    }
    EXPECT_EQ(symbol(r, "d0"), nullptr);  // registers are no symbols of the source

    ASSERT_EQ(r.macros.size(), 1u);
    EXPECT_EQ(r.macros[0].name, "pushw");
    EXPECT_EQ(span(r.macros[0].definition), "defs.i:2:1-6");
    ASSERT_EQ(r.macros[0].calls.size(), 1u);
    EXPECT_EQ(span(r.macros[0].calls[0]), "main.s:6:2-7");

    ASSERT_EQ(r.includes.size(), 2u);
    EXPECT_EQ(r.includes[0].written, "defs.i");
    EXPECT_EQ(r.includes[0].path, path("defs.i"));
    EXPECT_EQ(span(r.includes[0].at), "main.s:1:11-17");
    EXPECT_EQ(r.includes[1].written, "util.s");
    EXPECT_EQ(r.includes[1].path, path("util.s"));
    EXPECT_EQ(span(r.includes[1].at), "main.s:2:11-17");
}

TEST_F(Session, EachLineHasTheBytesTheProgramWrites) {
    const AssemblyResult r = assemble(project("helper:\tclr.l\td1\n\tmove.l\td1,helper\n\trts\n", {"-b"}));
    ASSERT_EQ(r.exit_code, 0);
    EXPECT_TRUE(r.diagnostics.empty());
    ASSERT_EQ(r.output.size(), 0x70u);

    // Every byte of the image belongs to exactly one line, at its address.
    std::vector<int> owners(r.output.size(), 0);
    for (const LineInfo& l : r.lines) {
        if (l.bytes.empty()) continue;
        ASSERT_TRUE(l.has_address);
        ASSERT_LE(l.address + l.bytes.size(), r.output.size()) << l.file << ":" << l.line;
        for (size_t i = 0; i < l.bytes.size(); ++i) {
            EXPECT_EQ(l.bytes[i], r.output[l.address + i]) << l.file << ":" << l.line << " byte " << i;
            ++owners[l.address + i];
        }
    }
    for (size_t a = 0; a < owners.size(); ++a) EXPECT_EQ(owners[a], 1) << "address " << a;

    // The macro call line carries its expansion: move.w d0,-(sp) and nop.
    const LineInfo* call = line(r, "main.s", 6);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->address, 0x10u);
    EXPECT_EQ(call->bytes, (std::vector<uint8_t>{0x3f, 0x00, 0x4e, 0x71}));
    // More bytes than a listing line keeps.
    const LineInfo* block = line(r, "main.s", 13);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->bytes, std::vector<uint8_t>(70, 0xa5));
    // An equate, a set and an include line set no location.
    for (auto [file, number] : {std::pair{"defs.i", 1L}, {"main.s", 7L}, {"main.s", 1L}}) {
        const LineInfo* l = line(r, file, number);
        ASSERT_NE(l, nullptr) << file << ":" << number;
        EXPECT_FALSE(l->has_address) << file << ":" << number;
    }
    // The body of the macro is not a line that emits.
    EXPECT_TRUE(line(r, "defs.i", 3)->bytes.empty());
}

TEST_F(Session, SpaceInASectionWithoutBytesHasAnAddressAndNoBytes) {
    AssemblyRequest rq;
    rq.root = path("b.s");
    rq.args = {"-o"};
    rq.buffers[rq.root] = "\tnop\n\tsection\tbss\nbuf\tds.l\t3\nmore\tds.b\t1\n";
    const AssemblyResult r = assemble(rq);
    ASSERT_EQ(r.exit_code, 0);
    const LineInfo* switch_line = line(r, "b.s", 2);
    ASSERT_NE(switch_line, nullptr);
    EXPECT_FALSE(switch_line->has_address);
    const LineInfo* more = line(r, "b.s", 4);
    ASSERT_NE(more, nullptr);
    EXPECT_TRUE(more->has_address);
    EXPECT_EQ(more->address, 12u);
    EXPECT_EQ(more->section, "bss");
    EXPECT_TRUE(more->bytes.empty());
}

// Everything a result holds, as text, to compare two runs.
std::string everything(const AssemblyResult& r) {
    std::ostringstream out;
    out << r.exit_code << r.console;
    for (const DiagnosticRecord& d : r.diagnostics)
        out << d.code << d.text << d.file << d.line << ':' << d.begin_column << '-' << d.end_column << '\n';
    for (const SymbolInfo& s : r.symbols) out << s.name << ' ' << describe(s) << '\n';
    for (const MacroInfo& m : r.macros) {
        out << m.name << span(m.definition);
        for (const SourceSpan& c : m.calls) out << ' ' << span(c);
        out << '\n';
    }
    for (const IncludeInfo& i : r.includes) out << span(i.at) << i.written << i.path << '\n';
    for (const LineInfo& l : r.lines) {
        out << l.file << l.line << l.has_address << l.address << l.section;
        for (uint8_t b : l.bytes) out << ' ' << int{b};
        out << '\n';
    }
    out.write(reinterpret_cast<const char*>(r.output.data()), static_cast<std::streamsize>(r.output.size()));
    return out.str();
}

TEST_F(Session, AssembliesInOneProcessDoNotShareState) {
    const AssemblyRequest broken = project(UTIL_BROKEN, {"-b"});
    const AssemblyRequest fixed = project("helper:\tclr.l\td1\n\tmove.l\td1,helper\n\trts\n", {"-b"});
    const std::string first = everything(assemble(fixed));
    const std::string failed = everything(assemble(broken));
    EXPECT_EQ(everything(assemble(fixed)), first);
    EXPECT_EQ(everything(assemble(broken)), failed);
    EXPECT_NE(first, failed);
    // Without collecting: the same diagnostics and output, nothing else.
    AssemblyRequest plain = broken;
    plain.collect = false;
    const AssemblyResult r = assemble(plain);
    EXPECT_EQ(r.diagnostics.size(), 1u);
    EXPECT_TRUE(r.symbols.empty() && r.lines.empty() && r.macros.empty() && r.includes.empty());
}

// Name columns count characters, as diagnostic columns do: a two-byte
// character before a use moves it by one column, not two.
TEST_F(Session, NameColumnsCountCharacters) {
    AssemblyRequest r;
    r.root = path("text.s");
    r.buffers[r.root] = "\tdc.b\t\"\xc3\xa9\",COUNT\nCOUNT\tequ\t5\n";
    const AssemblyResult result = assemble(r);
    ASSERT_EQ(result.exit_code, 0);
    const SymbolInfo* s = symbol(result, "COUNT");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(describe(*s), "equate 5 [] at text.s:2:1-6 used text.s:1:11-16");
}

} // namespace
} // namespace tobra
