#include <csignal>

#include "driver/assembler.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write must fail (and be reported), not kill the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    tobra::Assembler as(stdout);
    int code = as.run(argc, argv);
    as.con.flush();
    return code;
}
