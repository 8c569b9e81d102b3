// Command line and the two passes.
#include "driver/driver.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "driver/assembler.h"
#include "isa/registers.h"

namespace tobra {

// Leading signed decimal digits; no number reads as 0; clamped instead of overflowing.
static long read_decimal(const char* text) {
    errno = 0;
    long v = std::strtol(text, nullptr, 10);
    return v;
}

void Driver::parse_option(const char* arg, const char* value) {
    Options& o = as.options;
    switch (arg[1]) {
    case 'a': {
        long n = read_decimal(arg + 2);
        if (n < FWD_DEFAULT_SIZE) {
            char text[64];
            std::snprintf(text, sizeof text, "forward reference size too small (<%ld)", FWD_DEFAULT_SIZE);
            as.report_option_warning(text);
            n = FWD_DEFAULT_SIZE;
        }
        as.fwd.alloc_fwd(n);
        break;
    }
    case 'b':
        o.binary_output = 1;
        o.command_line_formats |= FORMAT_BINARY;
        break;
    case 'c':
        // A name mistyped on the command line is easiest mended from the list.
        if (!as.core.select_core(value ? value : arg + 2))
            as.report_note(("cpu: valid cores: " + core_names()).c_str());
        as.core.keep_as_pass_start();
        break;
    case 'd': o.local_dot_labels = 0; break;
    case 'f': o.forward_branch_size = 1; break;
    case 'g': o.debug_lines = 1; break;
    case 'l': o.listing_enabled = 1; break;
    case 'n': o.incbin_auto_align = 0; break;
    case 'o':
        o.object_output = 1;
        o.command_line_formats |= FORMAT_OBJECT;
        break;
    case 'q': o.quiet = 1; break;
    // Like every option, -r and -u act from here on in pass 1 too, not only
    // from the start of pass 2.
    case 'r': o.rts_nop = rts_nop = 1; break;
    case 'u': o.unsized_mode_default = unsized_mode = 1; break;
    case 'x': o.debug_flags = read_decimal(arg + 2); break;
    default: as.report_error_arg("flags: unrecognized flag -%s", arg + 1); break;
    }
}

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
    as.src.set_last_global_label({});
    as.dir.reset_pass();
    as.rec.reset_pass();
    as.mac.reset_pass();
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

void Driver::note_moved_line() {
    moved_file_ = current_file_name;
    moved_line_ = line_number;
}

// Labels catch most differences between the passes; a line that changed its
// length with no label after it would still shift the section sizes that the
// object file and the image rely on.
void Driver::check_section_sizes() {
    for (int sec = 0; sec < section_count() && error_count == 0; ++sec) {
        if (as.emit.pass2_size[sec] == section_size[sec]) continue;
        // Where it shows first: the first line that moved, else the last line,
        // whose own length must then be the one that changed.
        std::string saved_file = std::move(current_file_name);
        const long saved_line = line_number;
        current_file_name = moved_line_ != 0 ? moved_file_ : last_file_;
        line_number = moved_line_ != 0 ? moved_line_ : last_line_;
        as.report_error("pass: section size differs between passes");
        current_file_name = std::move(saved_file);
        line_number = saved_line;
        return;
    }
}

// Options that ask for two outputs at once, or for something the chosen output
// cannot carry: settled once every option of pass 1 is in.
void Driver::check_output_options() {
    const Options& o = as.options;
    const std::pair<const char*, int> formats[] = {
        {"-o", FORMAT_OBJECT}, {"--elf", FORMAT_ELF}, {"-b", FORMAT_BINARY}, {"--ihex", FORMAT_IHEX}};
    const char* first = nullptr;
    for (const auto& [name, bit] : formats) {
        if (!(o.command_line_formats & bit)) continue;
        if (first)
            as.report_error_arg("flags: %s", (std::string(first) + " and " + name + " cannot be used together").c_str());
        else
            first = name;
    }
    if (o.no_output && !o.output_path.empty()) as.report_error("flags: --output and --no-output cannot be used together");
    if (o.debug_lines && !o.elf_output) as.report_option_warning("flags: -g does nothing without --elf");
}

// end ends the file it is in (and the files that file is included from):
// each file named on the command line is read, whatever an earlier one did.
void Driver::assemble_source(const char* name) {
    end_seen = 0;
    as.src.assemble_file(name);
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
            as.con.flush();
            return 0;
        case RunKind::version:
            as.con.print("tobra %.*s\n", static_cast<int>(VERSION.size()), VERSION.data());
            as.con.write(MAKER_NOTICE);
            as.con.flush();
            return 0;
        case RunKind::assemble:
            break;
        }
        as.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
        as.sym.install_reserved();
        reset_pass();
        define_command_line_symbols();

        for (const Argument& arg : arguments) {
            if (arg.kind == Argument::LETTER)
                parse_option(arg.text, arg.value);
            else
                assemble_source(arg.text);
        }
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
            check_section_sizes();
            if (error_count == 0) as.emit.check_ranges();
            if (opened) {
                // The side files are complete before the output is, and take
                // their names after it: a failure on the way leaves none.
                if (error_count == 0) as.side.prepare();
                as.emit.finish_output(error_count == 0);
                if (error_count == 0) {
                    as.side.commit();
                    produced = true;
                }
            }
        }
        as.side.finish_run(!produced && error_count != 0);
    } catch (const FatalError&) {
        // A half-written output must not be left behind for a build tool to take.
        as.emit.discard_output();
        as.side.finish_run(true);
        as.err.flush();
        as.con.flush();
        return 255;
    }

    if (as.options.debug_flags & DBG_DUMPS) {
        dump_reserved(as);
        as.scan.dump_composite();
        as.scan.dump_legal();
        as.sym.symbol_distribution();
    }
    // Messages on standard error come out before the closing line.
    as.err.flush();
    if (!as.options.quiet) {
        if (error_count != 0)
            as.con.print("%ld error(s) found\n", error_count);
        else
            as.con.write("Assembly successful.\n");
    }
    as.con.flush();
    // 256 errors must never read as success.
    return error_count > 255 ? 255 : static_cast<int>(error_count);
}

} // namespace tobra
