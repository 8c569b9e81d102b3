#include "driver/assembler.h"

int main(int argc, char** argv) {
    tobra::Assembler as(stdout);
    int code = as.run(argc, argv);
    as.con.flush();
    return code;
}
