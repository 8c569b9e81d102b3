// Source reader and line parser: files to logical lines to label, mnemonic,
// size suffix and operand text; line processing up to the dispatcher.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "driver/ahead.h"
#include "driver/location.h"
#include "driver/stream_check.h"
#include "expr/symbols.h"
#include "isa/statement.h"

namespace tobra {

struct SymbolRecord;
struct Variant;

class Assembler;

// The line buffer's first size: short lines never make it grow.
inline constexpr int LINE_BUFFER_SIZE = 256;
// Bytes past the capacity of the line buffer and the fields, so that the
// parser may read and write a field sixteen bytes at a time.
inline constexpr size_t FIELD_SLACK = 16;
// The mnemonic field holds at least this many characters (it grows with the
// line buffer); no instruction or directive name is as long.
inline constexpr int MNEMONIC_FIELD_SIZE = 20;
inline constexpr int MAX_INCLUDE_DEPTH = 64;

// Character classes of the source language, looked up in one table because
// every character of every line goes through them.
namespace charclass {
inline constexpr uint8_t WHITE = 1;       // blank, tab, newline, vertical tab, form feed, carriage return
inline constexpr uint8_t NAME_START = 2;  // letter or '_'
inline constexpr uint8_t NAME_CHAR = 4;   // name start, digit or '$'
// Where a label or mnemonic would start: a comment ('*', '#', ';') or the
// end of the line (newline, NUL) instead.
inline constexpr uint8_t NO_FIELD = 8;
inline constexpr uint8_t SPACING = 16;  // blank or tab: what separates the fields

struct Table {
    uint8_t bits[256];
};

constexpr Table make_table() {
    Table t{};
    for (int c = 0; c < 256; ++c) {
        uint8_t b = 0;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') b |= WHITE;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') b |= NAME_START | NAME_CHAR;
        if ((c >= '0' && c <= '9') || c == '$') b |= NAME_CHAR;
        if (c == '*' || c == '#' || c == ';' || c == '\n' || c == '\0') b |= NO_FIELD;
        if (c == ' ' || c == '\t') b |= SPACING;
        t.bits[c] = b;
    }
    return t;
}

inline constexpr Table table = make_table();

// What the line parser keeps of each character of a field: the character
// itself (lowered for the mnemonic), or 0 where the field ends.
struct FieldTable {
    char label[256];     // ends at white space and NUL
    char mnemonic[256];  // ends at white space, NUL and ';'; letters lowered
};

constexpr FieldTable make_field_table() {
    FieldTable t{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool white = table.bits[c] & WHITE;
        t.label[c] = white ? '\0' : ch;
        char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : ch;
        t.mnemonic[c] = (white || c == ';') ? '\0' : lower;
    }
    return t;
}

inline constexpr FieldTable fields = make_field_table();
} // namespace charclass

inline bool is_white(char c) { return charclass::table.bits[static_cast<uint8_t>(c)] & charclass::WHITE; }
inline bool is_name_start(char c) { return charclass::table.bits[static_cast<uint8_t>(c)] & charclass::NAME_START; }
inline bool is_name_char(char c) { return charclass::table.bits[static_cast<uint8_t>(c)] & charclass::NAME_CHAR; }

// A source file read line by line: small files and pipes from a copy held in
// memory for both passes, large files streamed through a fixed buffer so that
// a big source costs neither its size in memory nor the time to fill it.
struct SourceText {
    std::shared_ptr<const std::string> text;  // the held copy; null when streaming
    size_t pos = 0;
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> stream;
    std::unique_ptr<char[]> window;  // STREAM_WINDOW bytes, already made uniform
    size_t window_pos = 0, window_end = 0;
    size_t window_base = 0;  // how much of the uniform text came before the window
    bool held_cr = false;  // a CR that ended the last read: dropped if a LF follows
    bool stream_done = false;
    bool read_failed = false;  // the stream ended in an error, not at the file's end
    FileStamp stamp;  // the streamed file as it was opened
    size_t names_before = 0;  // symbols made before the file was opened
    ByteSum sum;      // of the raw bytes read so far

    // How much of the (uniform) text has been read: the same at the same line
    // in both passes, so that pass 2 can step over lines pass 1 measured.
    size_t consumed() const { return stream ? window_base + window_pos : pos; }
    // The file's size: a streamed one's as it was opened.
    uint64_t size() const { return stream ? stamp.size : text->size(); }
    // Goes on reading at `offset`, at or after what was read (a line start);
    // false when the text ends before it.
    bool skip_to(size_t offset);

    // Up to max_chars characters of the next physical line, its newline included;
    // false at end of file.
    bool read_physical(char* dst, int max_chars, int* length);
    // Reads the rest of a streamed file into its sum only.
    void read_rest();

private:
    bool refill();
};

// Opens a file at least STREAM_THRESHOLD large to be streamed; false for
// another file, or when it cannot be opened.
bool open_stream(const std::string& path, SourceText& out);

// Files at least this large are streamed; smaller ones are held.
inline constexpr size_t STREAM_THRESHOLD = 1 << 20;
inline constexpr size_t STREAM_WINDOW = 1 << 16;

// Whether the text of a logical line, read so far from its start, has reached
// a comment, by the line parser's fields: a '*', ';' or '#' line, ';' after
// the label or mnemonic, and in the operands ';' or a blank outside quotes,
// parentheses and <...> (one blank after a comma is part of the separator).
// A backslash at the end of a physical line continues it only outside a comment.
class CommentTracker {
public:
    void feed(char c);
    void feed(const char* text, size_t n) {
        for (size_t i = 0; i < n && phase_ != COMMENT; ++i) feed(text[i]);
    }
    bool in_comment() const { return phase_ == COMMENT; }

private:
    enum Phase : uint8_t { LINE_START, LABEL, BEFORE_MNEMONIC, MNEMONIC, BEFORE_OPERANDS, OPERANDS, COMMENT };
    Phase phase_ = LINE_START;
    char quote_ = 0;
    int nesting_ = 0;
    bool after_comma_ = false;
};

class SourceReader {
public:
    explicit SourceReader(Assembler& assembler)
        : line_storage_(std::make_unique<char[]>(LINE_BUFFER_SIZE + FIELD_SLACK)), line_capacity_(LINE_BUFFER_SIZE),
          label_storage_(std::make_unique<char[]>(LINE_BUFFER_SIZE + FIELD_SLACK)), label_capacity_(LINE_BUFFER_SIZE),
          mnemonic_storage_(std::make_unique<char[]>(LINE_BUFFER_SIZE + FIELD_SLACK)), mnemonic_capacity_(LINE_BUFFER_SIZE),
          as(assembler) {
        line_buffer = line_storage_.get();
        statement.line = line_buffer;
        statement.cursor.begin = line_buffer;
        label_field = label_storage_.get();
        mnemonic_field = mnemonic_storage_.get();
    }

    void assemble_file(const char* name);
    bool read_logical_line(SourceText& file);
    bool parse_line();
    // own: the line was read from the file, not from an expansion.
    void process_line(bool own = false);
    // The same three steps, compiled into the loop that reads a file, where
    // every line of a large source passes.
    [[gnu::always_inline]] inline bool read_logical_line_here(SourceText& file);
    [[gnu::always_inline]] inline bool parse_line_here();
    // at: where the line is (the file's loop knows it is its own line).
    // own: the line is the file's own, read by its loop (not an expansion's).
    [[gnu::always_inline]] inline void process_line_here(SourceLocation at, bool own);
    // Looks the mnemonic up, matches and runs the handler; the variant the
    // line matched, or nullptr.
    [[gnu::always_inline]] inline const Variant* process_statement(Statement& st);
    // The statement's mnemonic's variants (first nullptr: no such mnemonic).
    struct MnemonicVariants {
        const Variant* first = nullptr;
        int count = 0;
        OperandNumbers numbers = INTEGER;
    };
    [[gnu::always_inline]] inline MnemonicVariants look_up_mnemonic(const Statement& st);
    // The look-ahead's assembler: the parsed line's instruction or dc
    // assembled at address 0 of the code section, without its label; the
    // variant, or nullptr for any other line (which is left alone).
    const Variant* trial_line();
    // The operand matching left in question on the trial line (-1: none).
    int trial_in_question = -1;
    // Bumped by every statement after which lines may assemble otherwise
    // than before (see leaves_lines_alike).
    uint64_t state_changes = 0;
    // Lines taken from the look-ahead (with check_look_ahead, checked against it).
    uint64_t lines_ahead = 0;
    void remember_source_directory(const char* name);
    // Defines the current line's label at the location counter.
    void define_line_label();
    // The record define_line_label made or found for the line being
    // processed; nullptr when it has not defined one.
    SymbolRecord* line_label() const { return line_label_; }
    void check_label_alone(std::string_view label);
    // Finds and reads a source file through the search order; false when not
    // found. opened_path: where it was found.
    bool open_source(const char* name, SourceText& out);
    // Files read by this run (sources, includes, incbin data), known by their
    // identity on disk, so that no output is written over one of them.
    void note_input_file(const std::string& path);
    // Whether a file read from disk in each pass (incbin data) is as its
    // first reading this run found it.
    bool unchanged_on_disk(const std::string& path);
    bool is_input_file(const std::string& path) const;
    // The text of a file read this run and held in memory; null when it was
    // streamed or never read.
    const std::string* held_text(const std::string& path) const {
        auto it = file_cache_.find(path);
        return it == file_cache_.end() ? nullptr : it->second.get();
    }

    // Makes the line buffer hold at least `size` characters, keeping its first
    // `keep`. A line is never cut: a long one grows the buffer, which stays grown.
    void reserve_line(size_t size, size_t keep);
    // Makes text, with a newline added, the current line.
    void set_line(std::string_view text);

    char* line_buffer = nullptr;  // at least LINE_BUFFER_SIZE characters
    // The label and mnemonic fields are never smaller than the line buffer.
    char* label_field = nullptr;
    // The last global label, which qualifies local ones. Set on every line
    // with a global label, so it is copied into a buffer that only grows;
    // the statement's cursor reads the line's local names under it.
    std::string_view last_global_label() const { return {global_label_.get(), global_label_length_}; }
    void set_last_global_label(std::string_view name) {
        if (name.size() > global_label_capacity_) grow_global_label(name.size());
        if (!name.empty()) std::memcpy(global_label_.get(), name.data(), name.size());
        global_label_length_ = name.size();
        statement.cursor.scope = last_global_label();
        ++global_labels_set_;
    }
    // How many times the last global label was set in this pass: both passes
    // set it at the same lines, so that a line's local names read alike.
    uint32_t global_labels_set() const { return global_labels_set_; }
    void restart_global_labels() {
        global_labels_set_ = 0;
        set_last_global_label({});
    }
    char* mnemonic_field = nullptr;
    // The line being assembled: parse_line fills it, process_line hands it on.
    Statement statement;
    std::string source_directory;
    bool source_directory_set = false;
    int include_depth = 0;
    std::string opened_path;
    // After open_source failed: the first file of that name that is there but
    // could not be read, and why ("dir/x.i: it is a directory"); else empty.
    std::string unreadable;
    // The file being read and the physical line of it read last; with no
    // expansion open, where the line being assembled is.
    SourceLocation location() const { return {static_cast<uint32_t>(place_ >> 32), static_cast<uint32_t>(place_)}; }
    // A macro or repeat block is being expanded or collected, or forward
    // equates wait to be evaluated before the next line: the file's line
    // loop then takes the long way through MacroEngine::step.
    bool special_mode = false;
    // Where the text of the file being read stands: after the line read last.
    size_t text_read() const { return text_ ? text_->consumed() : 0; }
    // A streamed file being read: how much of it has been read, its size and
    // how many symbols there were before it (sizes 0 for a held file or none).
    SymbolTable::FileProgress stream_progress() const {
        if (!text_ || !text_->stream) return {};
        return {text_->consumed(), text_->stamp.size, text_->names_before};
    }
    // Whether every line read from the file since the last line record was
    // read by the file's own loop (not while a macro or repeat block was
    // collected, or another road read it): pass 1 notes it in the record,
    // pass 2 needs it too before it steps over text unread.
    bool lines_read_plainly() const { return plain_reads_; }
    void note_line_record() { plain_reads_ = true; }
    // Pass 2: the line a record stood for was taken from it, unread.
    void take_line_from_record(uint32_t line) { set_place(file_number(), line); }
    // Whether the line being assembled was joined from several physical lines
    // (its text is then not the text at its line number).
    bool line_was_joined() const { return joined_at_.line != 0 && joined_at_ == location(); }

private:
    SourceText* text_ = nullptr;  // the file being read
    bool plain_reads_ = true;
    // The file's number (high half) and the lines read of it so far,
    // continuation lines included (low half). One word: a line's location is
    // read right after its number is stepped, and a read of two halves stored
    // apart would wait for the store to reach the cache.
    uint64_t place_ = 0;
    uint32_t file_number() const { return static_cast<uint32_t>(place_ >> 32); }
    void set_place(uint32_t file, uint32_t line) { place_ = (uint64_t{file} << 32) | line; }
    void step_line() { set_place(file_number(), static_cast<uint32_t>(place_) + 1); }
    SourceLocation joined_at_;    // the last line joined from several: its last physical line
    // The text of the line just read where it was read from, or nullptr.
    const char* parse_from_ = nullptr;
    // The first eight bytes of the mnemonic field parse_line_here filled
    // (mnemonic_word_of_: the field, until the statement is processed).
    uint64_t mnemonic_word_ = 0;
    const char* mnemonic_word_of_ = nullptr;
    SymbolRecord* line_label_ = nullptr;  // see line_label()
    // The file's own lines encoded ahead on another thread (driver/ahead.h),
    // while state_changes is still ahead_changes_.
    // ahead_text_ is the file while look-aheads may serve it; a new one may
    // start once the file is read to ahead_restart_at_.
    std::unique_ptr<LookAhead> ahead_;
    const SourceText* ahead_text_ = nullptr;
    uint64_t ahead_changes_ = 0;
    uint64_t ahead_restart_at_ = UINT64_MAX;
    int ahead_restarts_ = 0;
    std::string ahead_path_;
    [[gnu::noinline]] void start_look_ahead(const SourceText& text, const std::string& path);
    [[gnu::noinline]] bool run_look_ahead(uint64_t offset);
    [[gnu::noinline, gnu::cold]] void restart_look_ahead();
    void stop_look_ahead();
    void end_look_ahead();
    // The line from the look-ahead, its label defined and its bytes emitted;
    // nullptr when the line is to be assembled here.
    [[gnu::always_inline]] inline const Variant* take_from_ahead();
    void define_line_label_after(const LookAhead::Line& line);
    // check_look_ahead: the line assembled here, compared with the line from the look-ahead.
    [[gnu::noinline, gnu::cold]] const Variant* check_ahead_line(const LookAhead::Line& line);
    void grow_global_label(size_t size);
    // An include line, for a library caller collecting them; out of line,
    // away from the file's line loop.
    [[gnu::noinline, gnu::cold]] void note_include(const char* name, bool found);
    std::unique_ptr<char[]> global_label_;
    uint32_t global_labels_set_ = 0;
    size_t global_label_length_ = 0;
    size_t global_label_capacity_ = 0;
    bool read_pieces(SourceText& file);
    std::unique_ptr<char[]> line_storage_;
    size_t line_capacity_;
    // Makes a field hold at least `size` characters; the label field keeps its
    // first `keep`, the mnemonic field all it holds.
    [[gnu::noinline]] void grow_label(size_t size, size_t keep);
    [[gnu::noinline]] void grow_mnemonic(size_t size);
    std::unique_ptr<char[]> label_storage_;
    size_t label_capacity_;
    std::unique_ptr<char[]> mnemonic_storage_;
    size_t mnemonic_capacity_;
    Assembler& as;
    std::unordered_map<std::string, std::shared_ptr<const std::string>> file_cache_;
    std::vector<std::pair<uint64_t, uint64_t>> input_files_;  // device and inode
    // Each file read from disk in both passes (a streamed source, incbin data)
    // as its first reading found it: every later reading must find the same.
    struct DiskFile {
        FileStamp stamp;
        uint64_t sum = 0;
        bool summed = false;
    };
    std::unordered_map<std::string, DiskFile> disk_files_;
    void check_stream_opened(const std::string& path, const SourceText& text);
    void check_stream_read(const std::string& path, SourceText& text);
};

} // namespace tobra
