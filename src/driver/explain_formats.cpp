// The instruction formats as the explanation shows them: one row per format,
// the bits of its opcode word and what follows it, each checkable against the
// processor manual line by line. The assembler never reads this table; it
// only names the bits of words the encoders have already written.
#include <array>
#include <cstdio>

#include "driver/explain.h"

namespace tobra {

namespace {

using K = FieldKind;

struct FieldSpec {
    const char* name = nullptr;  // nullptr: no field
    uint8_t hi = 0, lo = 0;
    FieldKind kind = K::number;
    const char* const* names = nullptr;  // K::named: one per value, nullptr where none
};

// What comes after the opcode word, in order.
enum class After : uint8_t {
    none,
    ea,       // the extension words of an effective address of the opcode word
    word,     // one word, with its own fields
    imm,      // an immediate of the operation size
    branch,   // a word or a long when the 8-bit displacement is 0 or $FF
    fbranch,  // a word, or a long when bit 6 is set
    tpf,      // none, a word or a long, by the opmode
};

struct AfterSpec {
    After kind = After::none;
    const char* what = nullptr;
    uint8_t mode_field = 0, reg_field = 0;  // for ea: the opcode word's fields
    std::array<FieldSpec, 5> fields{};      // for word
};

// Where the operation size of an immediate comes from.
enum class OpSize : uint8_t { none, byte, word, lng, field76, move, bit6, fp };

struct FormatRow {
    uint16_t mask, match;
    const char* name;
    OpSize size;
    std::array<FieldSpec, 7> fields;
    std::array<AfterSpec, 3> after;
};

constexpr FieldSpec F(const char* name, int hi, int lo, FieldKind kind = K::number) {
    return {name, static_cast<uint8_t>(hi), static_cast<uint8_t>(lo), kind};
}
constexpr FieldSpec NAMED(const char* name, int hi, int lo, const char* const* names) {
    return {name, static_cast<uint8_t>(hi), static_cast<uint8_t>(lo), K::named, names};
}
constexpr AfterSpec EA(const char* what, int mode_field, int reg_field) {
    return {After::ea, what, static_cast<uint8_t>(mode_field), static_cast<uint8_t>(reg_field), {}};
}
constexpr AfterSpec WORD(const char* what, std::array<FieldSpec, 5> fields = {}) {
    return {After::word, what, 0, 0, fields};
}
constexpr AfterSpec IMM{After::imm, "immediate data", 0, 0, {}};
constexpr AfterSpec BRANCH{After::branch, "displacement", 0, 0, {}};
constexpr AfterSpec FBRANCH{After::fbranch, "displacement", 0, 0, {}};
constexpr AfterSpec TPF{After::tpf, "ignored operand", 0, 0, {}};

// The source effective address in bits 5..0, the usual place.
constexpr FieldSpec MODE = F("ea mode", 5, 3, K::ea_mode);
constexpr FieldSpec REG = F("ea register", 2, 0, K::ea_reg);

constexpr std::array<FieldSpec, 5> BIT_NUMBER{F("bit number", 7, 0)};
constexpr std::array<FieldSpec, 5> REG_MASK{F("a7..a0", 15, 8), F("d7..d0", 7, 0)};

// What a field's value selects, by value.
constexpr const char* IMM_OPS[8] = {"ori", "andi", "subi", "addi", nullptr, "eori", "cmpi", nullptr};
constexpr const char* BIT_OPS[4] = {"btst", "bchg", "bclr", "bset"};
constexpr const char* UNARY_OPS[16] = {"negx",  nullptr, "clr", nullptr, "neg",   nullptr, "not",   nullptr,
                                       nullptr, nullptr, "tst", nullptr, nullptr, nullptr, nullptr, nullptr};
constexpr const char* EXT_OPS[8] = {nullptr, nullptr, "ext.w", "ext.l", nullptr, nullptr, nullptr, "extb.l"};
constexpr const char* SHIFT_TYPES[4] = {"arithmetic", "logical", nullptr, nullptr};
constexpr const char* CACHES[4] = {nullptr, "data", "instruction", "both"};
constexpr const char* TPF_OPERANDS[8] = {nullptr, nullptr, "a word", "a long", "none", nullptr, nullptr, nullptr};

// Searched in order: a narrower mask comes before a wider one that would
// also match. The field lists name the fields from the high bits down; the
// indexes in EA() count into them.
// clang-format off
constexpr FormatRow format_rows[] = {
    // mask    match   format                   size            opcode-word fields; then what follows
    {0xFFFF, 0x4E71, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4E75, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4E73, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4AFC, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4AC8, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4ACC, "no operands",            OpSize::none,   {}, {}},
    {0xFFFF, 0x4E72, "stop #data",             OpSize::word,   {}, {WORD("status register value")}},
    {0xFFFF, 0x40E7, "strldsr #data",          OpSize::word,   {}, {WORD("second opcode word (move to sr)"), WORD("status register value")}},
    {0xFFFF, 0x4E7B, "movec Rn,Rc",            OpSize::lng,    {}, {WORD("control register word", {F("register", 15, 12, K::da_reg), F("control register", 11, 0)})}},
    {0xFFF8, 0x51F8, "tpf",                    OpSize::none,   {NAMED("operand", 2, 0, TPF_OPERANDS)}, {TPF}},
    {0xFFF0, 0x4E40, "trap #vector",           OpSize::none,   {F("vector", 3, 0)}, {}},
    {0xFFF8, 0x4E50, "link An,#d16",           OpSize::none,   {F("address register", 2, 0, K::areg)}, {WORD("displacement", {F("displacement", 15, 0, K::signed16)})}},
    {0xFFF8, 0x4E58, "unlk An",                OpSize::none,   {F("address register", 2, 0, K::areg)}, {}},
    {0xFFF0, 0x4E60, "move usp",               OpSize::lng,    {F("direction (1: from usp)", 3, 3), F("address register", 2, 0, K::areg)}, {}},
    {0xFFF8, 0x4840, "swap Dn",                OpSize::none,   {F("data register", 2, 0, K::dreg)}, {}},
    {0xFE38, 0x4800, "ext Dn",                 OpSize::none,   {NAMED("opmode", 8, 6, EXT_OPS), F("data register", 2, 0, K::dreg)}, {}},
    {0xFBC0, 0x48C0, "movem",                  OpSize::lng,    {F("direction (1: to registers)", 10, 10), MODE, REG}, {WORD("register mask", REG_MASK), EA("the effective address", 1, 2)}},
    {0xFFC0, 0x4840, "pea <ea>",               OpSize::lng,    {MODE, REG}, {EA("the effective address", 0, 1)}},
    {0xFFC0, 0x4EC0, "jmp <ea>",               OpSize::none,   {MODE, REG}, {EA("the effective address", 0, 1)}},
    {0xFFC0, 0x4E80, "jsr <ea>",               OpSize::none,   {MODE, REG}, {EA("the effective address", 0, 1)}},
    {0xFFC0, 0x4AC0, "tas <ea>",               OpSize::byte,   {MODE, REG}, {EA("the effective address", 0, 1)}},
    {0xFFF8, 0x4C80, "sats Dn",                OpSize::none,   {F("data register", 2, 0, K::dreg)}, {}},
    {0xFFC0, 0x4C00, "mul.l <ea>,Dl",          OpSize::lng,    {MODE, REG}, {WORD("second opcode word", {F("Dl", 14, 12, K::dreg), F("signed", 11, 11, K::sign), F("size (0: 32-bit)", 10, 10), F("register (not read)", 2, 0)}), EA("the effective address", 0, 1)}},
    {0xFFC0, 0x4C40, "div.l <ea>,Dq",          OpSize::lng,    {MODE, REG}, {WORD("second opcode word", {F("Dq", 14, 12, K::dreg), F("signed", 11, 11, K::sign), F("size (0: 32-bit)", 10, 10), F("Dr", 2, 0, K::dreg)}), EA("the effective address", 0, 1)}},
    {0xFFC0, 0x40C0, "move sr,Dn",             OpSize::word,   {MODE, REG}, {EA("the destination", 0, 1)}},
    {0xFFC0, 0x42C0, "move ccr,Dn",            OpSize::word,   {MODE, REG}, {EA("the destination", 0, 1)}},
    {0xFFC0, 0x44C0, "move <ea>,ccr",          OpSize::word,   {MODE, REG}, {EA("the source", 0, 1)}},
    {0xFFC0, 0x46C0, "move <ea>,sr",           OpSize::word,   {MODE, REG}, {EA("the source", 0, 1)}},
    {0xF1C0, 0x41C0, "lea <ea>,An",            OpSize::lng,    {F("address register", 11, 9, K::areg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF100, 0x4000, "clr/neg/negx/not/tst",   OpSize::field76,{NAMED("operation", 11, 8, UNARY_OPS), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 2, 3)}},
    {0xFFF8, 0x00C0, "bitrev Dn",              OpSize::none,   {F("data register", 2, 0, K::dreg)}, {}},
    {0xFFF8, 0x02C0, "byterev Dn",             OpSize::none,   {F("data register", 2, 0, K::dreg)}, {}},
    {0xFFF8, 0x04C0, "ff1 Dn",                 OpSize::none,   {F("data register", 2, 0, K::dreg)}, {}},
    {0xFF00, 0x0800, "bit op #n,<ea>",         OpSize::byte,   {NAMED("operation", 7, 6, BIT_OPS), MODE, REG}, {WORD("bit number", BIT_NUMBER), EA("the destination", 1, 2)}},
    {0xF100, 0x0100, "bit op Dn,<ea>",         OpSize::byte,   {F("bit number register", 11, 9, K::dreg), NAMED("operation", 7, 6, BIT_OPS), MODE, REG}, {EA("the destination", 2, 3)}},
    {0xF100, 0x0000, "op #data,Dn",            OpSize::field76,{NAMED("operation", 11, 9, IMM_OPS), F("size", 7, 6, K::size2), F("data register", 2, 0, K::dreg)}, {IMM}},
    {0xF000, 0x1000, "move <ea>,<ea>",         OpSize::move,   {F("size", 13, 12, K::size_move), F("destination register", 11, 9, K::reg), F("destination mode", 8, 6, K::ea_mode), F("source mode", 5, 3, K::ea_mode), F("source register", 2, 0, K::ea_reg)}, {EA("the source", 3, 4), EA("the destination", 2, 1)}},
    {0xF000, 0x2000, "move <ea>,<ea>",         OpSize::move,   {F("size", 13, 12, K::size_move), F("destination register", 11, 9, K::reg), F("destination mode", 8, 6, K::ea_mode), F("source mode", 5, 3, K::ea_mode), F("source register", 2, 0, K::ea_reg)}, {EA("the source", 3, 4), EA("the destination", 2, 1)}},
    {0xF000, 0x3000, "move <ea>,<ea>",         OpSize::move,   {F("size", 13, 12, K::size_move), F("destination register", 11, 9, K::reg), F("destination mode", 8, 6, K::ea_mode), F("source mode", 5, 3, K::ea_mode), F("source register", 2, 0, K::ea_reg)}, {EA("the source", 3, 4), EA("the destination", 2, 1)}},
    {0xF000, 0x5000, "addq/subq #q,<ea>",      OpSize::field76,{F("data", 11, 9, K::quick), F("subtract", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the destination", 3, 4)}},
    {0xF000, 0x6000, "bcc/bra/bsr",            OpSize::none,   {F("condition", 11, 8, K::condition), F("displacement", 7, 0, K::branch8)}, {BRANCH}},
    {0xF100, 0x7000, "moveq #data,Dn",         OpSize::none,   {F("data register", 11, 9, K::dreg), F("data", 7, 0, K::signed8)}, {}},
    {0xF100, 0x7100, "mvs/mvz <ea>,Dn",        OpSize::bit6,   {F("data register", 11, 9, K::dreg), F("zero fill", 7, 7), F("size (0: byte)", 6, 6), MODE, REG}, {EA("the source", 3, 4)}},
    {0xF1C0, 0x80C0, "divu.w <ea>,Dn",         OpSize::word,   {F("data register", 11, 9, K::dreg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0x81C0, "divs.w <ea>,Dn",         OpSize::word,   {F("data register", 11, 9, K::dreg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1F8, 0x9180, "subx Dy,Dx",             OpSize::none,   {F("Dx", 11, 9, K::dreg), F("Dy", 2, 0, K::dreg)}, {}},
    {0xF1F8, 0xD180, "addx Dy,Dx",             OpSize::none,   {F("Dx", 11, 9, K::dreg), F("Dy", 2, 0, K::dreg)}, {}},
    {0xF1C0, 0x91C0, "suba <ea>,An",           OpSize::lng,    {F("address register", 11, 9, K::areg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xD1C0, "adda <ea>,An",           OpSize::lng,    {F("address register", 11, 9, K::areg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xB1C0, "cmpa.l <ea>,An",         OpSize::lng,    {F("address register", 11, 9, K::areg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xB0C0, "cmpa.w <ea>,An",         OpSize::word,   {F("address register", 11, 9, K::areg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xC0C0, "mulu.w <ea>,Dn",         OpSize::word,   {F("data register", 11, 9, K::dreg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xC1C0, "muls.w <ea>,Dn",         OpSize::word,   {F("data register", 11, 9, K::dreg), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF1C0, 0xA140, "mov3q #q,<ea>",          OpSize::lng,    {F("data", 11, 9, K::minus_one), MODE, REG}, {EA("the destination", 1, 2)}},
    {0xF000, 0x8000, "or",                   OpSize::field76,{F("data register", 11, 9, K::dreg), F("direction (1: to <ea>)", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 3, 4)}},
    {0xF000, 0x9000, "sub",                  OpSize::field76,{F("data register", 11, 9, K::dreg), F("direction (1: to <ea>)", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 3, 4)}},
    {0xF000, 0xB000, "cmp/eor",                OpSize::field76,{F("data register", 11, 9, K::dreg), F("direction (1: to <ea>)", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 3, 4)}},
    {0xF000, 0xC000, "and",                  OpSize::field76,{F("data register", 11, 9, K::dreg), F("direction (1: to <ea>)", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 3, 4)}},
    {0xF000, 0xD000, "add",                  OpSize::field76,{F("data register", 11, 9, K::dreg), F("direction (1: to <ea>)", 8, 8), F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 3, 4)}},
    {0xFFC0, 0xA900, "move <ea>,macsr",        OpSize::lng,    {MODE, REG}, {EA("the source", 0, 1)}},
    {0xFFF0, 0xA980, "move macsr,Rn",          OpSize::none,   {F("register", 3, 0, K::da_reg)}, {}},
    {0xFFFF, 0xA9C0, "move macsr,ccr",         OpSize::none,   {}, {}},
    {0xFFC0, 0xAD00, "move <ea>,mask",         OpSize::lng,    {MODE, REG}, {EA("the source", 0, 1)}},
    {0xFFF0, 0xAD80, "move mask,Rn",           OpSize::none,   {F("register", 3, 0, K::da_reg)}, {}},
    {0xF9F0, 0xA110, "move ACCx,ACCy",         OpSize::none,   {}, {}},
    {0xF9C0, 0xA100, "move <ea>,ACCn",         OpSize::lng,    {F("accumulator", 10, 9), MODE, REG}, {EA("the source", 1, 2)}},
    {0xF9F0, 0xA180, "move ACCn,Rn",           OpSize::none,   {F("accumulator", 10, 9), F("register", 3, 0, K::da_reg)}, {}},
    {0xF9F0, 0xA1C0, "movclr ACCn,Rn",         OpSize::none,   {F("accumulator", 10, 9), F("register", 3, 0, K::da_reg)}, {}},
    {0xF000, 0xA000, "MAC unit",               OpSize::none,   {}, {}},
    {0xF000, 0xE000, "shift Dn",               OpSize::none,   {F("count or register", 11, 9), F("left", 8, 8), F("size", 7, 6, K::size2), F("count in a register", 5, 5), NAMED("type", 4, 3, SHIFT_TYPES), F("data register", 2, 0, K::dreg)}, {}},
    {0xFFF8, 0xF428, "intouch (An)",           OpSize::none,   {F("address register", 2, 0, K::areg)}, {}},
    {0xFF38, 0xF428, "cpushl cache,(An)",      OpSize::none,   {NAMED("cache", 7, 6, CACHES), F("address register", 2, 0, K::areg)}, {}},
    {0xFFC0, 0xFBC0, "wdebug <ea>",            OpSize::lng,    {MODE, REG}, {WORD("second opcode word"), EA("the effective address", 0, 1)}},
    {0xFF00, 0xFB00, "wddata <ea>",            OpSize::field76,{F("size", 7, 6, K::size2), MODE, REG}, {EA("the effective address", 1, 2)}},
    {0xFF80, 0xF280, "fbcc",                   OpSize::none,   {F("long displacement", 6, 6), F("condition", 5, 0)}, {FBRANCH}},
    {0xFFC0, 0xF300, "fsave <ea>",             OpSize::none,   {MODE, REG}, {EA("the destination", 0, 1)}},
    {0xFFC0, 0xF340, "frestore <ea>",          OpSize::none,   {MODE, REG}, {EA("the source", 0, 1)}},
    {0xFFC0, 0xF200, "floating point",         OpSize::fp,     {MODE, REG}, {WORD("command word", {F("opclass", 15, 13), F("source register or format", 12, 10, K::fp_format), F("destination (by opclass)", 9, 7), F("opmode", 6, 0)}), EA("the effective address", 0, 1)}},
};
// clang-format on

const char* const condition_names[16] = {"t (bra)", "f (bsr)", "hi", "ls", "cc", "cs", "ne", "eq",
                                         "vc",      "vs",      "pl", "mi", "ge", "lt", "gt", "le"};

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "$%X", value);
    return text;
}

uint32_t bits(uint32_t word, int hi, int lo) { return (word >> lo) & ((1u << (hi - lo + 1)) - 1); }

std::string field_meaning(FieldKind kind, uint32_t v, const char* const* names = nullptr) {
    static const char* const sizes2[4] = {"byte", "word", "long", "-"};
    static const char* const sizes_move[4] = {"-", "byte", "long", "word"};
    static const char* const fp_formats[8] = {"long", "single", "-", "-", "word", "double", "byte", "-"};
    switch (kind) {
    case K::number: return hex(v);
    case K::signed8: return std::to_string(static_cast<int8_t>(v));
    case K::branch8:
        return v == 0      ? "a 16-bit displacement follows"
               : v == 0xFF ? "a 32-bit displacement follows"
                           : std::to_string(static_cast<int8_t>(v));
    case K::signed16: return std::to_string(static_cast<int16_t>(v));
    case K::dreg: return "d" + std::to_string(v);
    case K::areg: return "a" + std::to_string(v);
    case K::da_reg: return (v & 8 ? "a" : "d") + std::to_string(v & 7);
    case K::size2: return sizes2[v & 3];
    case K::size_move: return sizes_move[v & 3];
    case K::condition: return condition_names[v & 15];
    case K::quick: return std::to_string(v == 0 ? 8 : v);
    case K::minus_one: return std::to_string(v == 0 ? -1 : static_cast<int>(v));
    case K::named: return names && names[v] ? names[v] : hex(v);
    case K::sign: return v ? "signed" : "unsigned";
    case K::fp_format: return "fp" + std::to_string(v) + ", or from <ea>: " + fp_formats[v & 7];
    case K::reg:
    case K::ea_mode:
    case K::ea_reg: return std::to_string(v);  // named with their pair below
    }
    return hex(v);
}

// The effective address a mode and register name, and how many extension
// bytes it takes at the operation size.
std::string ea_name(uint32_t mode, uint32_t reg) {
    const std::string r = std::to_string(reg);
    switch (mode) {
    case 0: return "d" + r;
    case 1: return "a" + r;
    case 2: return "(a" + r + ")";
    case 3: return "(a" + r + ")+";
    case 4: return "-(a" + r + ")";
    case 5: return "(d16,a" + r + ")";
    case 6: return "(d8,a" + r + ",Xi)";
    default: break;
    }
    static const char* const special[8] = {"abs.w", "abs.l", "(d16,pc)", "(d8,pc,Xi)", "#immediate", "-", "-", "-"};
    return special[reg & 7];
}

struct Reader {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
    bool has(size_t n) const { return at + n <= bytes.size(); }
    uint32_t take(size_t n) {
        uint32_t v = 0;
        for (size_t i = 0; i < n; ++i) v = (v << 8) | bytes[at + i];
        at += n;
        return v;
    }
};

void push_word(std::vector<ExplainWord>& words, Reader& r, int n, std::string what) {
    ExplainWord w;
    w.offset = static_cast<int>(r.at);
    w.bytes = n;
    w.value = r.take(static_cast<size_t>(n));
    w.what = std::move(what);
    words.push_back(std::move(w));
}

// A branch displacement, counted from the word after the opcode word.
void push_displacement(std::vector<ExplainWord>& words, Reader& r, int n, std::string what) {
    push_word(words, r, n, std::move(what));
    ExplainWord& w = words.back();
    const int32_t d = n == 2 ? static_cast<int16_t>(w.value) : static_cast<int32_t>(w.value);
    w.fields.push_back({"displacement", n * 8 - 1, 0, w.value, std::to_string(d)});
}

void add_ea_words(std::vector<ExplainWord>& words, Reader& r, uint32_t mode, uint32_t reg, int imm_bytes,
                  const std::string& of) {
    if (mode < 5) return;
    if (mode == 5 || (mode == 7 && reg == 2)) {
        if (!r.has(2)) return;
        push_word(words, r, 2, "d16 displacement of " + of);
        words.back().fields.push_back(
            {"displacement", 15, 0, words.back().value, std::to_string(static_cast<int16_t>(words.back().value))});
        return;
    }
    if (mode == 6 || (mode == 7 && reg == 3)) {
        if (!r.has(2)) return;
        push_word(words, r, 2, "brief index word of " + of);
        ExplainWord& w = words.back();
        const uint32_t v = w.value;
        const uint32_t xn = bits(v, 14, 12);
        w.fields.push_back(
            {"index register", 15, 12, bits(v, 15, 12), (bits(v, 15, 15) ? "a" : "d") + std::to_string(xn)});
        w.fields.push_back({"index size", 11, 11, bits(v, 11, 11), bits(v, 11, 11) ? "long" : "word"});
        w.fields.push_back({"scale", 10, 9, bits(v, 10, 9), "*" + std::to_string(1u << bits(v, 10, 9))});
        w.fields.push_back({"displacement", 7, 0, bits(v, 7, 0), std::to_string(static_cast<int8_t>(bits(v, 7, 0)))});
        return;
    }
    if (mode == 7 && reg == 0 && r.has(2)) push_word(words, r, 2, "absolute short address of " + of);
    if (mode == 7 && reg == 1 && r.has(4)) push_word(words, r, 4, "absolute long address of " + of);
    if (mode == 7 && reg == 4) {
        // A double is two longs; anything else one word or one long.
        for (int left = imm_bytes; left > 0 && r.has(left > 4 ? 4 : static_cast<size_t>(left)); left -= 4)
            push_word(words, r, left >= 4 ? 4 : 2, "immediate data of " + of);
    }
}

int immediate_bytes(const FormatRow& row, uint32_t op, uint32_t second) {
    switch (row.size) {
    case OpSize::byte:
    case OpSize::word: return 2;
    case OpSize::lng: return 4;
    case OpSize::field76: return bits(op, 7, 6) == 2 ? 4 : 2;
    case OpSize::move: return bits(op, 13, 12) == 2 ? 4 : 2;
    case OpSize::bit6: return 2;
    case OpSize::fp: {
        static const int by_format[8] = {4, 4, 12, 12, 2, 8, 2, 12};
        return by_format[bits(second, 12, 10)];
    }
    case OpSize::none: return 0;
    }
    return 0;
}

}  // namespace

std::string decode_instruction(const std::vector<uint8_t>& bytes, std::vector<ExplainWord>& words) {
    if (bytes.size() < 2) return {};
    Reader r{bytes};
    const uint32_t op = (static_cast<uint32_t>(bytes[0]) << 8) | bytes[1];
    const FormatRow* row = nullptr;
    for (const FormatRow& f : format_rows)
        if ((op & f.mask) == f.match) {
            row = &f;
            break;
        }
    push_word(words, r, 2, "opcode word");
    if (!row) {
        while (r.has(2)) push_word(words, r, 2, "extension word");
        return {};
    }
    const size_t opcode_index = words.size() - 1;
    for (const FieldSpec& f : row->fields) {
        if (!f.name) break;
        const uint32_t v = bits(op, f.hi, f.lo);
        words[opcode_index].fields.push_back({f.name, f.hi, f.lo, v, field_meaning(f.kind, v, f.names)});
    }
    uint32_t second = 0;
    for (const AfterSpec& a : row->after) {
        switch (a.kind) {
        case After::none: break;
        case After::word: {
            if (!r.has(2)) break;
            push_word(words, r, 2, a.what);
            ExplainWord& w = words.back();
            if (second == 0) second = w.value;
            for (const FieldSpec& f : a.fields) {
                if (!f.name) break;
                const uint32_t v = bits(w.value, f.hi, f.lo);
                w.fields.push_back({f.name, f.hi, f.lo, v, field_meaning(f.kind, v, f.names)});
            }
            break;
        }
        case After::imm: {
            const int n = immediate_bytes(*row, op, second);
            if (r.has(static_cast<size_t>(n))) push_word(words, r, n, a.what);
            break;
        }
        case After::branch: {
            const uint32_t d8 = bits(op, 7, 0);
            if (d8 == 0 && r.has(2)) push_displacement(words, r, 2, "16-bit displacement");
            if (d8 == 0xFF && r.has(4)) push_displacement(words, r, 4, "32-bit displacement");
            break;
        }
        case After::fbranch:
            if (r.has(bits(op, 6, 6) ? 4 : 2)) push_displacement(words, r, bits(op, 6, 6) ? 4 : 2, "displacement");
            break;
        case After::tpf: {
            const uint32_t m = bits(op, 2, 0);
            if (m == 2 && r.has(2)) push_word(words, r, 2, a.what);
            if (m == 3 && r.has(4)) push_word(words, r, 4, a.what);
            break;
        }
        case After::ea: {
            ExplainField& mode = words[opcode_index].fields[a.mode_field];
            ExplainField& reg = words[opcode_index].fields[a.reg_field];
            const std::string name = ea_name(mode.value, reg.value);
            mode.meaning = std::to_string(mode.value) + " " + name;
            reg.meaning = std::to_string(reg.value);
            add_ea_words(words, r, mode.value, reg.value, immediate_bytes(*row, op, second), a.what);
            break;
        }
        }
    }
    // Words the row does not name are still shown: the MAC unit's extension
    // word, or what the line adds after the instruction (-r: a nop after rts).
    const bool mac = (row->match & 0xF000) == 0xA000 && row->mask == 0xF000;
    while (r.has(2)) push_word(words, r, 2, mac ? "extension word" : "further word of the line");
    return row->name;
}

}  // namespace tobra
