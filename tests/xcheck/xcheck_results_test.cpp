// The results files are written by one run and read by every later one: what
// result_line writes, parse_results must read back core for core.
#include <gtest/gtest.h>

#include "xcheck_data.h"

using namespace xcheck;

namespace {

Result read_back(const std::string& line) {
    ResultFile f = parse_results("t.gnu", "# heading\n" + line + "\n");
    EXPECT_TRUE(f.errors.empty()) << (f.errors.empty() ? "" : f.errors.front());
    EXPECT_EQ(f.results.size(), 1u);
    return f.results.empty() ? Result{} : f.results.front();
}

TEST(Results, OneOutcomeForAllCoresIsWrittenOnce) {
    const std::string line = result_line("add.l d1,d2", {"5206", "5407"}, {"d481", "d481"});
    EXPECT_EQ(line, "add.l d1,d2 | d481");
    const Result r = read_back(line);
    EXPECT_EQ(r.source, "add.l d1,d2");
    EXPECT_EQ(r.line, 2);
    ASSERT_NE(r.on("54455"), nullptr);  // a shared outcome holds for any core
    EXPECT_EQ(*r.on("54455"), "d481");
}

TEST(Results, CoresWithTheSameOutcomeShareAField) {
    const std::vector<std::string> cores{"5206", "5407", "51qe", "5485"};
    const std::vector<std::string> outcomes{"refused", "a3410001", "refused", ""};
    const std::string line = result_line("pc1: mov3q #1,d1", cores, outcomes);
    EXPECT_EQ(line, "pc1: mov3q #1,d1 | 5206 51qe: refused | 5407: a341 0001 | 5485: empty");
    const Result r = read_back(line);
    EXPECT_EQ(r.source, "pc1: mov3q #1,d1");
    for (size_t i = 0; i < cores.size(); ++i) {
        ASSERT_NE(r.on(cores[i]), nullptr) << cores[i];
        EXPECT_EQ(*r.on(cores[i]), outcomes[i]) << cores[i];
    }
    EXPECT_EQ(r.on("5213"), nullptr);
}

TEST(Results, OddByteCountsSurvive) {
    const Result r = read_back(result_line("dc.b 1,2,3", {"5206"}, {"010203"}));
    ASSERT_NE(r.on("5206"), nullptr);
    EXPECT_EQ(*r.on("5206"), "010203");
}

TEST(Results, MalformedLinesAreReported) {
    EXPECT_EQ(parse_results("t.gnu", "nop\n").errors.size(), 1u);
    EXPECT_EQ(parse_results("t.gnu", "nop | 4e7\n").errors.size(), 1u);
    EXPECT_EQ(parse_results("t.gnu", "nop | : 4e71\n").errors.size(), 1u);
    EXPECT_EQ(parse_results("t.gnu", "nop | 5206: maybe\n").errors.size(), 1u);
}

} // namespace
