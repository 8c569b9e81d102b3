// One diagnostic as the machine-readable forms (--diagnostics=json, sarif)
// describe it: what the human forms print, in fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tobra {

enum class Severity : uint8_t { error, warning, note };

// A frame of the expansion the message arose in, outermost first: the
// macro (or repeat block) and the line of its body.
struct ExpansionFrame {
    bool macro = true;
    std::string name;     // macro name; empty for a repeat block
    long repetition = 0;  // repeat block: which repetition, from 1
    size_t body_line = 0;
};

struct DiagnosticRecord {
    Severity severity = Severity::error;
    uint16_t code = 0;
    std::string text;  // as the default form prints it, without location or context
    bool located = false;
    std::string file;  // as named
    std::string path;  // as found
    long line = 0;     // 0: the file as a whole
    // Columns counted in characters from 1, end one past the last; 0: none known.
    long begin_column = 0, end_column = 0;
    std::vector<ExpansionFrame> context;
};

} // namespace tobra
