// What one source line becomes and why: its address and bytes, the fields of
// its opcode and extension words, the parts that accept or refuse it, and for
// a refused line the nearest form that is accepted. Made by running the real
// assembler in process on the line, so it can never disagree with an assembly;
// `tobra --explain` prints it, an editor's hover can show the same record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tobra {

class Assembler;

// How a field's value reads.
enum class FieldKind : uint8_t {
    number,     // unsigned, as written
    signed8,    // a two's complement byte (a branch or brief displacement)
    signed16,   // a two's complement word
    branch8,    // a branch's byte displacement; 0 and $FF say a word or a long follows
    dreg,       // a data register number
    areg,       // an address register number
    reg,        // a register number that the mode beside it makes Dn or An
    da_reg,     // bits 3..0: D/A and the register (movec, movem's index)
    ea_mode,    // an effective address mode; its register is the next field
    ea_reg,     // the register of the mode before it
    size2,      // 00 byte, 01 word, 10 long
    size_move,  // 01 byte, 11 word, 10 long
    condition,  // a branch condition
    quick,      // 1..7, 0 reads as 8
    minus_one,  // 1..7, 0 reads as -1
    sign,       // 0 unsigned, 1 signed
    fp_format,  // the source register of a floating-point operation, or its format
    named,      // one of the names the format row lists for the field
};

// One field of a word: its name, bits hi..lo, value and what the value means.
struct ExplainField {
    std::string name;
    int hi = 0, lo = 0;
    uint32_t value = 0;
    std::string meaning;
};

// One word of the encoding: the opcode word, a second opcode word, or an
// extension word (displacement, immediate, brief index word, address).
struct ExplainWord {
    int offset = 0;  // from the line's first byte
    int bytes = 2;   // 2, or 4 for a long (an address, a long immediate)
    uint32_t value = 0;
    std::string what;  // "opcode word", "d16 displacement of the source", ...
    std::vector<ExplainField> fields;
};

// Parts that give one line the same result, named in core-table order.
struct PartGroup {
    bool accepted = false;
    std::string features;  // "ISA_A+ EMAC DIV USP"
    std::string message;   // the refusal, empty when accepted
    std::vector<std::string> parts;
};

struct Explanation {
    std::string line;  // the line explained (the first of the text)
    std::string part;  // the part it was assembled for
    bool accepted = false;
    bool is_directive = false;
    bool is_instruction = false;
    std::string mnemonic;   // as matched, with its size: "move.l"
    std::string format;     // the instruction format's name, when one was found
    std::string directive;  // what a directive did with the line
    std::string label;      // the line's label and its value: "start = $00000000"
    uint32_t address = 0;
    std::vector<uint8_t> bytes;
    long size = 0;                              // bytes the line takes (may exceed the bytes shown)
    std::vector<std::string> messages;          // errors and warnings of the line on the part
    std::vector<std::string> context_messages;  // those of the lines after it
    std::vector<ExplainWord> words;
    std::vector<PartGroup> parts;
    std::string nearest_kind;  // what the suggestion is: "sizes", "forms", "parts"
    std::vector<std::string> nearest;
};

// What the explanation is made with: the options of the command line that
// shape an assembly (-c, -f, -u, -r, -d, -n, -I, -D), as arguments.
struct ExplainRequest {
    std::string text;               // the line; lines after a newline are context
    std::string part;               // empty: the default part
    std::vector<std::string> args;  // other arguments given to every assembly
};

Explanation explain(const ExplainRequest& request);
// The terminal form: plain text in aligned columns.
std::string format_explanation(const Explanation& e);

// The --explain run of the command line: prints and returns the exit code.
int run_explain(Assembler& as);

// Decodes bytes of an instruction into words and fields, with the format
// table; the format's name, or empty when no row matches.
std::string decode_instruction(const std::vector<uint8_t>& bytes, std::vector<ExplainWord>& words);

}  // namespace tobra
