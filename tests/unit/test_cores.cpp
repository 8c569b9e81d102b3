// The core table, core selection and what every core lets through.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "isa/classes.h"
#include "isa/registers.h"
#include "test_util.h"

using tobra::test::assemble;

namespace {

TEST(Cores, TableHasUniqueRowsAndEnds) {
    std::set<std::string> names;
    int rows = 0;
    for (const tobra::CoreRow* r = tobra::core_table; r->name != nullptr; ++r, ++rows) names.insert(r->name);
    EXPECT_EQ(rows, tobra::CORE_COUNT);
    EXPECT_EQ(names.size(), 105u);
}

// A part's number is its name's digits read as hexadecimal: the first four,
// a family's x as 0, a letter dropped, short names filled with zeros.
TEST(Cores, NumbersAreTheDigitsOfTheName) {
    for (const tobra::CoreRow* r = tobra::core_table; r->name != nullptr; ++r) {
        std::string name = r->name;
        if (name == "any") continue;
        std::string digits;
        for (char c : name) {
            if (c == 'x') digits += '0';
            else if (c >= '0' && c <= '9') digits += c;
            else if (c > '9') break;  // 5206e, 51qe: the letters name a variant
        }
        digits = (digits + "0000").substr(0, 4);
        EXPECT_EQ(r->core_number, std::stoi(digits, nullptr, 16)) << name;
    }
}

TEST(Cores, DefaultIsThe5206AndAnyWritesThe5407) {
    tobra::Assembler as(nullptr);
    EXPECT_EQ(as.core.core_number, 0x5206);
    EXPECT_EQ(as.core.core_version, 0x20);
    as.core.select_core("any");
    EXPECT_EQ(as.core.core_number, 0x5407);
    EXPECT_EQ(as.core.core_version, 0x4E);
    EXPECT_TRUE(as.core.has(tobra::F_FPU));
    EXPECT_FALSE(as.core.has(tobra::F_ISA_A_PLUS));
}

TEST(Cores, UnknownNameKeepsTheCurrentCore) {
    tobra::Assembler as(nullptr);
    as.core.select_core("5249");
    as.core.select_core("5206f");
    EXPECT_EQ(as.core.core_number, 0x5249);
    EXPECT_TRUE(as.core.has(tobra::F_EMAC));
    EXPECT_NE(as.con.captured().find("cpu: type not valid or supported"), std::string::npos);
}

TEST(Cores, CpuDirective) {
    EXPECT_EQ(assemble(" cpu 5485\n fadd.d fp1,fp2\n").out, "Assembly successful.\n");
    EXPECT_EQ(assemble(" cpu 5206F\n").out, "t.s,1: cpu: type not valid or supported\n1 error(s) found\n");
    EXPECT_EQ(assemble(" cpu\n").out, "t.s,1: cpu: type not valid or supported\n1 error(s) found\n");
    auto r = assemble(" nop\n", {"-b", "-c5206F"});
    EXPECT_NE(r.out.find("cpu: type not valid or supported"), std::string::npos);
    EXPECT_EQ(r.exit_code, 1);
}

// Every control-register name stands for a register that a part's list can
// hold, so that movec checks each name against the part.
TEST(Cores, EveryControlRegisterNameHasItsRegister) {
    int names = 0;
    for (const tobra::ReservedRegister& r : tobra::reserved_registers) {
        if ((r.type & 0xFF) != tobra::TYPE_CREG) continue;
        ++names;
        EXPECT_NE(tobra::control_register_of(r.name), tobra::CR_NONE) << r.name;
    }
    EXPECT_EQ(names, 68);
    EXPECT_EQ(tobra::control_register_of("Rambar"), tobra::CR_RAMBAR);
    EXPECT_EQ(tobra::control_register_of("rambar2"), tobra::CR_NONE);
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
    {"isa_c", " mvz.b d0,d1\n strldsr #0x2700"},  // ISA_B and ISA_A+ in one core
};

// The features each core accepts, grouped as the reference table lists them.
const std::pair<const char*, const char*> cores[] = {
    {"5102 5200 5202 5204 5206", ""},
    {"5206e 5272 5307", "mac div"},
    {"5249 5250 5253", "mac emac div"},
    {"5280 5281 5282 528x", "mac emac div a+"},
    {"5210a 5211a 5211 5212 5213 5221x 52221 52223 5224 5225", "mac div usp a+"},
    {"5207 5208 5214 5216 521x 52230 52233 52234 52235 52252 52254 52255 52256 52258 52259 52274 52277 "
     "5232 5233 5234 5235 523x 5270 5271 5274 5275 53011 53012 53013 53014 53015 53016 53017 "
     "5327 5328 5329 532x 5372 5373 537x",
     "mac emac div usp a+"},
    {"5407", "mac div isa_b"},
    {"5420 5470 5471 5472 5473 5474 5475 547x 5480 5481 5482 5483 5484 5485 548x any", "mac emac div usp fpu isa_b"},
    // ISA_C: the ISA_B forms and the ISA_A+ instructions.
    {"51 51ac 51ag 51cn 51jm 51qe", "usp a+ isa_b isa_c"},
    {"51em 51je 51mm", "mac usp a+ isa_b isa_c"},
    {"51jf 51jg 51qm", "mac emac usp a+ isa_b isa_c"},
    {"54410 54415 54416 54417 54418 54450 54451 54452 54453 54454 54455", "mac emac div usp a+ isa_b isa_c"},
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
