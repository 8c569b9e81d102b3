// The command line: the usage text, the long options, -I and -D.
//
// Single-letter options act where they stand, in pass 1 (driver.cpp). Long
// options, -I and -D say how the whole run goes, so they are settled before
// pass 1 wherever they stand.
#include <array>
#include <cstring>
#include <filesystem>
#include <string>

#include "driver/assembler.h"

namespace tobra {

namespace {

struct LongOption {
    std::string_view name;
    const char* value_name;  // nullptr: the option takes no value
    const char* help;
    // false: the value is not one the option knows.
    bool (*apply)(Assembler& as, std::string_view value);
};

bool set_diagnostics(Assembler& as, std::string_view value) {
    if (value == "gnu")
        as.options.diagnostics = DiagnosticStyle::gnu;
    else if (value == "native")
        as.options.diagnostics = DiagnosticStyle::native;
    else
        return false;
    return true;
}

// The usage text lists them in this order.
constexpr std::array long_options{
    LongOption{"output", "<file>", "write the output to <file>",
               [](Assembler& as, std::string_view v) {
                   as.options.output_path = v;
                   return true;
               }},
    LongOption{"listing", "<file>", "write the listing to <file>",
               [](Assembler& as, std::string_view v) {
                   as.options.listing_path = v;
                   as.options.listing_enabled = 1;
                   return true;
               }},
    LongOption{"map", "<file>", "write the symbols sorted by value to <file>",
               [](Assembler& as, std::string_view v) {
                   as.options.map_path = v;
                   return true;
               }},
    LongOption{"deps", "<file>", "write a make rule of the files read to <file>",
               [](Assembler& as, std::string_view v) {
                   as.options.deps_path = v;
                   return true;
               }},
    LongOption{"no-output", nullptr, "check the sources without writing an output file",
               [](Assembler& as, std::string_view) {
                   as.options.no_output = 1;
                   return true;
               }},
    LongOption{"fatal-warnings", nullptr, "count warnings as errors",
               [](Assembler& as, std::string_view) {
                   as.options.fatal_warnings = true;
                   return true;
               }},
    LongOption{"packed-strings", nullptr, "pack the characters of dc.w and dc.l strings into items",
               [](Assembler& as, std::string_view) {
                   as.options.packed_strings = true;
                   return true;
               }},
    LongOption{"diagnostics", "gnu", "messages as file:line: error: text on stderr", set_diagnostics},
    // Output formats take their rows here.
    LongOption{"elf", nullptr, "write an ELF relocatable object file (-g: with a line table)",
               [](Assembler& as, std::string_view) {
                   as.options.elf_output = 1;
                   as.options.command_line_formats |= FORMAT_ELF;
                   return true;
               }},
    LongOption{"ihex", nullptr, "write Intel HEX records",
               [](Assembler& as, std::string_view) {
                   as.options.ihex_output = 1;
                   as.options.command_line_formats |= FORMAT_IHEX;
                   return true;
               }},
    LongOption{"help", nullptr, "print this text",
               [](Assembler& as, std::string_view) {
                   as.drv.run_kind = RunKind::help;
                   return true;
               }},
    LongOption{"version", nullptr, "print the name and version",
               [](Assembler& as, std::string_view) {
                   as.drv.run_kind = RunKind::version;
                   return true;
               }},
};

const LongOption* find_long_option(std::string_view name) {
    for (const LongOption& row : long_options)
        if (row.name == name) return &row;
    return nullptr;
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

} // namespace

void Driver::usage(const char* program) {
    Console& con = as.con;
    con.write(BANNER);
    con.write(MAKER_NOTICE);
    con.print("Usage  : %s [ -options ] [ files... ]\n", program);
    con.write("Options: -a<buf>  allocate forward reference buffers\n");
    con.write("         -b       generate binary rom file\n");
    con.write("         -c<core> cpu core selection\n");
    con.write("         -d       turn off local dot labels\n");
    con.write("         -f       forward byte-offset branches\n");
    con.write("         -g       line table for debuggers (with --elf)\n");
    con.write("         -l       listing output enabled\n");
    con.write("         -n       disable incbin auto-alignment\n");
    con.write("         -o       generate object code file\n");
    con.write("         -r       enable rts/rte post nop\n");
    con.write("         -q       quiet mode\n");
    con.write("         -u       unsized opcode mode\n");
    con.write("         -x<val>  debug options\n");
    con.write("         -I<dir>  search <dir> for include files, before TOBRAINCL\n");
    con.write("         -D<sym>  define <sym> as 1 before the first line; -D<sym>=<expr>: as <expr>\n");
    for (const LongOption& row : long_options) {
        std::string head = "--" + std::string(row.name);
        if (row.value_name) head += std::string(row.name == "diagnostics" ? "=" : " ") + row.value_name;
        con.print("         %-22s %s\n", head.c_str(), row.help);
    }
    // The names straight from the core table, a few to the line.
    std::string names = core_names();
    const char* lead = "Cores  : ";
    size_t start = 0;
    while (start < names.size()) {
        size_t end = start + 60 < names.size() ? names.rfind(' ', start + 60) : names.size();
        con.print("%s%.*s\n", lead, static_cast<int>(end - start), names.data() + start);
        lead = "         ";
        start = end + 1;
    }
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
        // An option's value may be the next argument, whatever it looks like.
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (options_end || arg[0] != '-') {
            arguments.push_back({Argument::SOURCE, arg});
        } else if (arg[1] == '-' && arg[2] == '\0') {
            options_end = true;  // every argument after -- is a file
        } else if (arg[1] == '-') {
            std::string_view body(arg + 2);
            const size_t eq = body.find('=');
            const std::string_view name = body.substr(0, eq);
            const LongOption* row = find_long_option(name);
            if (!row) {
                // Reported in its place in pass 1, as any unknown option is.
                arguments.push_back({Argument::LETTER, arg});
                continue;
            }
            const std::string option = "--" + std::string(name);
            std::string_view value;
            if (eq != std::string_view::npos) {
                value = body.substr(eq + 1);
                if (!row->value_name) {
                    problems.push_back("flags: " + option + " takes no value");
                    continue;
                }
            } else if (row->value_name) {
                const char* v = next();
                if (!v) {
                    problems.push_back("flags: " + option + " needs a value");
                    continue;
                }
                value = v;
            }
            if (row->value_name && value.empty())
                problems.push_back("flags: " + option + " needs a value");
            else if (!row->apply(as, value))
                problems.push_back("flags: " + option + " does not take " + std::string(value));
        } else if (arg[1] == 'I' || arg[1] == 'D') {
            const char* v = arg[2] ? arg + 2 : next();
            const std::string option = std::string("-") + arg[1];
            if (!v || !*v) {
                problems.push_back("flags: " + option + " needs a value");
            } else if (arg[1] == 'I') {
                std::string dir(v);
                if (dir.back() != '/') dir += '/';
                o.include_dirs.push_back(std::move(dir));
            } else if (!valid_definition(v)) {
                problems.push_back("flags: -D needs a symbol name: " + std::string(v));
            } else {
                o.defines.emplace_back(v);
            }
        } else if (arg[1] == 'c' && arg[2] == '\0' && i + 1 < argc) {
            arguments.push_back({Argument::LETTER, arg, argv[++i]});
        } else {
            arguments.push_back({Argument::LETTER, arg});
        }
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
    for (const std::string& p : problems) as.report_error_arg("%s", p.c_str());
    return run_kind;
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
