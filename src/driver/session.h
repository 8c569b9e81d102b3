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
    bool collect = true;             // false: diagnostics only (no symbols, macros, includes, lines);
                                     // the command line's path, which then pays nothing for them
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

// other: a name made by a directive that is none of the rest (a structure's
// own name, label, enum, bitdef, lvo, the macro argument count narg), or a
// name used and never made. register_list is kept for sources that could
// name one; the assembler has no directive that does.
enum class NameKind : uint8_t { label, local_label, equate, set, external, register_list, structure_field, other };

// Every name of the symbol table in order of creation (register names left
// out), then the names used and never defined, by name.
struct SymbolInfo {
    std::string name;    // as written; a local label qualified as the assembler keeps it
    NameKind kind = NameKind::other;
    bool defined = false; // false: declared by xref only, or never made
    int32_t value = 0;
    std::string section; // empty: absolute (equates, fields) or external
    bool exported = false; // named by xdef
    // Where it was made first: the name on its line (a label in column 1, a
    // name among the operands); -D names have no file. Made inside a macro
    // expansion: the call line, columns 0, 0 unless the name is written there.
    SourceSpan definition;
    // One per line that uses it, at the first place the name is written in
    // the operands, in the order assembled. A use inside a macro expansion
    // is recorded at the call line (columns 0, 0 unless written there).
    std::vector<SourceSpan> references;
};

struct MacroInfo {
    std::string name;            // as its definition writes it
    SourceSpan definition;       // the line that opens it, at the name
    std::vector<SourceSpan> calls; // lines of the files that call it, at the mnemonic (not calls inside expansions)
};

struct IncludeInfo {
    SourceSpan at;               // the include (or incbin) line, at the name
    std::string written;         // the name as written
    std::string path;            // where it was found (a buffer counts); empty: not found
};

// One source line of the files themselves (not of expansions), in the order
// assembled (an include line after the lines of its file): where it put its
// bytes. A macro call line has the bytes of its expansion. Lines that emit
// nothing have no bytes, nor does space in a section without bytes (a ds in
// bss); a ds elsewhere has the zeros it writes. Lines that set no location
// (equates, comments, a section change) have has_address false. Only pass 2
// emits: when an error stops the run after pass 1, there are no lines.
struct LineInfo {
    std::string file;            // the path the file was read at
    long line = 0;
    bool has_address = false;
    uint32_t address = 0;        // where the line starts
    std::string section;         // the section's name (code, data, bss, or one an ELF source names)
    std::vector<uint8_t> bytes;
};

struct AssemblyResult {
    int exit_code = 0;           // as the program's: the error count, or 1.. on a fatal error
    std::vector<DiagnosticRecord> diagnostics; // when hold_diagnostics is set
    std::vector<SymbolInfo> symbols;
    std::vector<MacroInfo> macros;
    std::vector<IncludeInfo> includes;
    std::vector<LineInfo> lines;
    std::string console;         // what the program prints on standard output (banner, closing line)
    std::vector<uint8_t> output; // the output file's bytes when write_files is false
};

AssemblyResult assemble(const AssemblyRequest& request);

} // namespace tobra
