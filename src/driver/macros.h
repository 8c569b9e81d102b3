// Macros and repeat blocks: definitions, the bodies they collect, and the
// expansions that feed their lines to line processing.
//
// A definition (macro ... endm) and a repeat block (rept ... endr) are
// collected line by line without being assembled. An expansion is a frame on
// a stack; while one is open, lines come from its body instead of the file,
// with \0-\9, \@ and \\ replaced. Files keep their own part of the stack, so an
// include inside a macro reads its file, not the rest of the body.
//
// Line processing pays for none of this unless a frame is open or a body is
// being collected: then SourceReader::special_mode sends the file's line loop
// through step() instead of its usual path.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "driver/diagnostic_record.h"
#include "driver/location.h"
#include "driver/message.h"

namespace tobra {

class Assembler;
class Console;
struct SourceText;
struct Statement;
struct SymbolRecord;

// Open frames at once, macro calls and repeat blocks together. Deeper is an
// error that ends the whole expansion, so endless recursion stops cleanly.
inline constexpr size_t EXPANSION_DEPTH_LIMIT = 64;
// Expanded lines per pass. Recursion that doubles at every level stays within
// the depth limit and would still never finish.
inline constexpr long EXPANSION_LINE_LIMIT = 1L << 24;

using MacroBody = std::vector<std::string>;

class MacroEngine {
public:
    explicit MacroEngine(Assembler& assembler) : as(assembler) {}

    // A file's line loop owns the frames opened while it reads; an included
    // file starts with none of its own.
    struct FileMark {
        size_t base;
        bool special;
        int outer_scope;  // the conditional scope of the including text
    };
    FileMark enter_file();
    void leave_file(const FileMark& mark);

    // One line the long way: from an open frame or the file, collected into a
    // body or processed and listed. False when the file has no more lines.
    bool step(SourceText& file);

    // Line processing's fallback for a mnemonic that is not in the table:
    // true when it names a macro (the call is then made, or skipped).
    bool call(const Statement& st);

    void d_macro(const Statement& st);   // NAME macro, macro NAME
    void d_endm();    // outside a definition
    void d_mexit();
    void d_rept(Statement& st);
    void d_endr();    // outside a repeat block
    // A skipped macro or rept line still collects its body, so that nothing
    // in it is taken for a line of the enclosing text.
    void skip_line(bool is_macro);

    // Start of each pass.
    void reset_pass();
    bool expanding() const { return frames_.size() > base_; }
    // Frames open now, and the body line the innermost one read last (from 1; 0 outside any).
    size_t depth() const { return frames_.size(); }
    size_t body_line() const { return frames_.empty() ? 0 : frames_.back().next; }
    // Where the lines of the innermost expansion are reported: the line that
    // opened it (the call, or the rept line). Only while expanding().
    SourceLocation location() const { return frames_.back().at; }
    // "macro NAME line N: " and the like, outermost first, for a located message.
    // innermost_line: the body line to name in the innermost frame instead of
    // the one it read last (0: that one).
    void print_context(Console& con, size_t innermost_line = 0) const;
    // The same frames as fields, every one of them.
    std::vector<ExpansionFrame> context(size_t innermost_line = 0) const;

    // Expanded lines allowed per pass (the fuzzer asks for fewer).
    long line_limit = EXPANSION_LINE_LIMIT;

private:
    enum class Kind : uint8_t { Macro, Rept };

    struct Definition {
        std::string name;                        // as written
        std::shared_ptr<const MacroBody> body;
        int pass = 0;                            // the pass that last read the definition
    };

    struct Frame {
        Kind kind = Kind::Macro;
        SourceLocation at;                       // where its lines are reported
        std::shared_ptr<const MacroBody> body;
        size_t next = 0;                         // body line to read next
        std::string name;                        // the macro's name as written
        std::vector<std::string> args;
        char size = 0;                           // \0: the call's size letter, 0 without one
        std::string unique;                      // \@
        long remaining = 0;                      // repetitions still to run, this one included
        long repetition = 1;
        int condition_level = 0;                 // at the start, restored by mexit
        int outer_scope = 0;                     // the conditional scope around the expansion
        bool blocks_reported = false;            // a block left open was reported (once per rept)
    };

    struct Collect {
        bool active = false;
        Kind kind = Kind::Macro;
        bool keep = false;                       // false: a skipped or failed one, read and dropped
        std::string name;
        long count = 0;                          // rept
        SourceLocation at;                       // the opening line
        size_t owner = 0;                        // frames open when it started
        int nesting = 0;                         // inner blocks of the same kind
        MacroBody lines;
    };

    // The next line into line_buffer; false at the end of the file.
    bool fetch(SourceText& file, bool& from_frame);
    void collect_line();
    void finish_collect();
    void missing_end();
    // The end of a body (or of one repetition): blocks it left open are
    // reported at their lines and closed.
    void close_frame_blocks(Frame& f);
    // Opens a frame; frame.at says where its lines are reported.
    void push(Frame frame);
    void pop();
    // Ends every frame of the current file, as after an error in the expansion.
    void abandon(Message message);
    // Writes a body line with its parameters replaced into line_buffer.
    void expand_line(const Frame& f, const std::string& raw);
    std::string next_unique();
    // The arguments of a call; returns where they end.
    const char* split_args(const char* text, std::vector<std::string>& out);
    void set_narg();
    void update_mode();
    // The mnemonic of a raw line, lower case and without its size suffix.
    static std::string mnemonic_of(const char* line);

    Assembler& as;
    std::unordered_map<std::string, Definition> macros_;  // by lower-case name
    std::vector<Frame> frames_;
    size_t base_ = 0;                                     // frames below belong to including files
    Collect collect_;
    unsigned long expansions_ = 0;                        // numbers \@
    long lines_expanded_ = 0;
    std::string expanded_;  // the body line being expanded, kept to reuse its storage
    SymbolRecord* narg_[2] = {};                          // narg and NARG, made with the first macro
};

} // namespace tobra
