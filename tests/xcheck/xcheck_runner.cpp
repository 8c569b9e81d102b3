// Cross-checks tobra against the GNU m68k assembler: every form of the data
// files in this directory (*.txt, format in xcheck_data.h) is assembled by
// both, once per core, and the bytes or the refusals are compared.
// One test per data file and core; each runs each assembler about once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
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

std::string spaced_hex(const std::string& hex) {
    std::string s;
    for (size_t i = 0; i < hex.size(); i += 4) {
        if (i) s += ' ';
        s += hex.substr(i, 4);
    }
    return s.empty() ? "(nothing)" : s;
}

std::string describe(const Outcome& o) {
    switch (o.kind) {
    case Outcome::accepted: return "accepted: " + spaced_hex(to_hex(o.bytes));
    case Outcome::refused: return "refused: " + o.message.substr(0, 160);
    default: return "broken: " + o.message;
    }
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

std::vector<Group> all_groups() {
    std::vector<Group> out;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(XCHECK_DATA))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& p : files) {
        DataFile d = parse_data(p.filename().string(), read_text(p));
        for (const auto& core : cores_of(d)) out.push_back({p.filename().string(), core});
        if (d.forms.empty()) out.push_back({p.filename().string(), ""});
    }
    return out;
}

class CrossCheck : public ::testing::TestWithParam<Group> {};

TEST_P(CrossCheck, SameAsGnu) {
    const Group& g = GetParam();
    DataFile data = parse_data(g.file, read_text(fs::path(XCHECK_DATA) / g.file));
    for (const auto& e : data.errors) ADD_FAILURE() << e;
    if (g.core.empty()) GTEST_SKIP() << g.file << " has no forms";
    if (!gnu_available())
        GTEST_SKIP() << "m68k-linux-gnu-as or m68k-linux-gnu-objcopy not installed "
                        "(Debian package binutils-m68k-linux-gnu); cross-check skipped";

    std::vector<const Form*> forms;
    std::vector<std::string> ours_src, gnu_src;
    for (const auto& f : data.forms) {
        if (!f.runs_on(g.core)) continue;
        forms.push_back(&f);
        ours_src.push_back(f.tobra);
        gnu_src.push_back(f.gnu);
    }

    std::string tmpl = (fs::temp_directory_path() / "tobra-xcheck-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    const fs::path dir = tmpl;
    std::vector<Outcome> ours = assemble_batch(Tool::tobra, g.core, ours_src, dir);
    std::vector<Outcome> gnu = assemble_batch(Tool::gnu, g.core, gnu_src, dir);
    fs::remove_all(dir);

    // A tool that failed as a whole is reported once, not for every form.
    auto all_broken = [](const std::vector<Outcome>& v) {
        return !v.empty() && std::all_of(v.begin(), v.end(), [](const Outcome& o) { return o.kind == Outcome::broken; });
    };
    if (all_broken(gnu)) FAIL() << g.file << " [" << g.core << "]: " << gnu.front().message;
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

INSTANTIATE_TEST_SUITE_P(Data, CrossCheck, ::testing::ValuesIn(all_groups()), [](const auto& info) {
    std::string n = info.param.file.substr(0, info.param.file.rfind('.')) + "_" + info.param.core;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

} // namespace
