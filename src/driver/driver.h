// Command line, the two passes and the driver state every other part reads.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "driver/large_memory.h"
#include "driver/location.h"

namespace tobra {

class Assembler;

inline constexpr const char* BANNER = "tobra ColdFire Assembler version 2.64 (04 Mar 2004)\n";
inline constexpr const char* MAKER_NOTICE = "Copyright (c) the tobra developers. Free software, no warranty.\n";
// What --version reports; the banner must carry the same number.
inline constexpr std::string_view VERSION = "2.64";
static_assert(std::string_view(BANNER).find(VERSION) != std::string_view::npos);

// How diagnostics are written: the program's own "file,line: text" on standard
// output, or "file:line: error: text" on standard error as editors and CI read it;
// or for programs, on standard error: one JSON object a line, or one SARIF log
// at the end of the run.
enum class DiagnosticStyle : uint8_t { native, gnu, json, sarif };

// Set by the command line (and some by the opt directive); never reset between passes.
struct Options {
    int listing_enabled = 0;
    int rts_nop = 0;
    long debug_flags = 0;
    int quiet = 0;
    int local_dot_labels = 1;
    int incbin_auto_align = 1;
    int forward_branch_size = 2;
    int unsized_mode_default = 0;
    int debug_lines = 0;  // -g: a line table in the ELF object
    int no_output = 0;    // --no-output: check the sources, write no output file
    // The output formats asked for so far, by the command line and by opt
    // object and opt binary: FORMAT_* bits, set only by ask_output_format
    // (output/formats.cpp), which settles the two fields below with them.
    int output_formats = 0;
    // Those the command line itself asked for (opt object and opt binary in
    // a source keep their precedence).
    int command_line_formats = 0;
    // What the format chosen so far is, read wherever the output matters:
    // an object file a linker places (labels relocatable, org refused, fixups
    // kept), and one that holds sections of any name with their alignments.
    bool relocatable_output = false;
    bool named_sections = false;

    // Settled from the whole command line before pass 1, wherever they stand.
    std::string output_path;                 // --output; empty: named after the first source
    std::string listing_path;                // --listing
    std::string map_path;                    // --map
    std::string deps_path;                   // --deps
    std::vector<std::string> include_dirs;   // -I, in order, each ending in '/'
    std::vector<std::string> defines;        // -D, checked: NAME or NAME=EXPR
    bool fatal_warnings = false;
    bool packed_strings = false;             // --packed-strings
    DiagnosticStyle diagnostics = DiagnosticStyle::native;
    std::string explain_line;                // --explain: the line to explain instead of assembling
};

// One argument as the passes walk it: a source file, or a single-letter
// option applied in its place in pass 1. Long options, -I and -D are applied
// before pass 1 and leave no entry.
struct Argument {
    enum Kind : uint8_t { SOURCE, LETTER };
    Kind kind;
    const char* text;
    const char* value = nullptr;  // a lone -c: the core named by the next argument
};

enum class RunKind : uint8_t { assemble, help, version, explain };

// Debug bits of -x<val>.
inline constexpr long DBG_PARSE = 0x01;
inline constexpr long DBG_MATCH = 0x02;
inline constexpr long DBG_EVAL = 0x04;
inline constexpr long DBG_INSTALL = 0x08;
inline constexpr long DBG_DUMPS = 0x40;

inline constexpr int FORMAT_OBJECT = 1, FORMAT_ELF = 2, FORMAT_BINARY = 4, FORMAT_IHEX = 8;

inline constexpr int CONDITION_DEPTH = 256;

// What a section holds: stored bytes of code or data, or only a size (bss).
enum class SectionKind : uint8_t { code, data, bss };

// A section of the program. The five built-in ones come first, numbered as
// Section (isa/classes.h) numbers them; the sections an ELF source names
// follow in the order of their first use.
struct SectionInfo {
    std::string name;  // the built-in ones by their keyword: code, data, ...
    SectionKind kind;
};
inline constexpr int BUILTIN_SECTIONS = 5;
// Section numbers are kept in a byte (a symbol's section, an operand's
// sym_section), and what each section needs while bytes are emitted sits in
// arrays of this size, which keeps the emitter's indexing as cheap as it was.
inline constexpr int SECTION_SLOTS = 256;
inline constexpr int NAMED_SECTION_LIMIT = SECTION_SLOTS - BUILTIN_SECTIONS;

class Driver {
public:
    explicit Driver(Assembler& assembler) : as(assembler) {}

    // The whole run over the argument vector; returns the process exit code.
    int run(int argc, const char* const* argv);
    // Ends a run that cannot go on: no output is left, the diagnostics are
    // finished; returns the exit code.
    int abandon_run();
    // After the outputs took their names: the run failed all the same (what
    // it printed was lost), so they are removed; returns the exit code.
    int withdraw_output();
    // Sorts the arguments into sources and single-letter options and applies
    // the rest (driver/cmdline.cpp); errors are counted as usual.
    RunKind read_command_line(int argc, const char* const* argv);
    // A single-letter option in its place in pass 1 (driver/cmdline.cpp);
    // value: the separate argument taken by a lone -c.
    void parse_option(const char* arg, const char* value = nullptr);
    void reset_pass();
    // Printed on standard output when the program is started without arguments, and by --help.
    void usage(const char* program);
    // The -D symbols, as equates ahead of the first source line of a pass.
    void define_command_line_symbols();
    // After pass 1: output options that contradict each other or do nothing.
    void check_output_options();

    std::vector<Argument> arguments;
    RunKind run_kind = RunKind::assemble;

    int pass_number = 1;
    long error_count = 0;
    int32_t location_counter = 0;
    // Encodings that read the distance from their own place: a change shows
    // that the line's bytes depend on where it stands.
    uint32_t place_reads = 0;
    int32_t line_start_address = 0;
    int current_section = 0;
    // Indexed by section number. The sections and their sizes, counted in
    // pass 1, stay for the whole run; the resume addresses start each pass at 0.
    std::vector<SectionInfo> sections = builtin_sections();
    int32_t section_size[SECTION_SLOTS] = {};
    int32_t section_resume_address[SECTION_SLOTS] = {};
    int section_count() const { return static_cast<int>(sections.size()); }
    int32_t section_base = 0;
    int32_t flush_address = 0;
    int origin_set = 0;
    int end_seen = 0;  // end was read: the rest of this command-line file is not
    std::string include_directory;
    std::string environment_include_directory;
    uint8_t condition_stack[CONDITION_DEPTH] = {0xFF};
    int condition_level = 0;
    int unsized_mode = 0;
    int muldiv_warning = 1;  // this pass: warn at a file's first unsized mulu/muls/divu/divs (opt nomuldivwarn)
    int rts_nop = 0;  // this pass: -r, or opt rtxnop from the source so far
    bool packed_strings = false;  // this pass: --packed-strings, or opt packedstrings so far
    int32_t optimise_flags = -1;

    // The number of the section a source named, or -1 before its first use.
    int find_named_section(std::string_view name) const {
        auto it = named_sections_.find(std::string(name));
        return it == named_sections_.end() ? -1 : it->second;
    }
    // A new named section, resumed at 0; -1 when NAMED_SECTION_LIMIT is reached.
    int add_named_section(std::string_view name, SectionKind kind);
    bool section_holds_bytes(int section) const {
        return sections[static_cast<size_t>(section)].kind != SectionKind::bss;
    }

    // Whether the innermost conditional block is being assembled.
    bool assembling() const { return condition_stack[condition_level] != 0; }

    // The files read this run, each numbered once (the same number in both
    // passes); a location names its file by that number. The name is the
    // path the file was read at, or the name it was asked by when not found.
    // Once per file; kept out of line so the file's line loop stays small.
    [[gnu::noinline]] uint32_t intern_file(const std::string& name);
    const std::string& file_name(uint32_t file) const { return files_[file]; }

    // Called for every processed line once line_start_address is set, with
    // the line's location. Pass 1 keeps the address of each line; pass 2 notes
    // the first line that starts elsewhere, which is where a difference in
    // section sizes shows first. Each line keeps one byte, its distance from
    // the line before; a distance that needs more (a large block, an org, a
    // section change) is kept whole beside it.
    [[gnu::always_inline]] void note_line_address(const SourceLocation& at) {
        const uint32_t step = static_cast<uint32_t>(line_start_address) - static_cast<uint32_t>(previous_line_address_);
        previous_line_address_ = line_start_address;
        if (pass_number == 1) {
            line_steps_.push_back(step < WIDE_STEP ? static_cast<uint8_t>(step) : WIDE_STEP);
            if (step >= WIDE_STEP) wide_steps_.push_back(step);
            return;
        }
        last_line_ = at;
        if (moved_line_.line != 0) return;
        const size_t i = line_index_++;
        if (i >= line_steps_.size()) {
            moved_line_ = at;
        } else if (line_steps_[i] != WIDE_STEP) {
            if (step != line_steps_[i]) moved_line_ = at;
        } else if (wide_index_ >= wide_steps_.size() || wide_steps_[wide_index_++] != step) {
            moved_line_ = at;
        }
    }

    // Pass 2, for n lines taken from their records, each right after the
    // line before it was: all start where they did in pass 1, so their
    // steps are pass 1's (none of them wide). at is the last.
    void note_lines_in_step(const SourceLocation& at, size_t n) {
        previous_line_address_ = line_start_address;
        last_line_ = at;
        if (moved_line_.line == 0) line_index_ += n;
    }

private:
    static std::vector<SectionInfo> builtin_sections();
    // One file named on the command line, from its first line.
    void assemble_source(const char* name);
    // The section-size check: reported at the first line that moved.
    void check_section_sizes();

    static constexpr uint8_t WIDE_STEP = 0xFF;
    // A byte for each line of pass 1: appending is a compare and a store.
    GrowingArray<uint8_t> line_steps_;
    std::vector<uint32_t> wide_steps_;
    int32_t previous_line_address_ = 0;
    size_t line_index_ = 0;
    size_t wide_index_ = 0;
    SourceLocation moved_line_;  // first line of pass 2 at another address; line 0: none
    SourceLocation last_line_;   // the last line processed, for a difference that no later line shows
    std::vector<std::string> files_{std::string()};
    std::unordered_map<std::string, uint32_t> file_numbers_;
    std::unordered_map<std::string, int> named_sections_;
    Assembler& as;
};

} // namespace tobra
