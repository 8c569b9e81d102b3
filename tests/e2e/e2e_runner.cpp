// Runs the real tobra binary on the cases in tests/e2e/cases/*.case.
//
// A case file is a sequence of sections, each starting with a line "--- <kind> [name]":
//   --- args            one line: the command-line arguments (files relative to the case directory)
//   --- env NAME=VALUE  set for the run
//   --- file NAME       a source (or any) file written before the run
//   --- stdout          the exact expected standard output
//   --- stderr          the exact expected standard error (without it, standard error must be empty)
//   --- exit N          the expected exit code (no body)
//   --- hex NAME        the expected bytes of an output file, as hex (white space ignored)
//   --- text NAME       the expected text of an output file
//   --- absent NAME     the output file must not exist
//   --- contains        every body line must appear somewhere in standard output
//   --- dump ARGS       run tobra-dump ARGS after tobra: exit 0, no stderr, this exact stdout
//   --- dumperr ARGS    run tobra-dump ARGS after tobra: exit 1, this exact stderr
//   --- sh              a shell command run in the case directory after tobra; must exit 0;
//                       $TOBRA is the binary, $TOBRA_DUMP the object-file dumper
//                       (a command whose tool is missing is skipped: write "need TOOL; command")
// Lines before the first section are comments. "<TAB>" in a body stands for a tab; in
// standard output, "<TOBRA>" stands for the path the binary was run by.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A shell section's commands, each of which must succeed: the shell alone
// would judge the section by its last command and let a failed check on an
// earlier line pass unseen. A command runs on through continued lines
// (a trailing backslash, |, && or ||) and the bodies of its here-documents.
std::string every_line_checked(const std::string& body) {
    std::vector<std::string> lines;
    std::istringstream in(body);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    auto ends_with = [](const std::string& line, const char* tail) {
        const std::string t(tail);
        size_t end = line.find_last_not_of(" \t");
        return end != std::string::npos && end + 1 >= t.size() && line.compare(end + 1 - t.size(), t.size(), t) == 0;
    };
    std::string script;
    for (size_t i = 0; i < lines.size();) {
        const size_t first = i;
        std::string command;
        for (;;) {
            const std::string& line = lines[i++];
            command += line + "\n";
            // Here-documents started on this line: their bodies follow it.
            for (size_t at = line.find("<<"); at != std::string::npos; at = line.find("<<", at + 2)) {
                size_t p = at + 2;
                const bool tabs = p < line.size() && line[p] == '-';
                if (tabs) ++p;
                while (p < line.size() && line[p] == ' ') ++p;
                std::string word;
                for (; p < line.size() && line[p] != ' ' && line[p] != ';' && line[p] != '|' && line[p] != '&'; ++p)
                    if (line[p] != '\'' && line[p] != '"') word += line[p];
                while (i < lines.size()) {
                    std::string l = lines[i++];
                    command += l + "\n";
                    if (tabs) l.erase(0, l.find_first_not_of('\t') == std::string::npos ? l.size() : l.find_first_not_of('\t'));
                    if (l == word) break;
                }
            }
            const bool continued = ends_with(line, "\\") || ends_with(line, "|") || ends_with(line, "&&");
            if (!continued || i >= lines.size()) break;
        }
        const size_t text = command.find_first_not_of(" \t\n");
        if (text == std::string::npos || command[text] == '#') {  // nothing to run: a group cannot be empty
            script += command;
            continue;
        }
        script += "{\n" + command + "} || { echo \"e2e: sh line " + std::to_string(first + 1) +
                  " failed\" >&2; exit 1; }\n";
    }
    return script;
}


// The binary under test: the build's own, or the one TOBRA_E2E_BIN names
// (make test runs the cases again against the release binary users get).
std::string tobra_bin() {
    const char* bin = std::getenv("TOBRA_E2E_BIN");
    return bin && *bin ? bin : TOBRA_BIN;
}

struct Section {
    std::string kind;
    std::string arg;
    std::string body;
};

std::vector<Section> parse_case(const std::string& text) {
    std::vector<Section> out;
    std::istringstream in(text);
    std::string line;
    Section* cur = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("--- ", 0) == 0) {
            Section s;
            std::string rest = line.substr(4);
            size_t sp = rest.find(' ');
            s.kind = rest.substr(0, sp);
            if (sp != std::string::npos) s.arg = rest.substr(sp + 1);
            out.push_back(s);
            cur = &out.back();
            continue;
        }
        if (!cur) continue;
        size_t pos;
        while ((pos = line.find("<TAB>")) != std::string::npos) line.replace(pos, 5, "\t");
        cur->body += line + "\n";
    }
    return out;
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string to_hex(const std::string& bytes) {
    static const char* H = "0123456789abcdef";
    std::string s;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        s += H[c >> 4];
        s += H[c & 15];
    }
    return s;
}

std::string strip_hex(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) s += static_cast<char>(std::tolower(c));
        if (c == '#') break;
    }
    return s;
}

std::string normalise_hex_body(const std::string& body) {
    std::string out;
    std::istringstream in(body);
    std::string line;
    while (std::getline(in, line)) {
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        out += strip_hex(line);
    }
    return out;
}

class E2E : public ::testing::TestWithParam<std::string> {};

TEST_P(E2E, Case) {
    fs::path case_path = fs::path(TOBRA_CASES) / GetParam();
    auto sections = parse_case(read_file(case_path));
    fs::path dir = fs::temp_directory_path() / ("tobra_e2e_" + std::to_string(::getpid()) + "_" + case_path.stem().string());
    fs::remove_all(dir);
    fs::create_directories(dir);

    std::string args;
    std::string env;
    for (auto& s : sections) {
        if (s.kind == "file") {
            fs::path p = dir / s.arg;
            fs::create_directories(p.parent_path());
            std::ofstream(p, std::ios::binary) << s.body;
        } else if (s.kind == "args") {
            args = s.body.substr(0, s.body.find('\n'));
        } else if (s.kind == "env") {
            env += s.arg + " ";
        }
    }
    std::string cmd = "cd '" + dir.string() + "' && env " + env + "'" + tobra_bin() + "' " + args + " > stdout.txt 2> stderr.txt";
    int status = std::system(cmd.c_str());
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::string out = read_file(dir / "stdout.txt");
    const std::string bin = tobra_bin();
    for (size_t at; (at = out.find(bin)) != std::string::npos;) out.replace(at, bin.size(), "<TOBRA>");

    // tobra-dump runs in the same directory, after tobra.
    auto run_dump = [&](const std::string& dump_args, std::string& dump_out, std::string& dump_err) {
        std::string c = "cd '" + dir.string() + "' && '" + TOBRA_DUMP_BIN + "' " + dump_args +
                        " > dump_stdout.txt 2> dump_stderr.txt";
        int st = std::system(c.c_str());
        dump_out = read_file(dir / "dump_stdout.txt");
        dump_err = read_file(dir / "dump_stderr.txt");
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    };

    bool checked_exit = false;
    for (auto& s : sections) {
        if (s.kind == "stdout") {
            EXPECT_EQ(out, s.body) << "stdout of " << GetParam();
        } else if (s.kind == "exit") {
            EXPECT_EQ(code, std::atoi(s.arg.c_str())) << "exit code of " << GetParam();
            checked_exit = true;
        } else if (s.kind == "hex") {
            ASSERT_TRUE(fs::exists(dir / s.arg)) << s.arg << " missing in " << GetParam();
            EXPECT_EQ(to_hex(read_file(dir / s.arg)), normalise_hex_body(s.body)) << s.arg << " of " << GetParam();
        } else if (s.kind == "text") {
            ASSERT_TRUE(fs::exists(dir / s.arg)) << s.arg << " missing in " << GetParam();
            EXPECT_EQ(read_file(dir / s.arg), s.body) << s.arg << " of " << GetParam();
        } else if (s.kind == "absent") {
            EXPECT_FALSE(fs::exists(dir / s.arg)) << s.arg << " should not exist in " << GetParam();
        } else if (s.kind == "dump" || s.kind == "dumperr") {
            std::string dump_out, dump_err;
            int dump_code = run_dump(s.arg, dump_out, dump_err);
            if (s.kind == "dump") {
                EXPECT_EQ(dump_code, 0) << "tobra-dump " << s.arg << " in " << GetParam() << ":\n" << dump_err;
                EXPECT_EQ(dump_err, "") << "tobra-dump " << s.arg << " in " << GetParam();
                EXPECT_EQ(dump_out, s.body) << "tobra-dump " << s.arg << " in " << GetParam();
            } else {
                EXPECT_EQ(dump_code, 1) << "tobra-dump " << s.arg << " in " << GetParam();
                EXPECT_EQ(dump_out, "") << "tobra-dump " << s.arg << " in " << GetParam();
                EXPECT_EQ(dump_err, s.body) << "tobra-dump " << s.arg << " in " << GetParam();
            }
        } else if (s.kind == "sh") {
            std::string body = s.body;
            std::string need;
            if (body.rfind("need ", 0) == 0) {
                size_t semi = body.find(';');
                need = body.substr(5, semi - 5);
                body = body.substr(semi + 1);
            }
            if (!need.empty() && std::system(("command -v " + need + " > /dev/null 2>&1").c_str()) != 0) {
                std::printf("note: %s not installed, check skipped in %s\n", need.c_str(), GetParam().c_str());
                continue;
            }
            int rc = std::system(("cd '" + dir.string() + "' && TOBRA='" + tobra_bin() + "' && TOBRA_DUMP='" + TOBRA_DUMP_BIN + "' && {\n" + every_line_checked(body) + "}").c_str());
            EXPECT_EQ(rc, 0) << "command failed in " << GetParam() << ": " << body;
        } else if (s.kind == "contains") {
            std::istringstream in(s.body);
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty()) {
                    EXPECT_NE(out.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << out;
                }
            }
        }
    }
    bool checked_stderr = false;
    for (auto& s : sections)
        if (s.kind == "stderr") {
            EXPECT_EQ(read_file(dir / "stderr.txt"), s.body) << "stderr of " << GetParam();
            checked_stderr = true;
        }
    if (!checked_stderr) {
        EXPECT_TRUE(read_file(dir / "stderr.txt").empty()) << "stderr of " << GetParam() << ":\n" << read_file(dir / "stderr.txt");
    }
    if (!checked_exit) ADD_FAILURE() << GetParam() << " has no exit section";
    if (!HasFailure()) fs::remove_all(dir);
}

std::vector<std::string> all_cases() {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(TOBRA_CASES))
        if (e.path().extension() == ".case") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, E2E, ::testing::ValuesIn(all_cases()), [](const auto& case_info) {
    std::string n = case_info.param.substr(0, case_info.param.size() - 5);
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

} // namespace
