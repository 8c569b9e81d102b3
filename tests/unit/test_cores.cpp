// The core table, core selection and what every core lets through.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "test_util.h"

using tobra::test::assemble;

namespace {

TEST(Cores, TableHasTwentySixUniqueRowsAndEnds) {
    std::set<std::string> names;
    int rows = 0;
    for (const tobra::CoreRow* r = tobra::core_table; r->isa_level != 0; ++r, ++rows) names.insert(r->name);
    EXPECT_EQ(rows, tobra::CORE_COUNT);
    EXPECT_EQ(names.size(), 26u);
}

TEST(Cores, DefaultIsThe5206AndAnyWritesThe5407) {
    tobra::Assembler as(nullptr);
    EXPECT_EQ(as.core.core_number, 0x5206);
    EXPECT_EQ(as.core.core_version, 0x20);
    as.core.select_core("any");
    EXPECT_EQ(as.core.core_number, 0x5407);
    EXPECT_EQ(as.core.core_version, 0x4E);
    EXPECT_EQ(as.core.has_fpu, 1);
    EXPECT_EQ(as.core.has_isa_a_plus, 0);
}

TEST(Cores, UnknownNameKeepsTheCurrentCore) {
    tobra::Assembler as(nullptr);
    as.core.select_core("5249");
    as.core.select_core("5206E");  // names compare case-sensitively
    EXPECT_EQ(as.core.core_number, 0x5249);
    EXPECT_EQ(as.core.mac_level, 2);
    EXPECT_NE(as.con.captured().find("cpu: type not valid or supported"), std::string::npos);
}

TEST(Cores, CpuDirective) {
    EXPECT_EQ(assemble(" cpu 5485\n fadd.d fp1,fp2\n").out, "Assembly successful.\n");
    EXPECT_EQ(assemble(" cpu 5206E\n").out, "t.s,1: cpu: type not valid or supported\n1 error(s) found\n");
    EXPECT_EQ(assemble(" cpu\n").out, "t.s,1: cpu: type not valid or supported\n1 error(s) found\n");
    auto r = assemble(" nop\n", {"-b", "-c5206E"});
    EXPECT_NE(r.out.find("cpu: type not valid or supported"), std::string::npos);
    EXPECT_EQ(r.exit_code, 1);
}

// Pass 2 starts with the command line's core, as pass 1 did, whatever the
// last cpu of pass 1 chose.
TEST(Cores, EachPassStartsOnTheCommandLineCore) {
    auto r = assemble(" fadd.d fp1,fp2\n cpu 5206\n", {"-b", "-c5485"});
    EXPECT_EQ(r.out, "Assembly successful.\n");
}

// One instruction for each feature of the table.
const std::pair<const char*, const char*> probes[] = {
    {"mac", " mac.w d1,d2"},
    {"emac", " move.l acc0,acc1"},
    {"div", " divu.w d0,d1"},
    {"usp", " move.l usp,a0"},
    {"fpu", " fadd.d fp1,fp2"},
    {"a+", " bitrev d0"},
    {"isa_b", " bra.l l\nl:"},
};

// The features each core accepts, grouped as the reference table lists them.
const std::pair<const char*, const char*> cores[] = {
    {"5102 5202 5204 5206", ""},
    {"5206e 5272 5307", "mac div"},
    {"5249", "mac emac div"},
    {"5280 5281 5282", "mac emac div a+"},
    {"5407", "mac div isa_b"},
    {"5420 5470 5471 5472 5473 5474 5475 5480 5481 5482 5483 5484 5485 any", "mac emac div usp fpu isa_b"},
};

std::set<std::string> words(const char* text) {
    std::set<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) out.insert(w);
    return out;
}

TEST(Cores, EachCoreGatesItsFeatures) {
    int seen = 0;
    for (const auto& [names, features] : cores) {
        const auto has = words(features);
        for (const std::string& core : words(names)) {
            ++seen;
            for (const auto& [feature, line] : probes) {
                auto r = assemble(" cpu " + core + "\n" + line + "\n");
                bool accepted = r.out == "Assembly successful.\n";
                EXPECT_EQ(accepted, has.count(feature) == 1) << core << ": " << line << "\n" << r.out;
            }
        }
    }
    EXPECT_EQ(seen, tobra::CORE_COUNT);
}

} // namespace
