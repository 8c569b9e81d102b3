// The command-line options, one row each. The parser, the usage text and
// the manual's option list (checked by a unit test) all follow the table.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tobra {

class Assembler;

// How an option takes its value.
enum class OptionValue : uint8_t {
    none,              // nothing; a single-letter option ignores what follows its letter
    attached,          // the rest of the argument after the letter, perhaps empty (-a<n>)
    attached_or_next,  // as attached, or the next argument when the letter stands alone (-c 5282)
    required,          // after the letter or '=', else the next argument; missing or empty is an error
};

// When an option acts.
enum class OptionTime : uint8_t {
    in_place,   // in pass 1 where it stands: it applies to the sources after it
    whole_run,  // before pass 1, wherever it stands
};

struct OptionRow {
    char letter;            // a single-letter option; '\0' for a long one
    std::string_view name;  // a long option's name; empty for a single-letter one
    OptionValue value;
    OptionTime time;
    const char* usage_value;  // the value as the usage text shows it, separator included
    const char* help;         // the rest of its line in the usage text
    int format;               // the output it asks for (a FORMAT_* bit), or 0
    // What an option that asks for no output sets. Returns nullptr, or what is
    // wrong with the value, said after the option ("does not take").
    const char* (*apply)(Assembler& as, std::string_view value);
};

// In the order of the usage text.
std::span<const OptionRow> command_line_options();

// As the usage text and the messages spell it: "-b", "--elf".
std::string option_spelling(const OptionRow& row);

} // namespace tobra
