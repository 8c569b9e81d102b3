// tobra-lsp: the assembler as a language server for editors, over standard
// input and output.
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "server.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::puts("usage: tobra-lsp\n"
                      "A language server for tobra's assembly sources: it speaks the Language Server\n"
                      "Protocol on standard input and output. Settings come from tobra-lsp.json at the\n"
                      "workspace root and from the client's initializationOptions (see docs/lsp.md).");
            // A help text that could not be written is no success.
            if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
                std::perror("tobra-lsp: can't write standard output");
                return 1;
            }
            return 0;
        }
        if (std::strcmp(argv[i], "--stdio") == 0) continue;  // what some clients add
        std::fprintf(stderr, "tobra-lsp: unknown argument %s\n", argv[i]);
        return 2;
    }
    // The protocol owns the real standard output; anything else the process
    // might print goes to standard error, where it cannot break a message.
    const int protocol = dup(STDOUT_FILENO);
    std::FILE* out = protocol >= 0 ? fdopen(protocol, "w") : nullptr;
    if (!out || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("tobra-lsp");
        return 1;
    }
    tobra::lsp::Transport transport(STDIN_FILENO, out);
    tobra::lsp::Server server(transport);
    return server.run();
}
