// In-process runs that keep the assembler, so a test can read the symbols a
// source defined.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "test_util.h"

namespace tobra::test {

struct Session {
    std::unique_ptr<Assembler> as = std::make_unique<Assembler>(nullptr);
    RunResult r;

    // The value of a symbol, or nullopt when the source never defined it.
    std::optional<int32_t> sym(const std::string& name) const {
        const SymbolRecord* s = as->sym.probe(name);
        if (!s) return std::nullopt;
        return s->value;
    }
};

inline Session run_session(const std::string& source, std::vector<std::string> args = {"-b"},
                           const std::vector<std::pair<std::string, std::string>>& extra_files = {}) {
    Session s;
    s.as->write_files = false;
    s.as->memory_files["t.s"] = source;
    for (auto& f : extra_files) s.as->memory_files[f.first] = f.second;
    std::vector<const char*> argv{"tobra"};
    for (auto& a : args) argv.push_back(a.c_str());
    argv.push_back("t.s");
    s.r.exit_code = s.as->run(static_cast<int>(argv.size()), argv.data());
    s.r.out = s.as->con.captured();
    s.r.bytes = s.as->emit.output_data;
    return s;
}

// A listing line that shows value in the address column and no bytes.
inline std::string listed(const char* address, const std::string& text) {
    return std::string(address) + std::string(16, ' ') + text + "\n";
}

} // namespace tobra::test
