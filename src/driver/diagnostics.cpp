// The reporting operations: location, text, counting, suppression.
#include <cstring>
#include <string>
#include <utility>

#include "driver/assembler.h"
#include "driver/structured_diagnostics.h"

namespace tobra {

Assembler::Assembler(std::FILE* console_sink)
    : con(console_sink), err(console_sink ? stderr : nullptr), drv(*this), src(*this), mac(*this), sym(*this),
      ev(*this), fwd(*this), scan(*this), core(*this), enc(*this), dir(*this), rec(*this), emit(*this), lst(*this),
      side(*this), replay(*this) {}

namespace {

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

// The operand field of a line, as byte offsets from its start, end one past
// the last; the whole line when it has none. Read again here, off the line
// loop, by the parser's rules for where the fields and the comment start.
std::pair<size_t, size_t> operand_field(std::string_view line) {
    size_t i = 0;
    auto comment_start = [&](size_t at) {
        return at < line.size() && (line[at] == ';' || line[at] == '*' || line[at] == '#');
    };
    if (comment_start(0)) return {0, line.size()};
    while (i < line.size() && !is_white(line[i])) ++i;  // the label
    while (i < line.size() && is_white(line[i])) ++i;
    if (i == line.size() || comment_start(i)) return {0, line.size()};
    while (i < line.size() && !is_white(line[i]) && line[i] != ';') ++i;  // the mnemonic
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size() || line[i] == ';') return {0, line.size()};
    const size_t begin = i;
    CommentTracker comments;
    size_t end = 0;
    while (end < line.size()) {
        comments.feed(line[end]);
        if (comments.in_comment()) break;
        ++end;
    }
    while (end > begin && is_white(line[end - 1])) --end;
    return {begin, end};
}

// Which instruction operand a message is about (Statement::in_question):
// -1 for none, or for a copy that is not one of the line's.
int operand_in_question(const Statement& st) {
    const auto at = reinterpret_cast<uintptr_t>(st.in_question);
    const auto first = reinterpret_cast<uintptr_t>(st.operands);
    if (at >= first && at < first + sizeof(Operand) * MAX_INSTRUCTION_OPERANDS)
        return static_cast<int>((at - first) / sizeof(Operand));
    return -1;
}

// Where on its line a message points, as far as can be known now: the
// operand being scanned, matched or encoded (operand_in_question), else the
// operand field of a line read from the file itself (the whole line when it
// has none); nothing for an expanded line, whose text is not the file's, or
// for a line joined from several.
void line_span(const Assembler& as, DiagnosticRecord& d) {
    if (as.mac.expanding() || as.src.line_was_joined()) return;
    const std::string_view line(as.src.line_buffer, std::strcspn(as.src.line_buffer, "\r\n"));
    if (line.empty()) return;
    auto [begin, end] = operand_field(line);
    // A message about one operand points at that operand.
    const Statement& st = as.src.statement;
    const int operand = operand_in_question(st);
    if (operand >= 0 && st.line == as.src.line_buffer && st.operand_start) {
        const OperandSpan op = st.span(operand);
        if (op.end > op.begin && op.end <= line.size()) {
            begin = op.begin;
            end = op.end;
        }
    }
    // Columns count characters, not the bytes of their UTF-8 encoding.
    auto column = [&](size_t at) {
        long c = 1;
        for (size_t i = 0; i < at; ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++c;
        return c;
    };
    d.begin_column = column(begin);
    d.end_column = column(end);
}

// A line the message is about other than the one being assembled, and the
// innermost expansion's body line to name (0: the one read last). One
// argument, so that every argument of write_message goes in a register.
struct Place {
    SourceLocation at;
    size_t body_line;
    bool located;  // false: a message about the command line or no line
};

// The message as fields, on to the JSON or SARIF writer.
[[gnu::cold]] void write_structured(Assembler& as, Severity severity, uint16_t code, std::string_view text,
                                    const Place* place) {
    DiagnosticRecord d;
    d.severity = severity;
    d.code = code;
    while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    d.text = text;
    const SourceLocation where = place ? place->at : as.here();
    // Before the first source is opened a message belongs to no file, as
    // the GNU form shows it.
    const std::string& file = as.file_name(where);
    if ((!place || place->located) && !as.at_no_source_line() && !file.empty()) {
        d.located = true;
        d.file = file;
        d.path = file;
        d.line = where.line;
        if (as.mac.expanding()) d.context = as.mac.context(place ? place->body_line : 0);
        if (!place && d.line != 0) line_span(as, d);
    }
    emit_structured(as, std::move(d));
}

// One message in the chosen style. The native style shows the name the file
// was given by; the GNU style shows the path it was found at, so that an
// editor can open it, and leaves out a location there is none of.
constexpr Place NO_PLACE{{}, 0, false};

// place: nullptr for the line being assembled; NO_PLACE for a message about
// the command line or no line.
void write_message(Assembler& as, Severity severity, uint16_t code, std::string_view text,
                   const Place* place = nullptr) {
    if (as.options.diagnostics >= DiagnosticStyle::json || as.hold_diagnostics)
        return write_structured(as, severity, code, text, place);
    const bool with_location = !place || place->located;
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

void Assembler::fatal_error(Message message) {
    write_message(*this, Severity::error, message.code, message.text);
    throw FatalError{};
}

// Every report marks its line: pass 2 assembles that line in full, and a
// message held back in pass 1 is printed there.
void Assembler::report_error(Message message) {
    replay.unsettle();
    if (silenced()) return;
    write_message(*this, Severity::error, message.code, message.text);
    ++drv.error_count;
}

void Assembler::report_error_arg(Message format, const char* text) {
    replay.unsettle();
    if (silenced()) return;
    write_message(*this, Severity::error, format.code, fill_format(format.text, text));
    ++drv.error_count;
}

void Assembler::report_warning(Message message) {
    replay.unsettle();
    if (drv.pass_number != 2 || silenced()) return;
    write_message(*this, Severity::warning, message.code, message.text);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_warning_arg(Message format, const char* text) {
    replay.unsettle();
    if (drv.pass_number != 2 || silenced()) return;
    write_message(*this, Severity::warning, format.code, fill_format(format.text, text));
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_error_at(const SourceLocation& at, Message message, size_t body_line) {
    replay.unsettle();
    if (silenced()) return;
    const Place place{at, body_line, true};
    write_message(*this, Severity::error, message.code, message.text, &place);
    ++drv.error_count;
}

void Assembler::report_warning_at(const SourceLocation& at, Message message) {
    replay.unsettle();
    if (drv.pass_number != 2 || silenced()) return;
    const Place place{at, 0, true};
    write_message(*this, Severity::warning, message.code, message.text, &place);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_option_warning(Message message) {
    write_message(*this, Severity::warning, message.code, message.text, &NO_PLACE);
    if (options.fatal_warnings) ++drv.error_count;
}

void Assembler::report_note(Message message) {
    replay.unsettle();
    write_message(*this, Severity::note, message.code, message.text, &NO_PLACE);
}

void Assembler::finish_diagnostics() {
    if (options.diagnostics == DiagnosticStyle::sarif) write_sarif_log(*this);
}

} // namespace tobra
