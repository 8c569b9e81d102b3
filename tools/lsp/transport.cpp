#include "transport.h"

#include <poll.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tobra::lsp {

bool Transport::fill() {
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    char chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in_, chunk, sizeof chunk);
        if (n > 0) {
            buffer_.append(chunk, static_cast<size_t>(n));
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        return false;
    }
}

bool Transport::input_waiting() {
    if (pos_ < buffer_.size()) return true;
    pollfd p{in_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

bool Transport::read_header_line(std::string& line) {
    for (;;) {
        const size_t nl = buffer_.find('\n', pos_);
        if (nl != std::string::npos) {
            line.assign(buffer_, pos_, nl - pos_);
            pos_ = nl + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (!fill()) return false;
    }
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
        constexpr std::string_view key = "content-length:";
        if (line.size() > key.size() && strncasecmp(line.c_str(), key.data(), key.size()) == 0)
            length = std::strtol(line.c_str() + key.size(), nullptr, 10);
    }
    if (length < 0) return std::nullopt;
    const auto size = static_cast<size_t>(length);
    while (buffer_.size() - pos_ < size)
        if (!fill()) return std::nullopt;
    std::string body = buffer_.substr(pos_, size);
    pos_ += size;
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
