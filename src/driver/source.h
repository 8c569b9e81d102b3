// Source reader and line parser: files to logical lines to label, mnemonic,
// size suffix and operand text; line processing up to the dispatcher.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace tobra {

class Assembler;

inline constexpr int LINE_BUFFER_SIZE = 256;
inline constexpr int LABEL_FIELD_SIZE = 90;
inline constexpr int GLOBAL_LABEL_SIZE = 88;
inline constexpr int MNEMONIC_FIELD_SIZE = 20;
inline constexpr int SOURCE_DIRECTORY_SIZE = 128;
inline constexpr int FILE_NAME_SIZE = 260;
inline constexpr int MAX_INCLUDE_DEPTH = 64;

// Character classes of the source language.
inline bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
inline bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
inline bool is_name_char(char c) { return is_name_start(c) || (c >= '0' && c <= '9') || c == '$'; }
inline bool is_token_end(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == ',' || c == '+' || c == '-' || c == ']' || c == ';' || c == '*' || c == '.';
}

// A whole source file in memory, read line by line.
struct SourceText {
    std::shared_ptr<const std::string> text;
    size_t pos = 0;
    // Up to max_chars characters of the next physical line, its newline included;
    // false at end of file.
    bool read_physical(char* dst, int max_chars, int* length);
};

class SourceReader {
public:
    explicit SourceReader(Assembler& as) : as(as) { line_buffer[LINE_BUFFER_SIZE - 1] = '\n'; }

    void assemble_file(const char* name);
    bool read_logical_line(SourceText& file);
    bool parse_line();
    void process_line();
    void remember_source_directory(const char* name);
    // Finds and reads a source file through the search order; false when not found.
    bool open_source(const char* name, SourceText& out);

    char line_buffer[LINE_BUFFER_SIZE] = {};
    char label_field[LABEL_FIELD_SIZE] = {};
    char last_global_label[GLOBAL_LABEL_SIZE] = {};
    char mnemonic_field[MNEMONIC_FIELD_SIZE] = {};
    char size_suffix = 'u';
    const char* operand_text = line_buffer;  // cursor advanced by scanner, evaluator and directives
    uint32_t size_mask = 0x80;               // mask of the current line's suffix
    char source_directory[SOURCE_DIRECTORY_SIZE] = {};
    bool source_directory_set = false;
    int include_depth = 0;

private:
    Assembler& as;
    std::unordered_map<std::string, std::shared_ptr<const std::string>> file_cache_;
};

} // namespace tobra
