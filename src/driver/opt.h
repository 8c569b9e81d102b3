// The opt directive and the option-name comparison it shares with section.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobra {

class Assembler;
struct Statement;

// Case-insensitive; a prefix in either direction matches; one empty name never does.
bool option_name_matches(std::string_view a, std::string_view b);

// Longest item, option name and value of an opt line (characters).
inline constexpr size_t OPT_TEXT_MAX = 99;

// The next comma-separated item at the cursor, double quotes dropped; the
// ',' or newline that ends it is consumed. Text left without a delimiter
// is no item.
std::optional<std::string> read_opt_item(const char*& cursor);

// The optimise value applied to a flag set; false when no flag matched
// (the flags are then unchanged).
bool apply_optimise_flags(std::string_view value, int32_t& flags);

// The directive: every item of the operand text, in order.
void directive_opt(Assembler& as, Statement& st);

} // namespace tobra
