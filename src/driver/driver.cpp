// Command line and the two passes.
#include "driver/driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "driver/assembler.h"
#include "driver/explain.h"
#include "driver/messages.h"
#include "isa/registers.h"

namespace tobra {

void Driver::reset_pass() {
    location_counter = 0;
    current_section = 0;
    for (int32_t& a : section_resume_address) a = 0;
    // Pass-2 data records must never take addresses left over from pass 1.
    flush_address = 0;
    previous_line_address_ = 0;
    end_seen = 0;
    include_directory.clear();
    environment_include_directory.clear();
    if (const char* env = std::getenv("TOBRAINCL")) environment_include_directory.assign(env);
    condition_level = 0;
    condition_stack[0] = 0xFF;
    unsized_mode = as.options.unsized_mode_default;
    muldiv_warning = 1;
    rts_nop = as.options.rts_nop;
    packed_strings = as.options.packed_strings;
    optimise_flags = -1;
    // A local label before the first global one belongs to no global label.
    as.src.restart_global_labels();
    as.dir.reset_pass();
    as.rec.reset_pass();
    as.mac.reset_pass();
    as.replay.begin_pass(pass_number);
    as.emit.follow_output_choice();
}

std::vector<SectionInfo> Driver::builtin_sections() {
    return {{"code", SectionKind::code},
            {"data", SectionKind::data},
            {"bss", SectionKind::bss},
            {"basedata", SectionKind::data},
            {"basebss", SectionKind::bss}};
}

int Driver::add_named_section(std::string_view name, SectionKind kind) {
    if (section_count() >= SECTION_SLOTS) return -1;
    const int number = section_count();
    sections.push_back({std::string(name), kind});
    named_sections_.emplace(std::string(name), number);
    as.emit.add_section(number, kind != SectionKind::bss);
    return number;
}

uint32_t Driver::intern_file(const std::string& name) {
    auto [it, added] = file_numbers_.emplace(name, static_cast<uint32_t>(files_.size()));
    if (added) files_.push_back(name);
    return it->second;
}

// Labels catch most differences between the passes; a line that changed its
// length with no label after it would still shift the section sizes that the
// object file and the image rely on.
void Driver::check_section_sizes() {
    for (int sec = 0; sec < section_count() && error_count == 0; ++sec) {
        if (as.emit.pass2_size[sec] == section_size[sec]) continue;
        // Where it shows first: the first line that moved, else the last line,
        // whose own length must then be the one that changed.
        as.report_error_at(moved_line_.line != 0 ? moved_line_ : last_line_, msg::PASS_SECTION_SIZE_DIFFERS_BETWEEN_PASSES);
        return;
    }
}

// end ends the file it is in (and the files that file is included from):
// each file named on the command line is read, whatever an earlier one did.
void Driver::assemble_source(const char* name) {
    end_seen = 0;
    as.src.assemble_file(name);
}

int Driver::abandon_run() {
    // A half-written output must not be left behind for a build tool to take.
    as.emit.discard_output();
    as.side.finish_run(true);
    as.finish_diagnostics();
    as.err.flush();
    as.con.flush();
    return 255;
}

int Driver::withdraw_output() {
    as.side.finish_run(true);
    as.con.flush();
    return 255;
}

int Driver::run(int argc, const char* const* argv) {
    const char* program = argc > 0 && argv[0] ? argv[0] : "tobra";
    if (argc < 2) {
        usage(program);
        return 1;
    }
    bool produced = false;  // the output and every side file took their names
    try {
        switch (read_command_line(argc, argv)) {
        case RunKind::help:
            usage(program);
            as.finish_diagnostics();
            as.err.flush();
            as.con.flush();
            return 0;
        case RunKind::version:
            as.con.print("tobra %.*s\n", static_cast<int>(VERSION.size()), VERSION.data());
            as.con.write(MAKER_NOTICE);
            as.finish_diagnostics();
            as.err.flush();
            as.con.flush();
            return 0;
        case RunKind::explain: {
            // The explanation is the output; a log of the diagnostics still
            // comes, for a tool that asked for one.
            const int status = run_explain(as);
            as.finish_diagnostics();
            as.err.flush();
            as.con.flush();
            return status;
        }
        case RunKind::assemble:
            break;
        }
        as.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
        as.sym.install_reserved();
        reset_pass();
        define_command_line_symbols();

        bool after_source = false;
        for (const Argument& arg : arguments) {
            if (arg.kind == Argument::LETTER) {
                if (after_source) as.replay.stop_writing();
                parse_option(arg.text, arg.value);
            } else {
                assemble_source(arg.text);
                after_source = true;
            }
        }
        // Options alone (a source name taken as an option's value, an empty
        // list of sources in a build) make nothing: that is no success, and
        // an output of an earlier run must not pass for this one's. The
        // tables -x prints need no source. An option already refused says
        // enough.
        if (!after_source && error_count == 0 && !(as.options.debug_flags & DBG_DUMPS))
            as.report_error(msg::FLAGS_NO_SOURCE_FILE);
        as.dir.finish_equates();
        check_output_options();
        if (error_count == 0) as.side.check_targets();

        if (error_count == 0) {
            pass_number = 2;
            as.emit.reset_for_pass2();
            as.lst.listing_count = 0;
            current_section = 0;
            as.fwd.rewind_fwd();
            as.sym.begin_pass2();
            reset_pass();
            as.side.begin_pass2();
            define_command_line_symbols();

            // Several source files form one program with one output file,
            // named after the first of them.
            bool opened = false;
            for (const Argument& arg : arguments) {
                if (arg.kind != Argument::SOURCE) continue;
                if (!opened) {
                    as.emit.open_output(arg.text);
                    // The output's header names the core the source chose last;
                    // the code starts from the command line's, as in pass 1.
                    as.core.begin_pass();
                    opened = true;
                }
                assemble_source(arg.text);
            }
            // What only saved pass 2 time goes before the output is made,
            // which on a large source needs memory of its own.
            as.replay.end_reading();
            as.sym.forget_notes();
            check_section_sizes();
            if (error_count == 0) as.emit.check_ranges();
            // The listing and the messages are part of what the run makes: when
            // standard output (or standard error, which takes them with
            // --diagnostics) could not take them, the run failed, and leaves
            // no output that a build would take as made.
            const bool err_kept = as.err.flush_and_check(false);
            if (!as.con.flush_and_check(!as.options.quiet) || !err_kept) return abandon_run();
            if (opened) {
                // The side files are complete before the output is, and take
                // their names after it: a failure on the way leaves none.
                if (error_count == 0) as.side.prepare();
                as.emit.finish_output(error_count == 0);
                if (error_count == 0) {
                    as.side.commit();
                    as.emit.output_kept();
                    produced = true;
                }
            }
        }
        as.side.finish_run(!produced && error_count != 0);
    } catch (const FatalError&) {
        return abandon_run();
    } catch (const std::bad_alloc&) {
        // Memory ran out where no smaller way on was left: the run stops at
        // the line it had reached, with the message there.
        as.free_spare_memory();
        try {
            // Between the sources or after them: a message of no line.
            if (as.file_name(as.here()).empty()) as.leave_source_lines();
            as.report_error(msg::PASS_OUT_OF_MEMORY);
        } catch (const std::bad_alloc&) {
            std::fputs("tobra: out of memory\n", stderr);
        }
        try {
            return abandon_run();
        } catch (const std::bad_alloc&) {
            return 255;
        }
    }

    if (as.options.debug_flags & DBG_DUMPS) {
        dump_reserved(as);
        as.scan.dump_composite();
        as.scan.dump_legal();
        as.sym.symbol_distribution();
    }
    // Messages on standard error come out before the closing line.
    as.finish_diagnostics();
    as.err.flush();
    // The log and the closing line are the last of what the run makes: when
    // one is lost the run failed, and the files it made go as on any other
    // failure, or a build would take them as made. A lost log is no success.
    if (produced && as.err.failed()) return withdraw_output();
    if (!as.options.quiet) {
        if (error_count != 0)
            as.con.print("%ld error(s) found\n", error_count);
        else
            as.con.write("Assembly successful.\n");
    }
    as.con.flush();
    if (produced && as.con.failed()) return withdraw_output();
    // 256 errors must never read as success.
    return error_count > 255 ? 255 : static_cast<int>(error_count);
}

} // namespace tobra
