// tobra-dump: prints the hunks of an object file written by tobra -o, or the
// sections, symbols and relocations of an ELF object (tobra --elf, or GNU as).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "output/elfread.h"
#include "output/objread.h"

namespace {

const char* const usage_text =
    "Usage: tobra-dump [-x] file\n"
    "Prints the hunks of a tobra object file (-o), one per line, in file order:\n"
    "  HEADER\n"
    "  IDNT1 \"text\"                  (IDNT2, IDNT3 alike)\n"
    "  PROCESSOR cccc version vvvv    core number and version in hex\n"
    "  CODE section 0 (code), N bytes\n"
    "  DATA section S (name), N bytes\n"
    "  BSS section S (name), N bytes\n"
    "  SYMBOL N bytes                 then one line per entry:\n"
    "    REF TYPE name: N offsets     TYPE is ABS8 ABS16 ABS32 PC8 PC16 PC32 REL8 REL16 REL32\n"
    "    EXPORT name: section S (name), value xxxxxxxx\n"
    "  RELOC16 section S (name), target T (name): N offsets\n"
    "  RELOC32 section S (name), target T (name): N offsets\n"
    "  BASEREF target T (name): N offsets\n"
    "  END\n"
    "Offsets follow their line, eight to a line, as eight hex digits, in file order.\n"
    "-x also dumps the bytes of the code and data hunks in hex.\n"
    "An ELF relocatable object is printed as\n"
    "  ELF relocatable, machine M, flags xxxxxxxx\n"
    "  SECTION i name TYPE FLAGS, N bytes, align A     (loaded sections; FLAGS of W A X I)\n"
    "  SECTION i .rela.name RELA I, N entries for section t (name)\n"
    "  SYMBOL i name: KIND BIND section s (name), value xxxxxxxx   (or UNDEF, ABS, COMMON)\n"
    "  RELA section t (name): N entries\n"
    "    offset TYPE symbol+addend   (a section symbol by its section's name)\n"
    "with -x dumping the bytes of the loaded sections.\n"
    "A file that does not follow the layout is rejected with a message on\n"
    "standard error and exit code 1; usage errors and unreadable files give 2.\n";

} // namespace

int main(int argc, char** argv) {
    bool show_contents = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-x") == 0) {
            show_contents = true;
        } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage_text, stdout);
            return 0;
        } else if (argv[i][0] == '-' || path) {
            std::fputs(usage_text, stderr);
            return 2;
        } else {
            path = argv[i];
        }
    }
    if (!path) {
        std::fputs(usage_text, stderr);
        return 2;
    }

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tobra-dump: %s: cannot open\n", path);
        return 2;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::fprintf(stderr, "tobra-dump: %s: read error\n", path);
        return 2;
    }

    std::string error;
    if (tobra::elfread::is_elf(bytes)) {
        auto elf = tobra::elfread::read(bytes, error);
        if (!elf) {
            std::fprintf(stderr, "tobra-dump: %s: %s\n", path, error.c_str());
            return 1;
        }
        std::string text = tobra::elfread::describe(*elf, show_contents);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    auto file = tobra::read_object(bytes, error);
    if (!file) {
        std::fprintf(stderr, "tobra-dump: %s: %s\n", path, error.c_str());
        return 1;
    }
    std::string text = tobra::describe_object(*file, show_contents);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
}
