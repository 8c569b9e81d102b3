// The texts the editor holds open, by absolute path, and the conversions
// between the editor's addresses (file URIs, UTF-16 positions) and ours
// (paths, byte columns).
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobra::lsp {

struct Document {
    std::string uri;
    std::string text;
    long version = 0;
};

// "file:///a%20b/x.s" -> "/a b/x.s"; empty for another scheme.
std::string path_of_uri(std::string_view uri);
std::string uri_of_path(std::string_view path);
// Absolute and without "." or ".." parts; a relative path is taken from the
// current directory.
std::string normal_path(std::string_view path);
// The current directory with a slash at its end.
std::string current_directory();

// Line `n` (from 0) of a text, without its line end; empty past the end.
std::string_view line_of(std::string_view text, long n);
std::vector<std::string_view> lines_of(std::string_view text);
// A UTF-16 offset of a line as a byte offset, and back.
size_t byte_of_utf16(std::string_view line, long units);
long utf16_of_byte(std::string_view line, size_t byte);
// The assembler counts columns in characters (code points): the UTF-16 offset
// of character `chars` (from 0), and the character a byte offset is in.
long utf16_of_chars(std::string_view line, long chars);
long chars_of_byte(std::string_view line, size_t byte);

class DocumentStore {
public:
    void open(const std::string& path, Document doc) { docs_[path] = std::move(doc); }
    void close(const std::string& path) { docs_.erase(path); }
    Document* find(const std::string& path);
    const std::map<std::string, Document>& all() const { return docs_; }
    // The editor's text of an open file, else the file on disk.
    std::optional<std::string> text(const std::string& path) const;

private:
    std::map<std::string, Document> docs_;
};

} // namespace tobra::lsp
