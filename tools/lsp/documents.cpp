#include "documents.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tobra::lsp {

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Bytes 0xC0..0xFF start a sequence; a four-byte one is two UTF-16 units.
long units_of_lead(unsigned char c) { return c >= 0xF0 ? 2 : 1; }
bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

} // namespace

std::string path_of_uri(std::string_view uri) {
    constexpr std::string_view scheme = "file://";
    if (uri.substr(0, scheme.size()) != scheme) return {};
    uri.remove_prefix(scheme.size());
    std::string path;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && hex_value(uri[i + 1]) >= 0 && hex_value(uri[i + 2]) >= 0) {
            path.push_back(static_cast<char>(hex_value(uri[i + 1]) * 16 + hex_value(uri[i + 2])));
            i += 2;
        } else {
            path.push_back(uri[i]);
        }
    }
    return path;
}

std::string uri_of_path(std::string_view path) {
    static const char digits[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            uri.push_back(ch);
        } else {
            uri.push_back('%');
            uri.push_back(digits[c >> 4]);
            uri.push_back(digits[c & 15]);
        }
    }
    return uri;
}

std::string normal_path(std::string_view path) {
    std::filesystem::path p{std::string(path)};
    if (p.is_relative()) {
        std::error_code ec;
        p = std::filesystem::current_path(ec) / p;
    }
    return p.lexically_normal().string();
}

std::string current_directory() {
    std::error_code ec;
    std::string d = std::filesystem::current_path(ec).string();
    if (d.empty() || d.back() != '/') d.push_back('/');
    return d;
}

std::string_view line_of(std::string_view text, long n) {
    size_t start = 0;
    for (long i = 0; i < n; ++i) {
        const size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) return {};
        start = nl + 1;
    }
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

size_t byte_of_utf16(std::string_view line, long units) {
    size_t i = 0;
    while (i < line.size() && units > 0) {
        units -= units_of_lead(static_cast<unsigned char>(line[i]));
        ++i;
        while (i < line.size() && continuation(static_cast<unsigned char>(line[i]))) ++i;
    }
    return i;
}

long utf16_of_byte(std::string_view line, size_t byte) {
    long units = 0;
    for (size_t i = 0; i < line.size() && i < byte; ++i)
        if (!continuation(static_cast<unsigned char>(line[i]))) units += units_of_lead(static_cast<unsigned char>(line[i]));
    if (byte > line.size()) units += static_cast<long>(byte - line.size());
    return units;
}

long utf16_of_chars(std::string_view line, long chars) {
    long units = 0;
    size_t i = 0;
    for (; i < line.size() && chars > 0; ++i)
        if (!continuation(static_cast<unsigned char>(line[i]))) {
            units += units_of_lead(static_cast<unsigned char>(line[i]));
            --chars;
        }
    return units + std::max(chars, 0L);  // past the end: as if blanks followed
}

long chars_of_byte(std::string_view line, size_t byte) {
    long chars = 0;
    for (size_t i = 0; i < line.size() && i < byte; ++i)
        if (!continuation(static_cast<unsigned char>(line[i]))) ++chars;
    return chars;
}

Document* DocumentStore::find(const std::string& path) {
    auto it = docs_.find(path);
    return it == docs_.end() ? nullptr : &it->second;
}

std::optional<std::string> DocumentStore::text(const std::string& path) const {
    auto it = docs_.find(path);
    if (it != docs_.end()) return it->second.text;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace tobra::lsp
