// A whole assembly in process that also reports where a label ended up, so a
// test can see the length of a line that drew an error (the output file is
// not written then).
#pragma once
#include <string>
#include <vector>

#include "driver/assembler.h"

namespace tobra::test {

struct Placed {
    std::string out;       // standard output
    int32_t address = -1;  // value of the label, -1 when it was not defined
};

inline Placed assemble_and_place(const std::string& source, const std::string& label,
                                 std::vector<std::string> args = {"-b"}) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = source;
    std::vector<const char*> argv{"tobra"};
    for (auto& a : args) argv.push_back(a.c_str());
    argv.push_back("t.s");
    as.run(static_cast<int>(argv.size()), argv.data());
    Placed p;
    p.out = as.con.captured();
    if (const SymbolRecord* s = as.sym.probe(label)) p.address = s->value;
    return p;
}

} // namespace tobra::test
