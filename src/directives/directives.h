// Directives for symbols, origins, sections, data, conditional assembly and
// file inclusion, and the word reader they share.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "driver/driver.h"
#include "driver/source.h"
#include "isa/handlers.h"
#include "isa/operand.h"

namespace tobra {


class Assembler;
struct Statement;
struct SymbolRecord;

// include_directory holds at most this many characters, its separator included.

class Directives {
public:
    explicit Directives(Assembler& assembler) : as(assembler) {}

    // The next word of the operand text at c (ends at blank, tab, comma or
    // newline, which is consumed; double quotes dropped). nullopt when nothing
    // is left. The view points into a buffer that the next call overwrites.
    std::optional<std::string_view> read_word_item(TextCursor& c);
    bool list_continues(TextCursor& c);
    std::optional<std::string_view> read_list_name(Statement& st);
    // The file name of include and incbin: between double quotes, blanks
    // and all, or else one word.
    std::string read_file_name(TextCursor& c);

    // While the innermost conditional block is skipped: the skip table.
    void skip_line(Statement& st, SkipAction action);

    // A value that sizes or selects code must be the same in both passes, so
    // it must be known when pass 1 reaches it. forward: the expression named
    // something not defined yet. Reports the line (named by st's directive)
    // and returns false.
    bool defined_above(const Statement& st, bool forward);
    // A count, fill, offset or bit number is a plain number: one relative to
    // a label of an object file or to an external name has no field for a
    // linker to patch. Reports the line and returns false.
    bool constant_value(const Statement& st, const Operand& op);
    // A whole number: 1.5 would read as the bits of a floating-point number.
    bool whole_number(const Statement& st, const Operand& op);
    // Start of each pass.
    void reset_pass();
    // Leaves the blocks opened above level, as when an expansion ends early.
    void close_blocks_to(int level);

    // A conditional block as it was opened, for the message when its file,
    // macro or rept block ends with the block still open.
    struct OpenBlock {
        SourceLocation at;      // the opening line
        size_t depth = 0;       // expansion frames open then
        size_t body_line = 0;   // and the line of the innermost one's body
        char name[MNEMONIC_FIELD_SIZE] = {};  // the directive as written, lower case
    };
    // A file and an expansion each have their blocks to themselves: endc and
    // else cannot reach a block of the text around them. enter_scope returns
    // the scope to give back to leave_scope.
    int enter_scope();
    void leave_scope(int outer);
    // Closes the blocks the current scope left open; returns them, outermost first.
    std::vector<OpenBlock> close_scope_blocks();
    // "ifne: missing endc before end of file" and the like, at the block's opening line.
    void report_unclosed(const OpenBlock& block, const char* end_of);

    void d_equ(Statement& st);
    void d_dc(Statement& st);
    void d_org(Statement& st, bool is_rorg);
    void d_ds(Statement& st);
    void d_align(Statement& st);
    void d_include(Statement& st);
    void d_endc();
    void d_if(Statement& st, Handler handler);  // H_IFD ... H_IFNE
    void d_else();
    void d_incdir(Statement& st);
    void d_xref(Statement& st);
    void d_xdef(Statement& st);
    void d_dr(Statement& st);
    void d_section(Statement& st);
    void d_idnt(Statement& st);
    void d_incbin(Statement& st);
    void d_boundary();
    void d_even();
    void d_cnop(Statement& st);
    void d_end(Statement& st);
    void d_page();
    void d_set(Statement& st);                 // set, =
    void d_dcb(Statement& st);

    // Forward equates (equates.cpp): an equ that names something not yet
    // defined gets its value once that is defined, in pass 1, and is until
    // then not yet defined itself, as a label further down is.
    //
    // Pass 1, a name has just been defined: the equates waiting for it are
    // evaluated again before the next line.
    void note_defined(std::string_view name) {
        if (!awaited_.empty()) [[unlikely]] wake_equates(name);
    }
    bool equates_due() const { return !due_equates_.empty(); }
    void resolve_due_equates();
    // End of pass 1: the equates that never got a value are errors, at their lines.
    void finish_equates();

    // Filled in pass 2 by xdef, consumed by the object writer.
    std::vector<std::string> export_list;
    // Set once per run by idnt.
    std::optional<std::string> identification_strings[3];

private:
    // Emits count copies of the byte value (zero fill, ds fill, alignment).
    void emit_fill(int64_t count, int32_t value);
    // Zero bytes up to the next multiple of 4.
    void pad_to_long();
    int find_section(std::string_view name) const;
    // An alignment to a multiple of n that the section must keep.
    void keep_alignment(const char* directive, uint32_t n);
    // An offset or length operand of incbin; false after its error.
    bool read_incbin_number(Statement& st, const char* what, int64_t& out);
    // A new innermost conditional block, skipped until its test says otherwise.
    void open_block(const Statement& st);
    // One operand of ifnc: a quoted string or a bare word.
    static std::string read_compare_text(TextCursor& c);
    // The value an equ or set line gives its label.
    int32_t equate_value(const Operand& op) const;
    // Defines an equ's label with the value of op's expression.
    void define_equate(std::string_view label, const Operand& op, int32_t value, bool single);
    // Pass 1: the equ's expression named something not yet defined. It is
    // read again under the line's size; the scanner has read past it.
    void defer_equate(const Statement& st, std::string_view label);
    void wake_equates(std::string_view name);
    // Evaluates a waiting equate again; true when it got its value.
    bool try_equate(size_t index);
    // When the name the current line missed is an equate still waiting:
    // "alias waits for label", for the message. Empty otherwise.
    std::string waiting_text() const;

    struct ForwardEquate {
        std::string name;
        std::string text;          // the operand, after a blank (a quote reads the character before it)
        std::string waits_for;     // the first name its expression missed
        std::string global_label;  // qualifies its local names
        SourceLocation at;         // where it was written, for its error
        std::string context;       // the macro or rept expansion it was written in
        // The set names its expression read, as they were at its line: pass 2
        // reads them there, so it is evaluated with those values.
        struct SetName {
            SymbolRecord* record;
            int32_t value;
            uint32_t base;
            uint8_t kind, section, flags;
        };
        std::vector<SetName> set_names;
        int32_t address = 0;       // * in the expression
        int section = 0;
        uint32_t size_mask = 0;
        bool open = true;
    };
    // Looked up by the view of a name, without a copy of it.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    template <typename T>
    using NameMap = std::unordered_map<std::string, T, NameHash, std::equal_to<>>;
    std::vector<ForwardEquate> forward_equates_;
    NameMap<size_t> equate_index_;              // name: its entry in forward_equates_
    NameMap<std::vector<size_t>> awaited_;      // name: the equates waiting for it
    std::vector<size_t> due_equates_;
    // One dc item of the line's size at the location counter.
    void emit_data_item(const Operand& op, uint32_t mask, bool warn = true);
    // Lists value in the address column of the listing.
    void list_value(int32_t value);
    // ifd and ifnd: whether the name counts as defined at this line.
    // defined_later: pass 2 found it defined after the block's endc in pass 1.
    bool name_defined_here(std::string_view name, bool& defined_later);
    // endc, assembled or skipped: leaves the innermost block of the scope.
    void close_block();
    // Leaves the innermost block, whatever scope it belongs to.
    void drop_block();

    // What pass 1 saw at each ifd or ifnd: how many symbols existed at the
    // line, and at its endc. Pass 2 reads them back in order, so that a name
    // defined further down reads as not defined in both passes.
    struct NameTest {
        size_t symbols_before;
        size_t symbols_at_endc;
    };
    std::vector<NameTest> name_tests_;
    size_t next_name_test_ = 0;
    // The name test that opened each conditional level, or NO_NAME_TEST.
    static constexpr size_t NO_NAME_TEST = SIZE_MAX;
    size_t block_name_test_[CONDITION_DEPTH] = {};
    OpenBlock block_open_[CONDITION_DEPTH] = {};
    int scope_floor_ = 0;  // the level the current file or expansion started at

    Assembler& as;
    std::string word_buffer_;  // a word of any length
};

} // namespace tobra
