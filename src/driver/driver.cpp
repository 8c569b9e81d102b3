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
    con.write("         -l       listing output enabled\n");
    con.write("         -n       disable incbin auto-alignment\n");
    con.write("         -o       generate object code file\n");
    con.write("         -r       enable rts/rte post nop\n");
    con.write("         -q       quiet mode\n");
    con.write("         -u       unsized opcode mode\n");
    con.write("         -x<val>  debug options\n");
}

void Driver::parse_option(const char* arg) {
    Options& o = as.options;
    switch (arg[1]) {
    case 'a': {
        long n = read_decimal(arg + 2);
        if (n < FWD_DEFAULT_SIZE) {
            as.con.print("warning --- forward reference size too small (<%ld)\n", FWD_DEFAULT_SIZE);
            n = FWD_DEFAULT_SIZE;
        }
        as.fwd.alloc_fwd(n);
        break;
    }
    case 'b': o.binary_output = 1; break;
    case 'c':
        as.core.select_core(arg + 2);
        as.core.keep_as_pass_start();
        break;
    case 'd': o.local_dot_labels = 0; break;
    case 'f': o.forward_branch_size = 1; break;
    case 'l': o.listing_enabled = 1; break;
    case 'n': o.incbin_auto_align = 0; break;
    case 'o': o.object_output = 1; break;
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
    end_seen = 0;
    include_directory.clear();
    environment_include_directory.clear();
    if (const char* env = std::getenv("TOBRAINCL")) environment_include_directory.assign(env, strnlen(env, 127));
    condition_level = 0;
    condition_stack[0] = 0xFF;
    unsized_mode = as.options.unsized_mode_default;
    rts_nop = as.options.rts_nop;
    optimise_flags = -1;
    // A local label before the first global one belongs to no global label.
    as.src.last_global_label[0] = '\0';
    as.dir.reset_pass();
    as.rec.reset_pass();
}

void Driver::note_moved_line() {
    moved_file_ = current_file_name;
    moved_line_ = line_number;
}

// Labels catch most differences between the passes; a line that changed its
// length with no label after it would still shift the section sizes that the
// object file and the image rely on.
void Driver::check_section_sizes() {
    for (int sec = 0; sec < 5 && error_count == 0; ++sec) {
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

int Driver::run(int argc, const char* const* argv) {
    if (argc < 2) {
        usage(argc > 0 && argv[0] ? argv[0] : "tobra");
        return 1;
    }
    try {
        as.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
        as.sym.install_reserved();
        reset_pass();

        for (int i = 1; i < argc; ++i) {
            if (argv[i][0] == '-')
                parse_option(argv[i]);
            else
                as.src.assemble_file(argv[i]);
        }

        if (error_count == 0) {
            pass_number = 2;
            as.emit.reset_for_pass2();
            as.lst.listing_count = 0;
            current_section = 0;
            as.fwd.rewind_fwd();
            as.sym.begin_pass2();
            reset_pass();

            // Several source files form one program with one output file,
            // named after the first of them.
            bool opened = false;
            for (int i = 1; i < argc; ++i) {
                if (argv[i][0] == '-') continue;
                if (!opened) {
                    as.emit.open_output(argv[i]);
                    // The output's header names the core the source chose last;
                    // the code starts from the command line's, as in pass 1.
                    as.core.begin_pass();
                    opened = true;
                }
                as.src.assemble_file(argv[i]);
            }
            check_section_sizes();
            if (opened) as.emit.finish_output(error_count == 0);
        }
    } catch (const FatalError&) {
        // A half-written output must not be left behind for a build tool to take.
        as.emit.discard_output();
        as.con.flush();
        return 255;
    }

    if (as.options.debug_flags & DBG_DUMPS) {
        dump_reserved(as);
        as.scan.dump_composite();
        as.scan.dump_legal();
        as.sym.symbol_distribution();
    }
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
