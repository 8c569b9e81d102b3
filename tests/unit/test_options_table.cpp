// The manual's option list against the option table the parser and the usage
// text are made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/cmdline.h"

namespace tobra {
namespace {

struct ManualEntry {
    std::string option;  // "-a", "--output"
    bool takes_value;    // an italic argument follows the option's name
};

// The headings of the OPTIONS section: the line after each .TP, as
// ".B \-b" or ".BI \-\-output " file"".
std::vector<ManualEntry> manual_options(const std::string& path) {
    std::ifstream in(path);
    std::vector<ManualEntry> entries;
    std::string line;
    bool in_section = false;
    bool heading_next = false;
    while (std::getline(in, line)) {
        if (line.rfind(".SH", 0) == 0) {
            in_section = line == ".SH OPTIONS";
            continue;
        }
        if (!in_section) continue;
        if (line == ".TP") {
            heading_next = true;
            continue;
        }
        if (!heading_next) continue;
        heading_next = false;
        std::istringstream words(line);
        std::string macro, name;
        words >> macro >> name;
        for (size_t at; (at = name.find("\\-")) != std::string::npos;) name.replace(at, 2, "-");
        if (!name.empty() && name.back() == '=') name.pop_back();  // --diagnostics=style
        entries.push_back({name, macro == ".BI"});
    }
    return entries;
}

TEST(OptionTable, TheManualDescribesEveryOptionOnceWithItsValue) {
    std::vector<ManualEntry> manual = manual_options(TOBRA_MANUAL);
    ASSERT_FALSE(manual.empty());
    for (const OptionRow& row : command_line_options()) {
        const std::string option = option_spelling(row);
        const auto count = std::count_if(manual.begin(), manual.end(),
                                         [&](const ManualEntry& e) { return e.option == option; });
        EXPECT_EQ(count, 1) << option;
        for (const ManualEntry& e : manual) {
            if (e.option == option) {
                EXPECT_EQ(e.takes_value, row.value != OptionValue::none) << option;
            }
        }
    }
    // Nor does it describe one the table lacks.
    for (const ManualEntry& e : manual) {
        const auto rows = command_line_options();
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                [&](const OptionRow& row) { return option_spelling(row) == e.option; }))
            << e.option;
    }
}

} // namespace
} // namespace tobra
