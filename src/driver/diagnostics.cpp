// The five reporting operations: location, text, counting, suppression.
#include "driver/assembler.h"

namespace tobra {

Assembler::Assembler(std::FILE* console_sink)
    : con(console_sink), drv(*this), src(*this), sym(*this), ev(*this), fwd(*this), scan(*this),
      core(*this), enc(*this), dir(*this), rec(*this), emit(*this), lst(*this) {}

void Assembler::print_location() {
    if (at_no_source_line_)
        con.write("?,0: ");
    else
        con.print("%s,%ld: ", drv.current_file_name.c_str(), drv.line_number);
}

void Assembler::fatal_error(const char* message) {
    print_location();
    con.print("%s\n", message);
    throw FatalError{};
}

void Assembler::report_error(const char* message) {
    if (silenced()) return;
    print_location();
    con.print("%s\n", message);
    ++drv.error_count;
}

// Formats carry exactly one %s; they are filled by hand so that a stray
// conversion in a message can never read a missing argument.
static void fill_format(Console& con, const char* format, const char* text) {
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            con.write(text);
            ++p;
        } else {
            con.put(*p);
        }
    }
}

void Assembler::report_error_arg(const char* format, const char* text) {
    if (silenced()) return;
    print_location();
    fill_format(con, format, text);
    con.put('\n');
    ++drv.error_count;
}

void Assembler::report_warning(const char* message) {
    if (drv.pass_number != 2 || silenced()) return;
    print_location();
    con.print("warning --- %s\n", message);
}

void Assembler::report_warning_arg(const char* format, const char* text) {
    if (drv.pass_number != 2 || silenced()) return;
    print_location();
    con.write("warning --- ");
    fill_format(con, format, text);
    con.put('\n');
}

} // namespace tobra
