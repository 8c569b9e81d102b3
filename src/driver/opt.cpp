// The opt directive: command-line options from the source.
#include "driver/opt.h"

#include <array>
#include <string>

#include "driver/assembler.h"
#include "driver/messages.h"

namespace tobra {

namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

using OptionHandler = void (*)(Assembler&, std::string_view value);

struct OptionRow {
    const char* name;
    OptionHandler handler;
};

void optimise(Assembler& as, std::string_view value) {
    if (!apply_optimise_flags(value, as.drv.optimise_flags)) as.report_warning(msg::OPTIMISE_FLAG_NOT_RECOGNISED);
}

// opt object and opt binary pick the output; another output asked for
// already (on the command line or by the other opt) is a conflict, not a
// choice to make silently.
void choose_output(Assembler& as, int format, const char* name) {
    const int asked = as.options.output_formats;
    if (asked & ~format) {
        const char* other = asked & FORMAT_ELF      ? "--elf"
                            : asked & FORMAT_IHEX   ? "--ihex"
                            : asked & FORMAT_OBJECT ? "object"
                                                    : "binary";
        as.report_error_arg(msg::OPT_FMT,
                            (std::string(name) + " conflicts with the output already chosen (" + other + ")").c_str());
        return;
    }
    ask_output_format(as.options, format, false);
}

// Searched in order: the first row whose name matches wins, so "list" is "l"
// and "b" is "brl".
constexpr std::array<OptionRow, 13> option_table{{
    {"l", [](Assembler& as, std::string_view) { as.options.listing_enabled = 1; }},
    {"list", [](Assembler& as, std::string_view) { as.options.listing_enabled = 1; }},
    {"nol", [](Assembler& as, std::string_view) { as.options.listing_enabled = 0; }},
    {"nolist", [](Assembler& as, std::string_view) { as.options.listing_enabled = 0; }},
    {"brl", [](Assembler&, std::string_view) {}},
    {"object", [](Assembler& as, std::string_view) { choose_output(as, FORMAT_OBJECT, "object"); }},
    {"binary", [](Assembler& as, std::string_view) { choose_output(as, FORMAT_BINARY, "binary"); }},
    {"rtxnop", [](Assembler& as, std::string_view) { as.drv.rts_nop = 1; }},
    {"optimise", optimise},
    {"unsizemode", [](Assembler& as, std::string_view) { as.drv.unsized_mode = 1; }},
    {"nomuldivwarn", [](Assembler& as, std::string_view) { as.drv.muldiv_warning = 0; }},
    {"packedstrings", [](Assembler& as, std::string_view) { as.drv.packed_strings = true; }},
    {"nopackedstrings", [](Assembler& as, std::string_view) { as.drv.packed_strings = false; }},
}};

struct OptimiseRow {
    const char* name;
    int32_t mask;  // 0 or negative: ANDed in; positive: ORed in
};

constexpr std::array<OptimiseRow, 14> optimise_table{{
    {"none", 0},
    {"moveq", OPT_MOVEQ},
    {"addq", OPT_ADDQ},
    {"subq", OPT_SUBQ},
    {"branch", OPT_BRANCH},
    {"index", OPT_INDEX},
    {"lea", OPT_LEA},
    {"nomoveq", ~OPT_MOVEQ},
    {"noaddq", ~OPT_ADDQ},
    {"nosubq", ~OPT_SUBQ},
    {"nobranch", ~OPT_BRANCH},
    {"noindex", ~OPT_INDEX},
    {"nolea", ~OPT_LEA},
    {"all", 0x7FFFFFFF},
}};

// Appends c unless the text is already at its limit; longer text is cut.
void append_limited(std::string& s, char c) {
    if (s.size() < OPT_TEXT_MAX) s.push_back(c);
}

} // namespace

bool option_name_matches(std::string_view a, std::string_view b) {
    if (a.empty() != b.empty()) return false;
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

std::optional<std::string> read_opt_item(const char*& cursor) {
    std::string item;
    for (const char* p = cursor; *p; ++p) {
        if (*p == ',' || *p == '\n') {
            cursor = p + 1;
            return item;
        }
        if (*p != '"') append_limited(item, *p);
    }
    // The end of the text before a delimiter: what was gathered is dropped.
    while (*cursor) ++cursor;
    return std::nullopt;
}

bool apply_optimise_flags(std::string_view value, int32_t& flags) {
    // Every matching row applies, so "no" clears all and "a" sets addq and all.
    bool matched = false;
    for (const OptimiseRow& row : optimise_table) {
        if (!option_name_matches(value, row.name)) continue;
        if (row.mask <= 0)
            flags &= row.mask;
        else
            flags |= row.mask;
        matched = true;
    }
    return matched;
}

void directive_opt(Assembler& as, Statement& st) {
    const char*& cursor = st.cursor.at;
    while (auto item = read_opt_item(cursor)) {
        std::string name;
        std::string value;
        bool in_value = false;
        for (char c : *item) {
            if (c == '=') {
                // A further '=' starts the value again.
                in_value = true;
                value.clear();
            } else {
                append_limited(in_value ? value : name, c);
            }
        }
        const OptionRow* row = nullptr;
        for (const OptionRow& r : option_table) {
            if (option_name_matches(name, r.name)) {
                row = &r;
                break;
            }
        }
        if (row)
            row->handler(as, value);
        else
            as.report_error_arg(msg::OPT_UNRECOGNIZED_OPTION_FMT, name.c_str());
    }
}

} // namespace tobra
