#include "driver/session.h"

#include "driver/assembler.h"

namespace tobra {

AssemblyResult assemble(const AssemblyRequest& request) {
    Assembler as(nullptr);
    as.write_files = request.write_files;
    as.hold_diagnostics = true;
    for (const auto& [path, text] : request.buffers) as.memory_files[path] = text;
    std::vector<const char*> argv{"tobra"};
    for (const std::string& a : request.args) argv.push_back(a.c_str());
    argv.push_back(request.root.c_str());
    AssemblyResult result;
    result.exit_code = as.run(static_cast<int>(argv.size()), argv.data());
    result.diagnostics = std::move(as.held_diagnostics);
    result.console = as.con.captured();
    result.output.assign(as.emit.output_data.begin(), as.emit.output_data.end());
    return result;
}

} // namespace tobra
