// libFuzzer entry point: assembles one byte buffer as a source file, in process.
// The first byte picks a few options so that the output writers and the core
// checks are exercised too; the file system is never touched.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/assembler.h"
#include "fuzz_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t mode = size ? data[0] : 0;
    tobra::Assembler as(nullptr);
    as.write_files = false;
    as.memory_only = true;
    as.memory_output_limit = 16u << 20;  // a valid "ds.l 250000000" must not stall the run
    as.mac.line_limit = 1 << 18;         // nor a valid "rept 10000000"
    as.memory_files["f.s"] = std::string(reinterpret_cast<const char*>(data), size);
    as.memory_files["inc.i"] = " nop\nincl: dc.l incl\n";
    std::vector<const char*> argv{"tobra"};
    if (mode & 1) argv.push_back("-l");
    tobra::fuzz::push_mode_options(argv, mode);
    argv.push_back("f.s");
    as.run(static_cast<int>(argv.size()), argv.data());
    return 0;
}
