// Runs tobra or the GNU m68k assembler on a batch of instruction forms and
// tells, form by form, what each made of it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace xcheck {

enum class Tool { tobra, gnu };

const char* tool_name(Tool tool);

// True when the GNU m68k assembler and objcopy are on the PATH.
bool gnu_available();

// The first line of GNU's --version text.
std::string gnu_version();

// The ColdFire part names GNU's assembler lists in its help text.
std::vector<std::string> gnu_coldfire_parts();

struct Outcome {
    enum Kind { accepted, refused, broken } kind = broken;
    std::string bytes;    // accepted: the bytes of this form alone
    std::string message;  // refused: the error text; broken: what went wrong
};

// Assembles all `sources` (one instruction form each, in that tool's syntax)
// for `core` in as few runs as possible: every form sits between two labels
// and a table of label offsets closes the file, so one run yields the bytes
// of every form. A form that draws an error is refused and the others are
// assembled again without it (an error in one pass can hide later ones).
std::vector<Outcome> assemble_batch(Tool tool, const std::string& core, const std::vector<std::string>& sources,
                                    const std::filesystem::path& dir);

// One run only: which forms draw an error. The others count as accepted,
// without their bytes.
std::vector<Outcome> refusals(Tool tool, const std::string& core, const std::vector<std::string>& sources,
                              const std::filesystem::path& dir);

} // namespace xcheck
