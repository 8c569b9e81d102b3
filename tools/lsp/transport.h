// The wire of the language server: JSON-RPC 2.0 messages, each after a
// header block that gives its length ("Content-Length: N", a blank line).
#pragma once
#include <cstdio>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tobra::lsp {

class Transport {
public:
    Transport(int in, std::FILE* out) : in_(in), out_(out) {}

    // The next message's body, or nullopt at the end of the input (or a
    // header block without a length, after which nothing can be trusted).
    std::optional<std::string> read_body();
    // Whether a message (or part of one) is waiting: reading would not block.
    bool input_waiting();
    void write(const nlohmann::json& message);

private:
    bool fill();  // reads what is there, blocking until something is; false at the end
    bool read_header_line(std::string& line);
    int in_;
    std::FILE* out_;
    std::string buffer_;
    size_t pos_ = 0;
};

} // namespace tobra::lsp
