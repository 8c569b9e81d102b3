#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "driver/session.h"

namespace {

// A descriptor of 0, 1 or 2 left closed by the caller would be the next file
// the run opens: the listing or a message meant for the console would then
// be written into the output file. Each closed one is held by /dev/null,
// read-only, so that a write to it still fails and is reported.
bool hold_standard_descriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int held = open("/dev/null", O_RDONLY);
        if (held == fd) continue;
        if (held != -1) close(held);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!hold_standard_descriptors()) return 255;  // no file is safe to open
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
