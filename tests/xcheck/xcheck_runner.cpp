// Cross-checks tobra against the GNU m68k assembler: every form of the data
// files in this directory (*.txt, format in xcheck_data.h) is assembled by
// tobra once per core and compared with GNU's bytes or refusal, recorded beside
// the data file (name.gnu), so the check needs no GNU assembler. One test per
// data file and core; each runs tobra about twice.
// The parts that gate the same features as a core of the data files are
// checked against that core with a few probes (parts.groups), one test per group.
// The generated forms (every instruction mnemonic with every size and a fixed
// list of operands) must get the verdicts and bytes pinned in generated.pins,
// refusals included: a form that is not pinned must be refused on every core.
//
// The environment chooses what else happens:
//   XCHECK_RECORD=1  run GNU and write the .gnu files anew (needs GNU)
//   XCHECK_GNU=1     also check the .gnu files against the installed GNU (fails
//                    without it); XCHECK_GNU=0 never runs GNU; unset, GNU is
//                    run when installed
//   XCHECK_PIN=1     write generated.pins from tobra's verdicts of today
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "xcheck_data.h"
#include "xcheck_tools.h"

namespace fs = std::filesystem;
using namespace xcheck;

namespace {

std::string read_text(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool env_is(const char* name, const char* value) {
    const char* v = std::getenv(name);
    return v && std::string(v) == value;
}

bool recording() { return env_is("XCHECK_RECORD", "1"); }
bool pinning() { return env_is("XCHECK_PIN", "1"); }

// Whether to run GNU beside the recorded results; with XCHECK_GNU=1 its absence fails.
bool check_gnu() {
    if (env_is("XCHECK_GNU", "0")) return false;
    return env_is("XCHECK_GNU", "1") || gnu_available();
}

const char* const kNoGnu = "m68k-linux-gnu-as or m68k-linux-gnu-objcopy not installed "
                           "(Debian package binutils-m68k-linux-gnu)";

std::string describe(const Outcome& o) {
    switch (o.kind) {
    case Outcome::accepted: return "accepted: " + spaced_hex(to_hex(o.bytes));
    case Outcome::refused: return "refused: " + o.message.substr(0, 160);
    default: return "broken: " + o.message;
    }
}

bool same_outcome(const Outcome& a, const Outcome& b) {
    return a.kind == b.kind && (a.kind != Outcome::accepted || a.bytes == b.bytes);
}

// An outcome as a results file writes it: "refused" or the bytes in hex.
std::string outcome_text(const Outcome& o) { return o.kind == Outcome::refused ? "refused" : to_hex(o.bytes); }

Outcome from_text(const std::string& text) {
    Outcome o;
    if (text == "refused") {
        o.kind = Outcome::refused;
        o.message = "(recorded)";
        return o;
    }
    o.kind = Outcome::accepted;
    for (size_t i = 0; i + 1 < text.size(); i += 2) o.bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return o;
}

// What is wrong with this form on this core, or "" when both sides behave as the data says.
std::string judge(const Form& f, const Outcome& ours, const Outcome& gnu) {
    // GNU first: a GNU complaint means the data line itself needs work.
    if (gnu.kind == Outcome::broken) return "GNU " + describe(gnu);
    const bool ours_ok = ours.kind == Outcome::accepted;
    const bool gnu_ok = gnu.kind == Outcome::accepted;
    const std::string both = "\n  tobra " + describe(ours) + "\n  GNU   " + describe(gnu);
    if (gnu_ok != f.gnu_accepts())
        return std::string(gnu_ok ? "GNU accepts it: the noted refusal is out of date"
                                  : "GNU refuses it: fix the GNU spelling or note the refusal") + both;
    if (f.expect == Expect::words && to_hex(gnu.bytes) == f.words)
        return "GNU gives these words too: the noted difference is out of date" + both;
    if (ours.kind == Outcome::broken) return "tobra " + describe(ours);
    if (ours_ok != f.tobra_accepts())
        return std::string(ours_ok ? "tobra should refuse it" : "tobra should accept it") + both;
    const std::string mine = ours_ok ? to_hex(ours.bytes) : "";
    switch (f.expect) {
    case Expect::same:
        if (mine != to_hex(gnu.bytes)) return "bytes differ" + both;
        break;
    case Expect::words:
        if (mine != f.words) return "tobra should give " + spaced_hex(f.words) + both;
        break;
    case Expect::gnu_refuses:
        if (!f.words.empty() && mine != f.words) return "tobra should give " + spaced_hex(f.words) + both;
        break;
    default: break;
    }
    return "";
}

struct Group {
    std::string file;  // data file name
    std::string core;
};

void PrintTo(const Group& g, std::ostream* os) { *os << g.file << " on " << g.core; }

std::vector<fs::path> data_files() {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(XCHECK_DATA))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Group> all_groups() {
    std::vector<Group> out;
    for (const auto& p : data_files()) {
        DataFile d = parse_data(p.filename().string(), read_text(p));
        for (const auto& core : cores_of(d)) out.push_back({p.filename().string(), core});
        if (d.forms.empty()) out.push_back({p.filename().string(), ""});
    }
    return out;
}

PartGroups load_parts() {
    return parse_groups("parts.groups", read_text(fs::path(XCHECK_DATA) / "parts.groups"));
}

fs::path make_temp_dir() {
    std::string tmpl = (fs::temp_directory_path() / "tobra-xcheck-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) return {};
    return tmpl;
}

fs::path gnu_file(const std::string& data_file) {
    return fs::path(XCHECK_DATA) / (data_file.substr(0, data_file.rfind('.')) + ".gnu");
}

// Runs GNU on every form of the data file on each of its cores and writes the
// results file; returns what went wrong, or "".
std::string record_gnu(const DataFile& data, const PartGroups& parts) {
    if (!gnu_available()) return std::string("XCHECK_RECORD=1: ") + kNoGnu;
    const std::vector<std::string> cores = cores_of(data);
    std::vector<std::map<std::string, std::string>> outcomes(data.forms.size());  // form -> core -> outcome
    const fs::path dir = make_temp_dir();
    if (dir.empty()) return "no temporary directory";
    std::string fault;
    for (const auto& core : cores) {
        std::vector<size_t> index;
        std::vector<std::string> src;
        for (size_t i = 0; i < data.forms.size(); ++i) {
            if (!data.forms[i].runs_on(core)) continue;
            index.push_back(i);
            src.push_back(data.forms[i].gnu);
        }
        const std::vector<Outcome> got = assemble_batch(Tool::gnu, parts.gnu_name(core), src, dir);
        for (size_t k = 0; k < got.size(); ++k) {
            const Form& f = data.forms[index[k]];
            if (got[k].kind == Outcome::broken && fault.empty())
                fault = f.file + ":" + std::to_string(f.line) + ": [" + core + "] " + f.gnu + ": GNU " + describe(got[k]);
            outcomes[index[k]][core] = outcome_text(got[k]);
        }
    }
    fs::remove_all(dir);
    if (!fault.empty()) return fault;
    std::ofstream out(gnu_file(data.name));
    out << "# What " << gnu_version() << " makes of each form of " << data.name
        << "\n# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.\n";
    for (size_t i = 0; i < data.forms.size(); ++i) {
        // In the order of the form's cores, not the map's.
        std::vector<std::string> texts;
        for (const auto& core : data.forms[i].cores) texts.push_back(outcomes[i][core]);
        out << result_line(data.forms[i].gnu, data.forms[i].cores, texts) << "\n";
    }
    return out ? "" : "cannot write " + gnu_file(data.name).string();
}

// GNU's recorded outcome for every form of `data` that runs on `core`, in order;
// empty with `errors` set when the results file does not fit the data file.
std::vector<Outcome> recorded_gnu(const DataFile& data, const std::string& core, std::vector<std::string>& errors) {
    const fs::path path = gnu_file(data.name);
    const std::string name = path.filename().string();
    const std::string again = "; record it again with XCHECK_RECORD=1 (needs GNU)";
    if (!fs::exists(path)) {
        errors.push_back(name + " is missing" + again);
        return {};
    }
    const ResultFile rec = parse_results(name, read_text(path));
    errors = rec.errors;
    std::vector<Outcome> out;
    for (size_t i = 0; i < data.forms.size() && errors.empty(); ++i) {
        const Form& f = data.forms[i];
        const std::string where = f.file + ":" + std::to_string(f.line) + ": " + f.gnu;
        if (i >= rec.results.size()) {
            errors.push_back(name + " ends before " + where + again);
            break;
        }
        const Result& r = rec.results[i];
        const std::string at = name + ":" + std::to_string(r.line) + ": " + r.source;
        if (r.source != f.gnu) {
            errors.push_back(at + " stands where " + where + " should" + again);
            break;
        }
        if (!f.runs_on(core)) continue;
        const std::string* text = r.on(core);
        if (!text) {
            errors.push_back(at + ": nothing recorded for " + core + again);
            break;
        }
        out.push_back(from_text(*text));
    }
    if (errors.empty() && rec.results.size() > data.forms.size())
        errors.push_back(name + ":" + std::to_string(rec.results[data.forms.size()].line) + ": more results than " +
                         data.name + " has forms" + again);
    if (!errors.empty()) out.clear();
    return out;
}

class CrossCheck : public ::testing::TestWithParam<Group> {};

TEST_P(CrossCheck, SameAsGnu) {
    const Group& g = GetParam();
    DataFile data = parse_data(g.file, read_text(fs::path(XCHECK_DATA) / g.file));
    for (const auto& e : data.errors) ADD_FAILURE() << e;
    if (g.core.empty()) GTEST_SKIP() << g.file << " has no forms";
    const PartGroups parts = load_parts();
    if (recording()) {
        static std::set<std::string> recorded;  // each file once, on its first core's test
        if (recorded.insert(g.file).second) {
            const std::string fault = record_gnu(data, parts);
            if (!fault.empty()) FAIL() << fault;
        }
    }

    std::vector<std::string> errors;
    const std::vector<Outcome> gnu = recorded_gnu(data, g.core, errors);
    for (const auto& e : errors) ADD_FAILURE() << e;
    if (!errors.empty()) return;

    std::vector<const Form*> forms;
    std::vector<std::string> ours_src, gnu_src;
    for (const auto& f : data.forms) {
        if (!f.runs_on(g.core)) continue;
        forms.push_back(&f);
        ours_src.push_back(f.tobra);
        gnu_src.push_back(f.gnu);
    }

    const fs::path dir = make_temp_dir();
    ASSERT_FALSE(dir.empty());
    std::vector<Outcome> ours = assemble_batch(Tool::tobra, g.core, ours_src, dir);
    // The recorded results stand for GNU; when it is here, they must still be what it says.
    if (check_gnu() && !recording()) {
        if (!gnu_available()) ADD_FAILURE() << "XCHECK_GNU=1: " << kNoGnu;
        else {
            const std::vector<Outcome> live = assemble_batch(Tool::gnu, parts.gnu_name(g.core), gnu_src, dir);
            for (size_t i = 0; i < forms.size(); ++i)
                if (!same_outcome(live[i], gnu[i]))
                    ADD_FAILURE_AT(forms[i]->file.c_str(), forms[i]->line)
                        << "[" << g.core << "] " << forms[i]->gnu << ": GNU as gives another result than "
                        << gnu_file(g.file).filename().string() << " records; record it again with XCHECK_RECORD=1"
                        << "\n  now      " << describe(live[i]) << "\n  recorded " << describe(gnu[i]);
        }
    }
    fs::remove_all(dir);

    // A tool that failed as a whole is reported once, not for every form.
    auto all_broken = [](const std::vector<Outcome>& v) {
        return !v.empty() && std::all_of(v.begin(), v.end(), [](const Outcome& o) { return o.kind == Outcome::broken; });
    };
    if (all_broken(ours)) {
        bool all_pending = std::all_of(forms.begin(), forms.end(), [](const Form* f) { return !f->pending.empty(); });
        if (!all_pending) FAIL() << g.file << " [" << g.core << "]: " << ours.front().message;
        std::cout << g.file << " [" << g.core << "]: all " << forms.size() << " forms pending; tobra failed as a whole:\n"
                  << ours.front().message.substr(0, 400) << "\n";
        return;
    }

    int pending = 0, pending_passing = 0;
    for (size_t i = 0; i < forms.size(); ++i) {
        const Form& f = *forms[i];
        std::string fault = judge(f, ours[i], gnu[i]);
        if (!f.pending.empty()) {
            ++pending;
            if (fault.empty()) {
                ++pending_passing;
                std::cout << f.file << ":" << f.line << ": [" << g.core << "] " << f.tobra
                          << ": passes now; drop its pending mark (" << f.pending << ")\n";
            }
            continue;
        }
        if (!fault.empty())
            ADD_FAILURE_AT(f.file.c_str(), f.line) << "[" << g.core << "] " << f.tobra << ": " << fault;
    }
    RecordProperty("forms", static_cast<int>(forms.size()));
    if (pending)
        std::cout << g.file << " [" << g.core << "]: " << forms.size() << " forms, " << pending << " pending ("
                  << pending_passing << " of them passing)\n";
}

std::string test_name(std::string n) {
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Data, CrossCheck, ::testing::ValuesIn(all_groups()), [](const auto& group_info) {
    return test_name(group_info.param.file.substr(0, group_info.param.file.rfind('.')) + "_" + group_info.param.core);
});

class PartCheck : public ::testing::TestWithParam<PartGroup> {};

// What `tool` makes of every probe on each part, the group's first part first.
// tobra takes all parts in one batch, switching with its cpu directive, so the
// group costs it about two runs. GNU's .cpu cannot follow an instruction, so it
// runs once for each part and tells only which probes it refuses: that GNU
// gates the parts alike is the question here; its bytes are checked on the
// first part in the data files.
std::vector<std::vector<Outcome>> probe_parts(Tool tool, const PartGroups& parts, const std::vector<std::string>& names,
                                              const fs::path& dir) {
    std::vector<std::string> probes;
    for (const auto& f : parts.probes.forms) probes.push_back(tool == Tool::tobra ? f.tobra : f.gnu);
    std::vector<std::vector<Outcome>> out;
    if (tool == Tool::gnu) {
        for (const auto& name : names) out.push_back(refusals(tool, parts.gnu_name(name), probes, dir));
        return out;
    }
    std::vector<std::string> src;
    for (const auto& name : names) {
        src.push_back("cpu " + name);
        src.insert(src.end(), probes.begin(), probes.end());
    }
    const std::vector<Outcome> all = assemble_batch(tool, names.front(), src, dir);
    for (size_t i = 0; i < names.size(); ++i) {
        auto block = all.begin() + static_cast<std::ptrdiff_t>(i * (probes.size() + 1));
        std::vector<Outcome> part(block + 1, block + 1 + static_cast<std::ptrdiff_t>(probes.size()));
        if (block->kind != Outcome::accepted || !block->bytes.empty()) part.assign(probes.size(), *block);
        out.push_back(std::move(part));
    }
    return out;
}

// Each part of a group treats every probe as the group's first part does, in
// both assemblers; the data files check that part against GNU in full.
TEST_P(PartCheck, GatesAsItsGroup) {
    const PartGroup& g = GetParam();
    const PartGroups parts = load_parts();
    for (const auto& e : parts.errors) ADD_FAILURE() << e;
    if (g.members.empty()) GTEST_SKIP() << g.representative << " stands alone";
    // Without GNU, tobra's side is checked alone: GNU grouping the parts alike
    // is a fact about GNU, settled when the groups were written.
    std::vector<Tool> tools{Tool::tobra};
    if (check_gnu()) {
        if (gnu_available()) tools.push_back(Tool::gnu);
        else ADD_FAILURE() << "XCHECK_GNU=1: " << kNoGnu;
    }

    std::vector<std::string> names{g.representative};
    names.insert(names.end(), g.members.begin(), g.members.end());
    const fs::path dir = make_temp_dir();
    ASSERT_FALSE(dir.empty());
    for (Tool tool : tools) {
        const auto outcomes = probe_parts(tool, parts, names, dir);
        for (size_t p = 1; p < names.size(); ++p) {
            for (size_t i = 0; i < parts.probes.forms.size(); ++i) {
                const Form& f = parts.probes.forms[i];
                const Outcome& got = outcomes[p][i];
                const Outcome& want = outcomes[0][i];
                if (got.kind == Outcome::broken || !same_outcome(got, want))
                    ADD_FAILURE_AT(f.file.c_str(), f.line)
                        << tool_name(tool) << " on " << names[p] << ": " << (tool == Tool::tobra ? f.tobra : f.gnu)
                        << "\n  " << describe(got) << "\n  on " << g.representative << ": " << describe(want);
            }
        }
    }
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Parts, PartCheck, ::testing::ValuesIn(load_parts().groups),
                         [](const auto& part_info) { return test_name(part_info.param.representative); });

// The generated forms: every instruction mnemonic, with and without each size,
// with no operand, each addressing mode alone, as a source or a destination
// beside a register or an immediate, and a few special operand lists.
// ISA_A without divide or MAC; ISA_B with EMAC and the FPU; ISA_C with EMAC.
const std::vector<std::string> kGeneratedCores{"5206", "5485", "54455"};

std::vector<std::string> generated_forms() {
    static const char* const mnemonics[] = {
        "add", "adda", "addi", "addq", "addx", "and", "andi", "asl", "asr", "bcc", "bchg", "bclr", "bcs", "beq",
        "bge", "bgt", "bhi", "bitrev", "ble", "bls", "blt", "bmi", "bne", "bpl", "bra", "bset", "bsr", "btst",
        "bvc", "bvs", "byterev", "clr", "cmp", "cmpa", "cmpi", "cpushl", "divs", "divu", "eor", "eori", "ext",
        "extb", "fabs", "fadd", "fbeq", "fbf", "fbge", "fbgl", "fbgle", "fbgt", "fble", "fblt", "fbne", "fbnge",
        "fbngl", "fbngle", "fbngt", "fbnle", "fbnlt", "fboge", "fbogl", "fbogt", "fbole", "fbolt", "fbor",
        "fbseq", "fbsf", "fbsne", "fbst", "fbt", "fbueq", "fbuge", "fbugt", "fbule", "fbult", "fbun", "fcmp",
        "fdabs", "fdadd", "fddiv", "fdiv", "fdmove", "fdmul", "fdneg", "fdsqrt", "fdsub", "ff1", "fint",
        "fintrz", "fmove", "fmovem", "fmul", "fneg", "fnop", "frestore", "fsabs", "fsadd", "fsave", "fsdiv",
        "fsmove", "fsmul", "fsneg", "fsqrt", "fssqrt", "fssub", "fsub", "ftst", "halt", "illegal", "intouch",
        "jmp", "jsr", "lea", "link", "lsl", "lsr", "mac", "macl", "mov", "mov3q", "movclr", "move", "movea",
        "movec", "movem", "moveq", "msac", "msacl", "muls", "mulu", "mvs", "mvz", "neg", "negx", "nop", "not",
        "or", "ori", "pea", "pull", "pulse", "push", "rems", "remu", "rte", "rts", "sats", "scc", "scs", "seq",
        "sf", "sge", "sgt", "shi", "sle", "sls", "slt", "smi", "sne", "spl", "st", "stop", "strldsr", "sub",
        "suba", "subi", "subq", "subx", "svc", "svs", "swap", "tas", "tpf", "trap", "trapf", "tst", "unlk",
        "wddata", "wdebug"};
    static const char* const sizes[] = {"", ".b", ".w", ".l", ".s", ".d"};
    static const char* const modes[] = {"d1",       "a1",         "(a1)", "(a1)+", "-(a1)", "8(a1)", "4(a1,d0.l*4)",
                                        "0x1234.w", "0x12345678", "#1",   "8(pc)", "4(pc,d0.l)", "fp1"};
    static const char* const specials[] = {
        "sr,d1", "d1,sr", "#0x2700,sr", "ccr,d1", "d1,ccr", "#1,ccr", "usp,a1", "a1,usp", "d1,cacr", "a1,vbr",
        "acc,d1", "d1,acc", "#1,acc", "acc1,d1", "d1,acc1", "macsr,d1", "d1,macsr", "macsr,ccr", "mask,d1",
        "d1,mask", "accext01,d1", "d1,d2:d3", "(a1),d2:d3", "d1.l,d2.l", "d1.u,d2.l,<<", "d1.l,d2.l,acc1",
        "d1.l,d2.l,(a1),d3", "d1.w,d2.u,(a1)+&,d3,acc1", "d1-d3/a1,(a1)", "(a1),d1-d3/a1", "d1/a1,8(a1)",
        "fp1-fp3,(a1)", "(a1),fp1-fp3", "a1,#-8", "fpcr,d1", "d1,fpcr", "fpsr,(a1)", "fpiar,d1", "bc,(a1)",
        "dc,(a1)", "8(a1),(a2)+", "0x12345678,0x1234.w", "#0x12345678,8(a2)", "fp1,fp2"};
    std::vector<std::string> operands{""};
    for (const char* m : modes) {
        operands.push_back(m);
        for (const char* reg : {"d2", "a2", "fp2"}) operands.push_back(std::string(m) + "," + reg);
        for (const char* src : {"d1", "#1", "fp1"}) operands.push_back(std::string(src) + "," + m);
    }
    operands.insert(operands.end(), std::begin(specials), std::end(specials));
    std::vector<std::string> forms;
    std::set<std::string> seen;  // "d1,fp1" comes from both sides
    for (const char* m : mnemonics)
        for (const char* size : sizes)
            for (const auto& ops : operands) {
                std::string form = std::string(m) + size + (ops.empty() ? "" : " " + ops);
                if (seen.insert(form).second) forms.push_back(form);
            }
    return forms;
}

const fs::path kPins = fs::path(XCHECK_DATA) / "generated.pins";

// tobra's verdict on every generated form and core is pinned: a changed operand
// class, size, opcode or handler in the mnemonic table shows here even where
// GNU would take the form either way.
TEST(Generated, VerdictsAsPinned) {
    const std::vector<std::string> forms = generated_forms();
    const fs::path dir = make_temp_dir();
    ASSERT_FALSE(dir.empty());
    std::vector<std::vector<std::string>> got(forms.size());  // form -> outcome per core
    for (const auto& core : kGeneratedCores) {
        const std::vector<Outcome> outcomes = assemble_batch(Tool::tobra, core, forms, dir);
        for (size_t i = 0; i < forms.size(); ++i) {
            if (outcomes[i].kind == Outcome::broken) {
                fs::remove_all(dir);
                FAIL() << "[" << core << "] " << forms[i] << ": " << describe(outcomes[i]);
            }
            got[i].push_back(outcome_text(outcomes[i]));
        }
    }
    fs::remove_all(dir);

    if (pinning()) {
        std::ofstream out(kPins);
        out << "# tobra's bytes for every generated form that some core takes (xcheck_runner.cpp\n"
               "# lists them); every other generated form is refused on all cores. Written by\n"
               "# XCHECK_PIN=1; format in xcheck_data.h.\n";
        for (size_t i = 0; i < forms.size(); ++i)
            if (std::any_of(got[i].begin(), got[i].end(), [](const std::string& o) { return o != "refused"; }))
                out << result_line(forms[i], kGeneratedCores, got[i]) << "\n";
        ASSERT_TRUE(out) << "cannot write " << kPins;
        return;
    }

    const ResultFile pins = parse_results(kPins.filename().string(), read_text(kPins));
    for (const auto& e : pins.errors) ADD_FAILURE() << e;
    std::map<std::string, const Result*> pinned;
    for (const auto& r : pins.results)
        if (!pinned.emplace(r.source, &r).second) ADD_FAILURE() << "generated.pins:" << r.line << ": " << r.source << " twice";
    const std::set<std::string> generated(forms.begin(), forms.end());
    for (const auto& r : pins.results)
        if (!generated.count(r.source)) ADD_FAILURE() << "generated.pins:" << r.line << ": " << r.source << " is no longer generated";

    // A table fault can change thousands of forms: the first few tell enough.
    int faults = 0;
    for (size_t i = 0; i < forms.size(); ++i) {
        auto it = pinned.find(forms[i]);
        for (size_t c = 0; c < kGeneratedCores.size(); ++c) {
            const std::string* want = it == pinned.end() ? nullptr : it->second->on(kGeneratedCores[c]);
            const std::string expected = it == pinned.end() ? "refused" : want ? *want : "(nothing pinned)";
            if (got[i][c] == expected) continue;
            if (++faults > 30) continue;
            auto shown = [](const std::string& o) { return o == "refused" || o[0] == '(' ? o : spaced_hex(o); };
            ADD_FAILURE_AT("generated.pins", it == pinned.end() ? 0 : it->second->line)
                << "[" << kGeneratedCores[c] << "] " << forms[i] << "\n  tobra  " << shown(got[i][c])
                << "\n  pinned " << shown(expected);
        }
    }
    if (faults > 30) ADD_FAILURE() << faults << " outcomes differ from generated.pins in all (the first 30 shown)";
    if (faults) std::cout << "If tobra is right, pin it again with XCHECK_PIN=1 and review the change.\n";
}

// Every ColdFire part GNU knows is checked: in the data files, or in a group
// whose first part is in them. A part sits in one group only.
TEST(Parts, EveryGnuPartIsChecked) {
    const PartGroups parts = load_parts();
    std::set<std::string> data_cores;
    for (const auto& p : data_files())
        for (const auto& core : cores_of(parse_data(p.filename().string(), read_text(p)))) data_cores.insert(core);
    std::set<std::string> grouped;
    for (const auto& g : parts.groups) {
        EXPECT_TRUE(data_cores.count(g.representative)) << g.representative << " leads a group but no data file checks it";
        for (const auto& part : g.members) EXPECT_TRUE(grouped.insert(part).second) << part << " is in two groups";
    }
    for (const auto& part : grouped) EXPECT_FALSE(data_cores.count(part)) << part << " is in the data files and a group";
    if (!gnu_available()) GTEST_SKIP() << "m68k-linux-gnu-as not installed; its part list not compared";
    const std::vector<std::string> gnu = gnu_coldfire_parts();
    EXPECT_GT(gnu.size(), 50u) << "GNU's help text no longer lists its parts as expected";
    for (const auto& part : gnu)
        EXPECT_TRUE(data_cores.count(part) || grouped.count(part)) << "GNU knows " << part << "; nothing checks it";
}

} // namespace
