// The reporting operations: location, text, counting, suppression.
#include <string>

#include "driver/assembler.h"

namespace tobra {

Assembler::Assembler(std::FILE* console_sink)
    : con(console_sink), err(console_sink ? stderr : nullptr), drv(*this), src(*this), mac(*this), sym(*this),
      ev(*this), fwd(*this), scan(*this), core(*this), enc(*this), dir(*this), rec(*this), emit(*this), lst(*this),
      side(*this) {}

namespace {

enum class Severity { error, warning, note };

// Formats carry exactly one %s; they are filled by hand so that a stray
// conversion in a message can never read a missing argument.
std::string fill_format(const char* format, const char* text) {
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += text;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// One message in the chosen style. The native style shows the name the file
// was given by; the GNU style shows the path it was found at, so that an
// editor can open it, and leaves out a location there is none of.
// A line the message is about other than the one being assembled, and the
// innermost expansion's body line to name (0: the one read last). One
// argument, so that every argument of write_message goes in a register.
struct Place {
    SourceLocation at;
    size_t body_line;
};

// place: nullptr for the line being assembled.
void write_message(Assembler& as, Severity severity, std::string_view text, bool with_location = true,
                   const Place* place = nullptr) {
    const SourceLocation where = place ? place->at : as.here();
    const size_t body_line = place ? place->body_line : 0;
    const std::string& file = as.file_name(where);
    const long line = where.line;
    if (as.options.diagnostics == DiagnosticStyle::gnu) {
        Console& c = as.err;
        if (!with_location || file.empty() || as.at_no_source_line())
            c.write("tobra: ");
        else if (line == 0)
            c.print("%s: ", file.c_str());
        else
            c.print("%s:%ld: ", file.c_str(), line);
        c.write(severity == Severity::error ? "error: " : severity == Severity::warning ? "warning: " : "note: ");
        if (with_location && as.mac.expanding()) as.mac.print_context(c, body_line);
        // A few message texts bring their own newline; one line per message here.
        while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
        c.write(text);
        c.put('\n');
        return;
    }
    Console& c = as.con;
    if (with_location && as.at_no_source_line()) {
        c.write("?,0: ");
    } else if (with_location) {
        c.print("%s,%ld: ", file.c_str(), line);
        // In an expansion: which macro, and which line of its body.
        if (as.mac.expanding()) as.mac.print_context(c, body_line);
    }
    if (severity == Severity::warning) c.write("warning --- ");
    c.write(text);
    c.put('\n');
}

} // namespace


void Assembler::fatal_error(const char* message) {
    write_message(*this, Severity::error, message);
    throw FatalError{};
}

void Assembler::report_error(const char* message) {
    if (silenced()) return;
    write_message(*this, Severity::error, message);
    ++drv.error_count;
}

void Assembler::report_error_arg(const char* format, const char* text) {
    if (silenced()) return;
    write_message(*this, Severity::error, fill_format(format, text));
    ++drv.error_count;
}

void Assembler::report_warning(const char* message) {
    if (drv.pass_number != 2 || silenced()) return;
    write_message(*this, Severity::warning, message);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_warning_arg(const char* format, const char* text) {
    if (drv.pass_number != 2 || silenced()) return;
    write_message(*this, Severity::warning, fill_format(format, text));
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_error_at(const SourceLocation& at, const char* message, size_t body_line) {
    if (silenced()) return;
    const Place place{at, body_line};
    write_message(*this, Severity::error, message, true, &place);
    ++drv.error_count;
}

void Assembler::report_warning_at(const SourceLocation& at, const char* message) {
    if (drv.pass_number != 2 || silenced()) return;
    const Place place{at, 0};
    write_message(*this, Severity::warning, message, true, &place);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_option_warning(const char* message) {
    write_message(*this, Severity::warning, message, false);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_note(const char* message) { write_message(*this, Severity::note, message, false); }

} // namespace tobra
