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
    Transport(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

    // The next message's body, or nullopt at the end of the input (or a
    // header block without a length, after which nothing can be trusted).
    std::optional<std::string> read_body();
    void write(const nlohmann::json& message);

private:
    bool read_header_line(std::string& line);
    std::FILE* in_;
    std::FILE* out_;
};

} // namespace tobra::lsp
