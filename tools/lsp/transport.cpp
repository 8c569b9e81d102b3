#include "transport.h"

#include <cstdlib>
#include <cstring>

namespace tobra::lsp {

bool Transport::read_header_line(std::string& line) {
    line.clear();
    for (;;) {
        const int c = std::fgetc(in_);
        if (c == EOF) return false;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::optional<std::string> Transport::read_body() {
    std::string line;
    long length = -1;
    bool any = false;
    for (;;) {
        if (!read_header_line(line)) return std::nullopt;
        if (line.empty()) {
            if (any) break;
            continue;  // stray blank lines between messages
        }
        any = true;
        constexpr const char* key = "content-length:";
        if (line.size() > std::strlen(key) && strncasecmp(line.c_str(), key, std::strlen(key)) == 0)
            length = std::strtol(line.c_str() + std::strlen(key), nullptr, 10);
    }
    if (length < 0) return std::nullopt;
    std::string body(static_cast<size_t>(length), '\0');
    if (std::fread(body.data(), 1, body.size(), in_) != body.size()) return std::nullopt;
    return body;
}

void Transport::write(const nlohmann::json& message) {
    // Invalid UTF-8 in a source (a Latin-1 comment) must not stop the reply.
    const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::fprintf(out_, "Content-Length: %zu\r\n\r\n", body.size());
    std::fwrite(body.data(), 1, body.size(), out_);
    std::fflush(out_);
}

} // namespace tobra::lsp
