// Assembling as a library: a root source and the usual options in, what an
// editor wants back out. Sources are served from `buffers` (unsaved editor
// text) before the file system is searched, includes too. Nothing is shared
// between two calls: each makes its own Assembler.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "driver/diagnostic_record.h"

namespace tobra {

struct AssemblyRequest {
    std::string root;                // the source to assemble, as a command line names it; empty: none
                                     // added (the command line names its sources itself in `args`)
    std::vector<std::string> args;   // options as on the command line (-c5208, -I dir, -D N=1, --elf ...),
                                     // given before `root`, in order
    std::unordered_map<std::string, std::string> buffers;  // path as named -> text
    bool write_files = false;        // false: nothing is written; the output stays in `output`
    bool collect = true;             // false: diagnostics only (no symbols, references, lines)
    std::string program = "tobra";   // the program's name, as the usage text shows it
    // Where standard output goes (standard error then goes to stderr);
    // nullptr: both are kept, standard output in AssemblyResult::console.
    std::FILE* console = nullptr;
    // true: diagnostics are returned as records and not printed; false: they
    // are printed in the form the options ask for, as the program does.
    bool hold_diagnostics = true;
};

// Where something is written: a file as named, a line from 1, columns in
// characters from 1 with end one past the last (0, 0: the whole line).
struct SourceSpan {
    std::string file;
    long line = 0;
    long begin_column = 0, end_column = 0;
};

enum class NameKind : uint8_t { label, local_label, equate, set, external, register_list, structure_field, other };

struct SymbolInfo {
    std::string name;    // as written; a local label qualified as the assembler keeps it
    NameKind kind = NameKind::other;
    bool defined = false;
    int32_t value = 0;
    std::string section; // empty: absolute
    bool exported = false;
    SourceSpan definition;
    std::vector<SourceSpan> references;
};

struct MacroInfo {
    std::string name;
    SourceSpan definition;       // the line that opens it
    std::vector<SourceSpan> calls;
};

struct IncludeInfo {
    SourceSpan at;               // the include (or incbin) line
    std::string written;         // the name as written
    std::string path;            // where it was found; empty: not found
};

// One source line of the files themselves (not of expansions): where it put
// its bytes. Lines that emit nothing have no bytes; lines that set no
// location (equates, comments) have has_address false.
struct LineInfo {
    std::string file;
    long line = 0;
    bool has_address = false;
    uint32_t address = 0;
    std::string section;
    std::vector<uint8_t> bytes;
};

struct AssemblyResult {
    int exit_code = 0;           // as the program's: the error count, or 1.. on a fatal error
    std::vector<DiagnosticRecord> diagnostics;
    std::vector<SymbolInfo> symbols;
    std::vector<MacroInfo> macros;
    std::vector<IncludeInfo> includes;
    std::vector<LineInfo> lines;
    std::string console;         // what the program prints on standard output (banner, closing line)
    std::vector<uint8_t> output; // the output file's bytes when write_files is false
};

AssemblyResult assemble(const AssemblyRequest& request);

} // namespace tobra
