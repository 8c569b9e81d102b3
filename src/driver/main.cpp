#include <csignal>

#include "driver/session.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write must fail (and be reported), not kill the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The command line goes through the library's entry point, as an editor's request does.
    tobra::AssemblyRequest request;
    request.program = argc > 0 && argv[0] ? argv[0] : "tobra";
    for (int i = 1; i < argc; ++i) request.args.emplace_back(argv[i]);
    request.write_files = true;
    request.collect = false;
    request.console = stdout;
    request.hold_diagnostics = false;
    return tobra::assemble(request).exit_code;
}
