// The lists of message texts (src/<area>/messages.h) against the way the
// sources use them: formats fit the reporting calls, no text is dead, and no
// message call takes a text written in place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tobra {
namespace {

namespace fs = std::filesystem;

fs::path source_root() { return fs::path(TOBRA_MANUAL).parent_path() / "src"; }

std::string read_all(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Text {
    std::string name;
    long code = 0;
    std::string value;  // as written between the quotes
    std::string header;
};

std::vector<Text> all_texts() {
    static const std::regex line(R"re(^inline constexpr Message ([A-Z0-9_]+)\{(\d+), "(.*)"\};$)re");
    std::vector<Text> texts;
    for (const auto& area : fs::directory_iterator(source_root())) {
        const fs::path header = area.path() / "messages.h";
        if (!fs::exists(header)) continue;
        std::ifstream in(header);
        std::string l;
        while (std::getline(in, l)) {
            std::smatch m;
            if (std::regex_match(l, m, line))
                texts.push_back({m[1], std::stol(m[2]), m[3], header.string()});
            else EXPECT_EQ(l.find("constexpr"), std::string::npos) << header << ": not one text on one line: " << l;
        }
    }
    return texts;
}

std::vector<fs::path> source_files() {
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(source_root()))
        if (e.is_regular_file() && e.path().filename() != "messages.h" &&
            (e.path().extension() == ".cpp" || e.path().extension() == ".h"))
            files.push_back(e.path());
    return files;
}

std::size_t count_of(const std::string& s, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size())) ++n;
    return n;
}

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Messages, FormatsHoldExactlyOneTextAndPlainTextsNone) {
    const auto texts = all_texts();
    ASSERT_GT(texts.size(), 100u);
    for (const Text& t : texts) {
        if (ends_with(t.name, "_PRINTF")) continue;
        // A text put together at the call: the list holds a description.
        if (ends_with(t.name, "_BUILT")) {
            EXPECT_EQ(count_of(t.value, "%"), 0u) << t.name;
            continue;
        }
        // The reporting calls fill every %s with the one text they are given,
        // and print any other % as it stands.
        if (ends_with(t.name, "_FMT")) {
            EXPECT_EQ(count_of(t.value, "%s"), 1u) << t.name;
            EXPECT_EQ(count_of(t.value, "%"), 1u) << t.name;
        } else {
            EXPECT_EQ(count_of(t.value, "%s"), 0u) << t.name << " reads as a format; name it _FMT";
        }
    }
}

TEST(Messages, NamesAreUniqueAndEveryTextIsReported) {
    const auto texts = all_texts();
    std::map<std::string, std::string> seen;
    std::string sources;
    for (const fs::path& f : source_files()) sources += read_all(f);
    for (const Text& t : texts) {
        EXPECT_TRUE(seen.emplace(t.name, t.header).second) << t.name << " in " << t.header << " and " << seen[t.name];
        EXPECT_NE(sources.find("msg::" + t.name), std::string::npos) << t.name << " is used nowhere";
    }
}

// Codes are what users and tools know a message by: one message each, from
// its area's own thousand, so that two lists never hand out the same one.
TEST(Messages, EveryCodeBelongsToOneMessageOfItsArea) {
    const std::map<std::string, long> area_thousand = {{"driver", 1}, {"expr", 2},       {"isa", 3},
                                                       {"encode", 4}, {"directives", 5}, {"output", 6}};
    std::map<long, std::string> by_code;
    for (const Text& t : all_texts()) {
        const std::string area = fs::path(t.header).parent_path().filename().string();
        ASSERT_TRUE(area_thousand.count(area)) << t.header << " has no range of codes";
        EXPECT_EQ(t.code / 1000, area_thousand.at(area)) << t.name << " takes a code outside its area's range";
        EXPECT_NE(t.code % 1000, 0) << t.name;
        const auto [it, added] = by_code.emplace(t.code, t.name);
        EXPECT_TRUE(added) << t.name << " and " << it->second << " share the code " << t.code;
    }
}

TEST(Messages, CallsNameTheirText) {
    // A text written in the call, or a format call given a plain text.
    static const std::regex in_place(R"re((report_\w+|fatal_error)\(\s*"|report_\w+_at\([^,;]*,\s*")re");
    static const std::regex format_call(R"re(report_\w+_arg\(\s*(msg::\w+))re");
    // A text put together at the call carries its description's code.
    static const std::regex built(R"re(msg::(\w+)\.with\()re");
    for (const fs::path& f : source_files()) {
        const std::string text = read_all(f);
        EXPECT_FALSE(std::regex_search(text, in_place)) << f << " reports a text that is not in its messages.h";
        for (auto it = std::sregex_iterator(text.begin(), text.end(), format_call); it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(ends_with((*it)[1], "_FMT") || ends_with((*it)[1], "_BUILT"))
                << f << ": " << (*it)[1] << " given as a format";
        for (auto it = std::sregex_iterator(text.begin(), text.end(), built); it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(ends_with((*it)[1], "_BUILT") || ends_with((*it)[1], "_PRINTF"))
                << f << ": " << (*it)[1] << " is a fixed text; it is reported as it stands";
    }
}

} // namespace
} // namespace tobra
