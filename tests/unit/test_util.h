// Runs a whole assembly in process: the source is served from memory and the
// output file stays in memory.
#pragma once
#include <string>
#include <vector>

#include "driver/assembler.h"

namespace tobra::test {

struct RunResult {
    int exit_code = 0;
    std::string out;    // standard output
    std::string bytes;  // the output file (empty when none was written)
};

// args come before the source file "t.s"; extra files are served from memory too.
inline RunResult assemble(const std::string& source, std::vector<std::string> args = {"-b"},
                          const std::vector<std::pair<std::string, std::string>>& extra_files = {}) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = source;
    for (auto& f : extra_files) as.memory_files[f.first] = f.second;
    std::vector<const char*> argv{"tobra"};
    for (auto& a : args) argv.push_back(a.c_str());
    argv.push_back("t.s");
    RunResult r;
    r.exit_code = as.run(static_cast<int>(argv.size()), argv.data());
    r.out = as.con.captured();
    r.bytes = as.emit.output_data;
    return r;
}

// The output bytes as lower-case hex words, e.g. "4e71 4e75" (groups of two bytes).
inline std::string hex_words(const std::string& bytes) {
    static const char* H = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i && i % 2 == 0) s += ' ';
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        s += H[c >> 4];
        s += H[c & 15];
    }
    return s;
}

} // namespace tobra::test
