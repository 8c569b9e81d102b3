// libFuzzer entry point: assembles one byte buffer twice in process, once with
// pass 2 replaying what pass 1 kept of each line (and pass 1 taking plain
// lines from the look-ahead thread) and once assembling every line again
// from its text, and stops at the first input where the two runs
// differ in anything a user sees: exit status, output bytes, diagnostics
// (with their codes and columns), console text (listing included) and the
// side files. Options come from the first byte as in fuzz_assemble; the
// input's length picks how diagnostics are delivered, whether the side
// files are made and whether a second source follows an option, so mutation
// covers each way.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/assembler.h"
#include "fuzz_options.h"

namespace {

struct Outcome {
    int status = 0;
    std::string output, console, errors, listing, map, deps;
    std::vector<tobra::DiagnosticRecord> diagnostics;
};

Outcome assemble(const uint8_t* data, size_t size, bool line_records) {
    const uint8_t mode = size ? data[0] : 0;
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_only = true;
    as.memory_output_limit = 16u << 20;  // a valid "ds.l 250000000" must not stall the run
    // Nor a valid "rept 10000000". Expanded lines never come from records,
    // so a lower limit than fuzz_assemble's costs nothing here and keeps an
    // input of deep expansions, assembled twice, within the time limit.
    as.mac.line_limit = 1 << 16;
    as.line_records = line_records;
    // The run with records also takes plain lines from the look-ahead
    // thread, whatever the input's size: every other length with each line
    // checked against the line assembled here (an abort on a difference),
    // the rest taken as they come.
    if (line_records) {
        as.look_ahead_size = 0;
        as.check_look_ahead = (size & 16) != 0;
    }
    // Held: every diagnostic as a record (code, columns, expansion frames);
    // printed: the text form, interleaved with the listing on the console.
    as.hold_diagnostics = (size & 1) != 0;
    as.memory_files["f.s"] = std::string(reinterpret_cast<const char*>(data), size);
    as.memory_files["inc.i"] = " nop\nincl: dc.l incl\n";
    std::vector<const char*> argv{"tobra"};
    // A listing run takes no line from the records: the listing bit lists
    // only every other length, so that most inputs reach the replay.
    const bool listing = (mode & 1) && (size & 8);
    if (listing) argv.push_back("-l");
    tobra::fuzz::push_mode_options(argv, mode);
    if (size & 2) {
        argv.push_back("--map=f.map");
        argv.push_back("--deps=f.d");
        if (listing) argv.push_back("--listing=f.lst");
    }
    argv.push_back("f.s");
    if (size & 4) {
        // A second source after an option: single-letter options act in
        // command-line order in pass 1 and are kept for pass 2, so f.s is
        // read under other options in the two passes.
        static const char* const later[] = {"-f", "-u", "-d", "-r", "-c5208", "-c5485"};
        argv.push_back(later[(size >> 3) % 6]);
        argv.push_back("inc.i");
    }
    Outcome out;
    out.status = as.run(static_cast<int>(argv.size()), argv.data());
    // TOBRA_FUZZ_STATS set: one line per input, to see how much of a corpus
    // reaches pass 2 with lines taken from their records.
    if (line_records && std::getenv("TOBRA_FUZZ_STATS"))
        std::fprintf(stderr, "fuzz_replay: exit %d, %llu lines replayed\n", out.status,
                     static_cast<unsigned long long>(as.replay.replayed()));
    as.con.flush();
    as.err.flush();
    out.output = as.emit.output_data;
    out.console = as.con.captured();
    out.errors = as.err.captured();
    out.listing = as.side.listing_text;
    out.map = as.side.map_text;
    out.deps = as.side.deps_text;
    out.diagnostics = std::move(as.held_diagnostics);
    return out;
}

bool same_frames(const std::vector<tobra::ExpansionFrame>& a, const std::vector<tobra::ExpansionFrame>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].macro != b[i].macro || a[i].name != b[i].name || a[i].repetition != b[i].repetition ||
            a[i].body_line != b[i].body_line)
            return false;
    return true;
}

bool same(const tobra::DiagnosticRecord& a, const tobra::DiagnosticRecord& b) {
    return a.severity == b.severity && a.code == b.code && a.text == b.text && a.located == b.located &&
           a.file == b.file && a.path == b.path && a.line == b.line && a.begin_column == b.begin_column &&
           a.end_column == b.end_column && same_frames(a.context, b.context);
}

[[noreturn]] void differ(const char* what) {
    std::fprintf(stderr, "fuzz_replay: the two ways of pass 2 differ in %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Outcome replayed = assemble(data, size, true);
    const Outcome full = assemble(data, size, false);
    if (replayed.status != full.status) differ("the exit status");
    if (replayed.output != full.output) differ("the output bytes");
    if (replayed.console != full.console) differ("standard output");
    if (replayed.errors != full.errors) differ("standard error");
    if (replayed.listing != full.listing) differ("the listing file");
    if (replayed.map != full.map) differ("the map file");
    if (replayed.deps != full.deps) differ("the dependency file");
    if (replayed.diagnostics.size() != full.diagnostics.size()) differ("the number of diagnostics");
    for (size_t i = 0; i < full.diagnostics.size(); ++i)
        if (!same(replayed.diagnostics[i], full.diagnostics[i])) differ("a diagnostic");
    return 0;
}
