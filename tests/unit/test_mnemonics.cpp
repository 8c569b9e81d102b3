#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "isa/mnemonics.h"

using namespace tobra;

TEST(MnemonicTable, CountsAndOrder) {
    int variants = 0;
    for (int i = 0; i < MNEMONIC_COUNT; ++i) {
        const MnemonicEntry& e = mnemonic_table[i];
        ASSERT_GE(e.variant_count, 1) << e.name;
        ASSERT_LE(e.variant_count, 23) << e.name;
        EXPECT_EQ(e.variants, variant_table + variants) << e.name << ": variants must be consecutive";
        variants += e.variant_count;
        if (i > 0) {
            EXPECT_LT(std::strcmp(mnemonic_table[i - 1].name, e.name), 0) << e.name;
        }
        for (const char* p = e.name; *p; ++p) EXPECT_FALSE(*p >= 'A' && *p <= 'Z') << e.name;
    }
    EXPECT_EQ(variants, VARIANT_COUNT);
}

TEST(MnemonicTable, EveryNameIsFound) {
    for (int i = 0; i < MNEMONIC_COUNT; ++i) EXPECT_EQ(find_mnemonic(mnemonic_table[i].name), &mnemonic_table[i]);
    EXPECT_EQ(find_mnemonic("movez"), nullptr);
    EXPECT_EQ(find_mnemonic("a"), nullptr);
    EXPECT_EQ(find_mnemonic("zzz"), nullptr);
    EXPECT_EQ(find_mnemonic(""), nullptr);
    EXPECT_STREQ(find_mnemonic("movea")->name, "movea");
}

TEST(MnemonicTable, NearMissesAgreeWithALinearSearch) {
    // Short names are compared as packed keys, long ones byte by byte: names one
    // edit away from every entry, on both sides of the seven-character border,
    // must find exactly what a plain search of the table finds.
    auto linear = [](std::string_view name) -> const MnemonicEntry* {
        for (const MnemonicEntry& e : mnemonic_table)
            if (name == e.name) return &e;
        return nullptr;
    };
    std::vector<std::string> names = {"", "x", "abcdefg", "abcdefgh", std::string("mov\0", 4),
                                       std::string("move\0\0\0", 7), std::string("\0", 1), "\xff\xff\xff\xff"};
    for (const MnemonicEntry& e : mnemonic_table) {
        const std::string n = e.name;
        for (size_t cut = 0; cut < n.size(); ++cut) names.push_back(n.substr(0, cut));
        names.push_back(n + "x");
        names.push_back(n + "l");
        names.push_back(n.substr(1));
        for (size_t i = 0; i < n.size(); ++i) {
            std::string changed = n;
            changed[i] = static_cast<char>(changed[i] ^ 0x20);  // upper case, or another punctuation
            names.push_back(changed);
        }
    }
    for (const std::string& n : names) {
        EXPECT_EQ(find_mnemonic(n), linear(n)) << n;
        // The line parser's lookup reads the field past the name: whatever is
        // left there (a suffix cut off, an older longer name) must not count.
        // Its slot also carries what a line takes of the entry.
        if (n.empty() || n.size() > SHORT_MNEMONIC) continue;
        for (const char filler : {'l', '\0', '\xff'}) {
            std::string field = n + std::string(16, filler);
            uint64_t word;
            std::memcpy(&word, field.data(), 8);
            const ShortMnemonicSlot* slot = find_short_mnemonic(word, n.size());
            const MnemonicEntry* e = linear(n);
            ASSERT_EQ(slot ? slot->entry : nullptr, e) << n << " then " << int{filler};
            if (!e) continue;
            EXPECT_EQ(slot->variants, e->variants) << n;
            EXPECT_EQ(slot->variant_count, e->variant_count) << n;
            EXPECT_EQ(slot->numbers, handler_row(e->variants[0].handler()).operands) << n;
        }
    }
}

TEST(MnemonicTable, AliasesShareTheirVariants) {
    auto same = [](const char* a, const char* b) {
        const MnemonicEntry* x = find_mnemonic(a);
        const MnemonicEntry* y = find_mnemonic(b);
        ASSERT_EQ(x->variant_count, y->variant_count) << a;
        for (int i = 0; i < x->variant_count; ++i) {
            EXPECT_EQ(x->variants[i].opcode, y->variants[i].opcode) << a;
            EXPECT_EQ(x->variants[i].handler(), y->variants[i].handler()) << a;
            EXPECT_EQ(std::memcmp(x->variants[i].signature, y->variants[i].signature, sizeof x->variants[i].signature), 0) << a;
        }
    };
    same("mov", "move");
    same("nam", "name");
    same("pag", "page");
    same("sect", "section");
    same("lvorst", "lvoreset");
    same("trapf", "tpf");
    EXPECT_EQ(find_mnemonic("move")->variant_count, 23);
}

TEST(SizeSuffix, Masks) {
    EXPECT_EQ(suffix_mask('b'), SZ_B);
    EXPECT_EQ(suffix_mask('w'), SZ_W);
    EXPECT_EQ(suffix_mask('l'), SZ_L);
    EXPECT_EQ(suffix_mask('s'), SZ_S);
    EXPECT_EQ(suffix_mask('d'), SZ_D);
    EXPECT_EQ(suffix_mask('u'), SZ_U);
    EXPECT_EQ(suffix_mask('x'), 0u);
    EXPECT_EQ(suffix_mask('_'), 0u);
    EXPECT_EQ(suffix_mask('B'), 0u);  // the caller folds the case
    EXPECT_EQ(suffix_mask('\0'), 0u);
    EXPECT_EQ(suffix_mask('\xe2'), 0u);
}
