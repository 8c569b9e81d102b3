// The command line: one table of options, the usage text made from it, the
// parser that follows it and the checks once every option is in.
//
// Single-letter options act where they stand, in pass 1 (Driver::run hands
// each to parse_option between the sources). Long options, -I and -D say how
// the whole run goes, so they are settled before pass 1 wherever they stand.
#include "driver/cmdline.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "driver/assembler.h"
#include "driver/messages.h"

namespace tobra {

namespace {

// Leading signed decimal digits; no number reads as 0; clamped instead of overflowing.
long read_decimal(std::string_view text) {
    errno = 0;
    return std::strtol(std::string(text).c_str(), nullptr, 10);
}

// A -D argument: NAME or NAME=EXPR, NAME spelled as a label of the source
// could spell it.
bool valid_definition(std::string_view text) {
    std::string_view name = text.substr(0, text.find('='));
    if (name.empty() || !is_name_start(name[0])) return false;
    for (char c : name)
        if (!is_name_char(c)) return false;
    return text.find('\n') == std::string_view::npos;
}

const char* forward_buffer(Assembler& as, std::string_view value) {
    long n = read_decimal(value);
    if (n < FWD_DEFAULT_SIZE) {
        char text[64];
        std::snprintf(text, sizeof text, msg::FORWARD_REFERENCE_SIZE_TOO_SMALL_PRINTF.text, FWD_DEFAULT_SIZE);
        as.report_option_warning(msg::FORWARD_REFERENCE_SIZE_TOO_SMALL_PRINTF.with(text));
        n = FWD_DEFAULT_SIZE;
    }
    as.fwd.alloc_fwd(n);
    return nullptr;
}

const char* select_core(Assembler& as, std::string_view value) {
    // A name mistyped on the command line is easiest mended from the list.
    if (!as.core.select_core(value))
        as.report_note(msg::CPU_VALID_CORES_BUILT.with(("cpu: valid cores: " + core_names()).c_str()));
    as.core.keep_as_pass_start();
    return nullptr;
}

const char* include_dir(Assembler& as, std::string_view value) {
    std::string dir(value);
    if (dir.back() != '/') dir += '/';
    as.options.include_dirs.push_back(std::move(dir));
    return nullptr;
}

const char* define_symbol(Assembler& as, std::string_view value) {
    if (!valid_definition(value)) return "needs a symbol name:";
    // NAME= with nothing after it: say so here, not as a line without operands.
    if (value.back() == '=') return "needs a value after '=':";
    as.options.defines.emplace_back(value);
    return nullptr;
}

const char* set_diagnostics(Assembler& as, std::string_view value) {
    if (value == "gnu")
        as.options.diagnostics = DiagnosticStyle::gnu;
    else if (value == "native")
        as.options.diagnostics = DiagnosticStyle::native;
    else if (value == "json")
        as.options.diagnostics = DiagnosticStyle::json;
    else if (value == "sarif")
        as.options.diagnostics = DiagnosticStyle::sarif;
    else
        return "does not take";
    return nullptr;
}

using V = OptionValue;
constexpr OptionTime IN_PLACE = OptionTime::in_place;
constexpr OptionTime WHOLE_RUN = OptionTime::whole_run;
#define SETS(...)                                                                   \
    [](Assembler& as, [[maybe_unused]] std::string_view value) -> const char* { \
        __VA_ARGS__;                                                            \
        return nullptr;                                                         \
    }

// clang-format off
constexpr std::array option_rows{
    // letter, long name, value, acts, usage value, help, output asked for, what it sets
    OptionRow{'a', "", V::attached, IN_PLACE, "<buf>", "allocate forward reference buffers", 0, forward_buffer},
    OptionRow{'b', "", V::none, IN_PLACE, "", "generate binary rom file", FORMAT_BINARY, nullptr},
    OptionRow{'c', "", V::attached_or_next, IN_PLACE, "<core>", "cpu core selection", 0, select_core},
    OptionRow{'d', "", V::none, IN_PLACE, "", "turn off local dot labels", 0, SETS(as.options.local_dot_labels = 0)},
    OptionRow{'f', "", V::none, IN_PLACE, "", "forward byte-offset branches", 0, SETS(as.options.forward_branch_size = 1)},
    OptionRow{'g', "", V::none, IN_PLACE, "", "line table for debuggers (with --elf)", 0, SETS(as.options.debug_lines = 1)},
    OptionRow{'l', "", V::none, IN_PLACE, "", "listing output enabled", 0, SETS(as.options.listing_enabled = 1)},
    OptionRow{'n', "", V::none, IN_PLACE, "", "disable incbin auto-alignment", 0, SETS(as.options.incbin_auto_align = 0)},
    OptionRow{'o', "", V::none, IN_PLACE, "", "generate object code file", FORMAT_OBJECT, nullptr},
    // -r and -u act from here on in pass 1 too, not only from the start of pass 2.
    OptionRow{'r', "", V::none, IN_PLACE, "", "enable rts/rte post nop", 0, SETS(as.options.rts_nop = as.drv.rts_nop = 1)},
    OptionRow{'q', "", V::none, IN_PLACE, "", "quiet mode", 0, SETS(as.options.quiet = 1)},
    OptionRow{'u', "", V::none, IN_PLACE, "", "unsized opcode mode", 0,
              SETS(as.options.unsized_mode_default = as.drv.unsized_mode = 1)},
    OptionRow{'x', "", V::attached, IN_PLACE, "<val>", "debug options", 0, SETS(as.options.debug_flags = read_decimal(value))},
    OptionRow{'I', "", V::required, WHOLE_RUN, "<dir>", "search <dir> for include files, before TOBRAINCL", 0, include_dir},
    OptionRow{'D', "", V::required, WHOLE_RUN, "<sym>",
              "define <sym> as 1 before the first line; -D<sym>=<expr>: as <expr>", 0, define_symbol},
    OptionRow{0, "output", V::required, WHOLE_RUN, " <file>", "write the output to <file>", 0,
              SETS(as.options.output_path = value)},
    OptionRow{0, "listing", V::required, WHOLE_RUN, " <file>", "write the listing to <file>", 0,
              SETS(as.options.listing_path = value; as.options.listing_enabled = 1)},
    OptionRow{0, "map", V::required, WHOLE_RUN, " <file>", "write the symbols sorted by value to <file>", 0,
              SETS(as.options.map_path = value)},
    OptionRow{0, "deps", V::required, WHOLE_RUN, " <file>", "write a make rule of the files read to <file>", 0,
              SETS(as.options.deps_path = value)},
    OptionRow{0, "no-output", V::none, WHOLE_RUN, "", "check the sources without writing an output file", 0,
              SETS(as.options.no_output = 1)},
    OptionRow{0, "fatal-warnings", V::none, WHOLE_RUN, "", "count warnings as errors", 0,
              SETS(as.options.fatal_warnings = true)},
    OptionRow{0, "packed-strings", V::none, WHOLE_RUN, "", "pack the characters of dc.w and dc.l strings into items", 0,
              SETS(as.options.packed_strings = true)},
    OptionRow{0, "diagnostics", V::required, WHOLE_RUN, "=STYLE",
              "messages on stderr: gnu (file:line: error: text), json or sarif", 0,
              set_diagnostics},
    OptionRow{0, "elf", V::none, WHOLE_RUN, "", "write an ELF relocatable object file (-g: with a line table)", FORMAT_ELF,
              nullptr},
    OptionRow{0, "ihex", V::none, WHOLE_RUN, "", "write Intel HEX records", FORMAT_IHEX, nullptr},
    OptionRow{0, "explain", V::required, WHOLE_RUN, " <line>", "explain the line: its encoding and the parts that take it", 0,
              SETS(as.options.explain_line = value; as.drv.run_kind = RunKind::explain)},
    OptionRow{0, "help", V::none, WHOLE_RUN, "", "print this text", 0, SETS(as.drv.run_kind = RunKind::help)},
    OptionRow{0, "version", V::none, WHOLE_RUN, "", "print the name and version", 0,
              SETS(as.drv.run_kind = RunKind::version)},
};
// clang-format on
#undef SETS

// The width of the usage text's option column, for letters and long names.
constexpr int LETTER_COLUMN = 8;
constexpr int LONG_COLUMN = 22;

// Each row is a letter or a long name, never both and never twice; it asks
// for an output or sets something, not both; only a letter can act in its
// place, since pass 1 finds those by their letter; and its usage heading fits
// the column.
constexpr bool rows_are_sound() {
    for (size_t i = 0; i < option_rows.size(); ++i) {
        const OptionRow& r = option_rows[i];
        if ((r.letter != 0) == !r.name.empty()) return false;
        const size_t head = (r.letter ? 2 : 2 + r.name.size()) + std::string_view(r.usage_value).size();
        if (head > static_cast<size_t>(r.letter ? LETTER_COLUMN : LONG_COLUMN)) return false;
        if ((r.format != 0) == (r.apply != nullptr)) return false;
        if (r.time == OptionTime::in_place && r.letter == 0) return false;
        for (size_t j = 0; j < i; ++j) {
            if (r.letter != 0 && option_rows[j].letter == r.letter) return false;
            if (!r.name.empty() && option_rows[j].name == r.name) return false;
        }
    }
    return true;
}
static_assert(rows_are_sound());

const OptionRow* find_letter_option(char letter) {
    for (const OptionRow& row : option_rows)
        if (row.letter != 0 && row.letter == letter) return &row;
    return nullptr;
}

const OptionRow* find_long_option(std::string_view name) {
    for (const OptionRow& row : option_rows)
        if (!row.name.empty() && row.name == name) return &row;
    return nullptr;
}

const OptionRow* option_asking_for(int format) {
    for (const OptionRow& row : option_rows)
        if (row.format == format) return &row;
    return nullptr;
}

// The row's effect; the message for a value it does not take, else empty.
std::string apply_option(Assembler& as, const OptionRow& row, std::string_view value) {
    if (row.format) {
        ask_output_format(as.options, row.format, true);
        return {};
    }
    const char* problem = row.apply(as, value);
    if (!problem) return {};
    return "flags: " + option_spelling(row) + " " + problem + " " + std::string(value);
}

} // namespace

std::span<const OptionRow> command_line_options() { return option_rows; }

std::string option_spelling(const OptionRow& row) {
    return row.letter ? std::string{'-', row.letter} : "--" + std::string(row.name);
}

void Driver::usage(const char* program) {
    Console& con = as.con;
    con.write(BANNER);
    con.write(MAKER_NOTICE);
    con.print("Usage  : %s [ -options ] [ files... ]\n", program);
    const char* lead = "Options: ";
    for (const OptionRow& row : option_rows) {
        const std::string head = option_spelling(row) + row.usage_value;
        con.print("%s%-*s %s\n", lead, row.letter ? LETTER_COLUMN : LONG_COLUMN, head.c_str(), row.help);
        lead = "         ";
    }
    // The names straight from the core table, a few to the line.
    std::string names = core_names();
    lead = "Cores  : ";
    size_t start = 0;
    while (start < names.size()) {
        size_t end = start + 60 < names.size() ? names.rfind(' ', start + 60) : names.size();
        con.print("%s%.*s\n", lead, static_cast<int>(end - start), names.data() + start);
        lead = "         ";
        start = end + 1;
    }
}

void Driver::parse_option(const char* arg, const char* value) {
    // read_command_line keeps only the letters of in-place rows and the
    // options no row knows.
    const OptionRow* row = arg[1] != '-' ? find_letter_option(arg[1]) : nullptr;
    if (!row) {
        as.report_error_arg(msg::FLAGS_UNRECOGNIZED_FLAG_FMT, arg + 1);
        return;
    }
    const std::string problem = apply_option(as, *row, value ? value : arg + 2);
    if (!problem.empty()) as.report_error_arg(msg::AS_GIVEN_FMT, problem.c_str());
}

RunKind Driver::read_command_line(int argc, const char* const* argv) {
    Options& o = as.options;
    arguments.clear();
    run_kind = RunKind::assemble;
    // Reported once every option is in, so that --diagnostics applies to
    // messages about options before it.
    std::vector<std::string> problems;
    bool options_end = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options_end || arg[0] != '-') {
            arguments.push_back({Argument::SOURCE, arg});
            continue;
        }
        if (arg[1] == '-' && arg[2] == '\0') {
            options_end = true;  // every argument after -- is a file
            continue;
        }
        const bool is_long = arg[1] == '-';
        const OptionRow* row = nullptr;
        std::optional<std::string_view> attached;  // a value in the argument itself
        if (is_long) {
            const std::string_view body(arg + 2);
            const size_t eq = body.find('=');
            row = find_long_option(body.substr(0, eq));
            if (eq != std::string_view::npos) attached = body.substr(eq + 1);
        } else if (arg[1] != '\0') {
            row = find_letter_option(arg[1]);
            if (arg[2] != '\0') attached = arg + 2;
        }
        if (!row) {
            // Reported in its place in pass 1, as any unknown option is.
            arguments.push_back({Argument::LETTER, arg});
            continue;
        }
        if (row->time == OptionTime::in_place) {
            const bool takes_next = row->value == OptionValue::attached_or_next && !attached && i + 1 < argc;
            arguments.push_back({Argument::LETTER, arg, takes_next ? argv[++i] : nullptr});
            continue;
        }
        const std::string option = option_spelling(*row);
        std::string_view value = attached.value_or(std::string_view{});
        if (row->value == OptionValue::none) {
            if (attached && is_long) {
                problems.push_back("flags: " + option + " takes no value");
                continue;
            }
        } else if (!attached && row->value != OptionValue::attached && i + 1 < argc) {
            // An option's value may be the next argument, whatever it looks like.
            value = argv[++i];
        }
        if (row->value == OptionValue::required && value.empty()) {
            problems.push_back("flags: " + option + " needs a value");
            continue;
        }
        std::string problem = apply_option(as, *row, value);
        if (!problem.empty()) problems.push_back(std::move(problem));
    }

    // Two named files that are one would overwrite each other.
    const std::pair<const char*, const std::string*> named[] = {
        {"--output", &o.output_path}, {"--listing", &o.listing_path}, {"--map", &o.map_path}, {"--deps", &o.deps_path}};
    for (size_t a = 0; a < std::size(named); ++a) {
        for (size_t b = a + 1; b < std::size(named); ++b) {
            if (named[a].second->empty() || named[b].second->empty()) continue;
            std::error_code ec;
            auto resolved = [&](const std::string& p) {
                return std::filesystem::weakly_canonical(std::filesystem::absolute(p, ec), ec);
            };
            if (resolved(*named[a].second) == resolved(*named[b].second))
                problems.push_back(std::string("flags: ") + named[a].first + " and " + named[b].first +
                                   " name the same file");
        }
    }
    for (const std::string& p : problems) as.report_error_arg(msg::AS_GIVEN_FMT, p.c_str());
    return run_kind;
}

// Options that ask for two outputs at once, or for something the chosen output
// cannot carry: settled once every option of pass 1 is in.
void Driver::check_output_options() {
    const Options& o = as.options;
    // Named in the order of their FORMAT_* bits: -o, --elf, -b, --ihex.
    std::string first;
    for (int format = 1; format <= o.command_line_formats; format <<= 1) {
        if (!(o.command_line_formats & format)) continue;
        const std::string name = option_spelling(*option_asking_for(format));
        if (!first.empty())
            as.report_error_arg(msg::FLAGS_FMT, (first + " and " + name + " cannot be used together").c_str());
        else
            first = name;
    }
    if (o.no_output && !o.output_path.empty()) as.report_error(msg::FLAGS_OUTPUT_AND_NO_OUTPUT_CANNOT);
    if (o.debug_lines && !(o.output_formats & FORMAT_ELF))
        as.report_option_warning(msg::FLAGS_G_DOES_NOTHING_WITHOUT_ELF);
}

void Driver::define_command_line_symbols() {
    // Each is the line "NAME equ EXPR", so it takes the equate's rules and
    // messages. It is no global label: local labels at the top of the first
    // file stay as they were.
    SourceReader& src = as.src;
    const std::string saved_global(src.last_global_label());
    for (const std::string& d : as.options.defines) {
        const size_t eq = d.find('=');
        src.set_line(d.substr(0, eq) + " equ " + (eq == std::string::npos ? "1" : d.substr(eq + 1)));
        as.lst.listing_show_address = false;
        if (src.parse_line()) src.process_line();
    }
    src.set_last_global_label(saved_global);
}

} // namespace tobra
