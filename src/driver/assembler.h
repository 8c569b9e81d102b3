// The assembler context: all state of one run, made of per-subsystem parts.
// A program run creates one; tests, the fuzzer and the benchmark create as
// many as they like in one process.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "directives/directives.h"
#include "directives/records.h"
#include "driver/console.h"
#include "driver/diagnostic_record.h"
#include "driver/driver.h"
#include "driver/line_replay.h"
#include "driver/macros.h"
#include "driver/source.h"
#include "encode/cores.h"
#include "encode/encoder.h"
#include "expr/eval.h"
#include "expr/fwdref.h"
#include "expr/symbols.h"
#include "isa/scanner.h"
#include "output/emit.h"
#include "output/listing.h"
#include "output/object.h"
#include "output/sidefiles.h"
#include "output/srecord.h"

namespace tobra {

// Thrown by fatal_error after the message is printed; caught by Driver::run.
struct FatalError {};

class Collector;

class Assembler {
public:
    // console_sink: where standard output goes; nullptr keeps it in con.captured()
    // and standard error in err.captured().
    explicit Assembler(std::FILE* console_sink = stdout);
    Assembler(const Assembler&) = delete;
    Assembler& operator=(const Assembler&) = delete;

    // The whole run; returns the exit code.
    int run(int argc, const char* const* argv) { return drv.run(argc, argv); }

    // Diagnostics. Every one carries its text's code: a message of the
    // lists, or a text put together at the call with its description's code
    // (Message::with).
    [[noreturn]] void fatal_error(Message message);
    void report_error(Message message);
    void report_error_arg(Message format, const char* text);
    void report_warning(Message message);
    void report_warning_arg(Message format, const char* text);
    // Where the line being assembled is: the file's line, or in an expansion
    // the line the expansion was called from (each frame carries its own).
    SourceLocation here() const { return mac.expanding() ? mac.location() : src.location(); }
    const std::string& file_name(const SourceLocation& at) const { return drv.file_name(at.file); }
    // A message about another line than the one being assembled: a block
    // left open, the line where the passes first differed.
    // body_line: inside an expansion, the line of the innermost body to name
    // instead of the one read last (0: that one).
    void report_error_at(const SourceLocation& at, Message message, size_t body_line = 0);
    void report_warning_at(const SourceLocation& at, Message message);
    // Whether the checks that need final values are made now: in pass 2. In
    // pass 1 a line that reaches one is marked as one whose bytes pass 2
    // makes again, so that the check is made there.
    bool pass2_checks() {
        if (drv.pass_number == 2) return true;
        replay.unsettle();
        return false;
    }
    // When an allocation fails: frees what only saves time (the records of
    // pass 1's lines, its notes of what each name lookup found), so that one
    // more try may succeed; false when there was nothing to free.
    bool free_spare_memory() {
        const bool records = replay.give_back_memory();
        return sym.give_back_notes() || records;
    }
    // A warning about the command line rather than a source line.
    void report_option_warning(Message message);
    // More about the error just reported; not counted.
    void report_note(Message message);
    // With --diagnostics=sarif, writes the log of the run's diagnostics.
    void finish_diagnostics();
    // Where diagnostics are written.
    // Standard error holds only diagnostics as JSON with --diagnostics=json
    // or sarif: text that goes with a message stays on standard output there.
    Console& diag() { return options.diagnostics == DiagnosticStyle::gnu ? err : con; }
    // From here on diagnostics belong to no source line: they point at "?,0",
    // and no conditional block the source left open silences them. For the
    // checks an output writer makes after the last line has been read.
    void leave_source_lines() { at_no_source_line_ = true; }
    bool at_no_source_line() const { return at_no_source_line_; }

    Console con;
    Console err;  // standard error
    Options options;
    Driver drv;
    SourceReader src;
    MacroEngine mac;
    SymbolTable sym;
    Evaluator ev;
    ForwardRefs fwd;
    OperandScanner scan;
    CoreState core;
    Encoder enc;
    Directives dir;
    RecordDirectives rec;
    Emitter emit;
    Listing lst;
    SideFiles side;
    LineReplay replay;

    // false: the output file stays in emit.output_data and nothing is written
    // to disk (in-process tests, the fuzzer, benchmarks).
    bool write_files = true;
    // Source files served from memory before the file system is searched.
    std::unordered_map<std::string, std::string> memory_files;
    // true: only memory_files are read, never the file system (the fuzzer).
    bool memory_only = false;
    // With write_files false, an output larger than this is the fatal write
    // error a full disk would give (keeps the fuzzer's memory bounded).
    size_t memory_output_limit = SIZE_MAX;
    // false: pass 2 assembles every line from its text, keeping nothing of
    // pass 1's lines (the fuzzer compares the two ways).
    bool line_records = true;
    // A file at least this large has its lines encoded ahead on a second
    // thread in pass 1 (driver/ahead.h); check_look_ahead: each line taken
    // from there is assembled here as well, and a difference aborts the run
    // (the tests and the fuzzer set it, with a size of 0).
    uint64_t look_ahead_size = LOOK_AHEAD_SIZE;
    bool check_look_ahead = false;

    // Errors and warnings are dropped while set: an expression evaluated
    // again away from its line, which reports what is wrong with it.
    bool quiet = false;

    // The diagnostics of the run so far, kept for the SARIF log, or for a
    // library caller when hold_diagnostics is set (then nothing is printed).
    std::vector<DiagnosticRecord> held_diagnostics;
    bool hold_diagnostics = false;

    // Set by a library caller that wants names, macros, includes and the
    // lines' bytes collected (driver/collect.h); null on the command line,
    // where each place that would report pays one test.
    Collector* collector = nullptr;

private:
    // Whether errors and warnings are dropped: inside a skipped block.
    bool silenced() const { return quiet || (!at_no_source_line_ && !drv.assembling()); }

    bool at_no_source_line_ = false;
};

} // namespace tobra
