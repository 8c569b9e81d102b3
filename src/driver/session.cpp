#include "driver/session.h"

#include "driver/assembler.h"
#include "driver/collect.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace tobra {

AssemblyResult assemble(const AssemblyRequest& request) {
    Assembler as(request.console);
    as.write_files = request.write_files;
    as.hold_diagnostics = request.hold_diagnostics;
    for (const auto& [path, text] : request.buffers) as.memory_files[path] = text;
    std::vector<const char*> argv{request.program.c_str()};
    for (const std::string& a : request.args) argv.push_back(a.c_str());
    if (!request.root.empty()) argv.push_back(request.root.c_str());
    AssemblyResult result;
    std::unique_ptr<Collector> collector;
    if (request.collect) {
        collector = std::make_unique<Collector>(as);
        as.collector = collector.get();
    }
    result.exit_code = as.run(static_cast<int>(argv.size()), argv.data());
    if (collector) collector->finish(result);
    result.diagnostics = std::move(as.held_diagnostics);
    as.con.flush();
    as.err.flush();
    // What the run printed was lost: the run failed, whatever else it made.
    // Each loss is told on the other stream.
    const auto lost = [&](const Console& stream, std::FILE* other, const char* name) {
        if (!stream.failed()) return;
        std::fprintf(other, "tobra: can't write %s: %s\n", name,
                     stream.failure() ? std::strerror(stream.failure()) : "write failed");
        std::fflush(other);
        result.exit_code = 255;
    };
    lost(as.con, stderr, "standard output");
    lost(as.err, request.console, "standard error");
    result.console = as.con.captured();
    if (!request.write_files) result.output.assign(as.emit.output_data.begin(), as.emit.output_data.end());
    return result;
}

} // namespace tobra
