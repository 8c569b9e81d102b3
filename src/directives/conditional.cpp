// Conditional assembly (if*, else, endc and the skip table) and file
// inclusion (include, incdir).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

void Directives::open_block(const Statement& st) {
    Driver& drv = as.drv;
    // The flags have 256 slots and slot 0 is the base level, so at most 255
    // blocks can be open.
    if (drv.condition_level >= CONDITION_DEPTH - 1) as.fatal_error(msg::MORE_THAN_256_NESTED_CONDITIONAL_BLOCKS);
    ++drv.condition_level;
    drv.condition_stack[drv.condition_level] = 0;
    block_name_test_[drv.condition_level] = NO_NAME_TEST;
    OpenBlock& b = block_open_[drv.condition_level];
    b.at = as.here();
    b.depth = as.mac.depth();
    b.body_line = as.mac.body_line();
    const size_t n = std::min(st.mnemonic.size(), sizeof b.name - 1);
    std::memcpy(b.name, st.mnemonic.data(), n);
    b.name[n] = '\0';
}

void Directives::close_block() {
    if (as.drv.condition_level <= scope_floor_) return;
    drop_block();
}

void Directives::drop_block() {
    Driver& drv = as.drv;
    if (drv.condition_level == 0) return;
    const size_t test = block_name_test_[drv.condition_level];
    if (drv.pass_number == 1 && test != NO_NAME_TEST) name_tests_[test].symbols_at_endc = as.sym.size();
    --drv.condition_level;
}

void Directives::reset_pass() {
    next_name_test_ = 0;
    scope_floor_ = 0;
}

void Directives::close_blocks_to(int level) {
    while (as.drv.condition_level > level && as.drv.condition_level > 0) drop_block();
}

int Directives::enter_scope() {
    const int outer = scope_floor_;
    scope_floor_ = as.drv.condition_level;
    return outer;
}

void Directives::leave_scope(int outer) { scope_floor_ = outer; }

std::vector<Directives::OpenBlock> Directives::close_scope_blocks() {
    std::vector<OpenBlock> open;
    for (int level = scope_floor_ + 1; level <= as.drv.condition_level; ++level)
        open.push_back(block_open_[level]);
    close_blocks_to(scope_floor_);
    return open;
}

void Directives::report_unclosed(const OpenBlock& block, const char* end_of) {
    char text[80];
    std::snprintf(text, sizeof text, msg::MISSING_ENDC_BEFORE_END_PRINTF.text, block.name, end_of);
    // Inside an expansion, the message names the body line that opened the block.
    as.report_error_at(block.at, msg::MISSING_ENDC_BEFORE_END_PRINTF.with(text),
                       block.depth == as.mac.depth() ? block.body_line : 0);
}

bool Directives::defined_above(const Statement& st, bool forward) {
    if (!forward || as.drv.pass_number != 1) return true;
    // A forward equate is written above, so the message says what it waits for.
    const std::string waiting = waiting_text();
    if (waiting.empty()) {
        as.report_error_arg(msg::VALUE_MUST_BE_DEFINED_BEFORE_THIS_LINE_FMT, st.mnemonic.data());
    } else {
        const std::string text = std::string(st.mnemonic) + ": value must be defined before this line - " + waiting;
        as.report_error(msg::DEFINED_BEFORE_THIS_LINE_WAITING_BUILT.with(text.c_str()));
    }
    return false;
}

bool Directives::constant_value(const Statement& st, const Operand& op) {
    const bool moves = op.reloc_kind == KIND_EXTERNAL ||
                       (op.reloc_kind == KIND_RELOCATABLE && as.options.relocatable_output);
    if (!moves) return true;
    as.report_error_arg(msg::VALUE_MUST_BE_A_CONSTANT_NOT_RELOCATABLE_FMT, st.mnemonic.data());
    return false;
}

// An origin, an alignment or a size that reads as the bits of 1.5 would
// place everything after it at a wrong address without a word.
bool Directives::whole_number(const Statement& st, const Operand& op) {
    if (!op.fraction) return true;
    as.report_error_arg(msg::VALUE_IS_A_FLOATING_POINT_NUMBER_FMT, st.mnemonic.data());
    return false;
}

// Pass 1 can only answer whether a name is defined so far, so pass 2 gives
// the same answer: a name defined further down reads as not defined. That is
// what a block that defines its own name is for (ifnd NAME, NAME equ 1,
// endc); a name defined only after the endc is reported, as the source
// surely meant the later definition.
bool Directives::name_defined_here(std::string_view name, bool& defined_later) {
    Driver& drv = as.drv;
    const SymbolRecord* s = as.sym.probe(name);
    if (drv.pass_number == 1) {
        block_name_test_[drv.condition_level] = name_tests_.size();
        name_tests_.push_back({as.sym.size(), SIZE_MAX});
        return s != nullptr;
    }
    if (next_name_test_ >= name_tests_.size()) return s != nullptr;
    const NameTest& test = name_tests_[next_name_test_++];
    if (!s || s->position < test.symbols_before) return s != nullptr;
    defined_later = s->position >= test.symbols_at_endc;
    return false;
}

std::string Directives::read_compare_text(TextCursor& c) {
    const char*& p = c.at;
    while (*p == ' ' || *p == '\t') ++p;
    std::string text;
    if (*p == '"' || *p == '\'') {
        // A doubled quote inside stands for one, as in a string.
        const char quote = *p++;
        for (; *p != '\0' && *p != '\n'; ++p) {
            if (*p == quote && p[1] != quote) break;
            if (*p == quote) ++p;
            text.push_back(*p);
        }
        if (*p == quote) ++p;
    } else {
        while (*p != '\0' && *p != '\n' && *p != ' ' && *p != '\t' && *p != ',') text.push_back(*p++);
    }
    return text;
}

void Directives::d_if(Statement& st, Handler handler) {
    Driver& drv = as.drv;
    TextCursor& c = st.cursor;
    const bool enclosing_assembled = drv.assembling();

    // Names are read before the block opens, so that a missing one is
    // reported at this line.
    std::string name;
    std::string first, second;
    if (handler == H_IFD || handler == H_IFND) {
        auto word = read_word_item(c);
        if (word && !word->starts_with(';')) name.assign(*word);
        // Nothing to test must not read as "not defined" (ifd \1 without the argument).
        if (name.empty()) as.report_error_arg(msg::NAME_EXPECTED_FMT, st.mnemonic.data());
    } else if (handler == H_IFNC || handler == H_IFC) {
        first = read_compare_text(c);
        while (c.peek() == ' ' || c.peek() == '\t') ++c.at;
        if (c.peek() == ',') {
            ++c.at;
            second = read_compare_text(c);
        } else {
            as.report_error(handler == H_IFNC ? msg::IFNC_EXPECTED_COMMA : msg::IFC_EXPECTED_COMMA);
        }
    }

    // An expression test with nothing to test (ifeq \1 in a macro called
    // without the argument) must not quietly take 0.
    const bool tests_value = handler != H_IFD && handler != H_IFND && handler != H_IFNC && handler != H_IFC;
    bool no_value = false;
    if (tests_value) {
        const char* p = c.at;
        while (*p == ' ' || *p == '\t') ++p;
        no_value = *p == '\0' || *p == '\n' || *p == ';';
        if (no_value) as.report_error_arg(msg::EXPRESSION_EXPECTED_FMT, st.mnemonic.data());
    }

    // The block is open (and skipped) while an expression is evaluated, so
    // the expression's own errors are silent and a name not defined counts as 0.
    open_block(st);
    bool holds = false;
    bool unknown = false;  // the test names something only defined further down
    bool moves = false;    // the value is an external name's or a label's whose address a linker decides
    bool fraction = false; // the value is the bits of a floating-point number (0.5 tests as true)
    switch (handler) {
    case H_IFD: holds = name_defined_here(name, unknown); break;
    case H_IFND: holds = !name_defined_here(name, unknown); break;
    case H_IFNC: holds = first != second; break;
    case H_IFC: holds = first == second; break;
    default: {
        if (no_value) break;
        int32_t value[2] = {0, 0};
        Operand op;
        if (as.ev.eval(c, value, op) != TYPE_USER) value[0] = 0;
        unknown = as.ev.expr_fwd;
        fraction = as.ev.expr_fraction;
        moves = op.reloc_kind == KIND_EXTERNAL ||
                (op.reloc_kind == KIND_RELOCATABLE && as.options.relocatable_output);
        switch (handler) {
        case H_IFEQ: holds = value[0] == 0; break;
        case H_IFGE: holds = value[0] >= 0; break;
        case H_IFGT: holds = value[0] > 0; break;
        case H_IFLE: holds = value[0] <= 0; break;
        case H_IFLT: holds = value[0] < 0; break;
        case H_IFNE: holds = value[0] != 0; break;
        default: break;
        }
    }
    }
    if (moves && !unknown && enclosing_assembled) {
        --drv.condition_level;
        as.report_error_arg(msg::VALUE_MUST_BE_A_CONSTANT_NOT_RELOCATABLE_FMT, st.mnemonic.data());
        ++drv.condition_level;
    }
    if (fraction && !moves && !unknown && enclosing_assembled) {
        --drv.condition_level;
        as.report_error_arg(msg::VALUE_IS_A_FLOATING_POINT_NUMBER_FMT, st.mnemonic.data());
        ++drv.condition_level;
    }
    if (unknown && enclosing_assembled) {
        // Reported for the line itself, not from inside the block it opened.
        --drv.condition_level;
        if (handler == H_IFD || handler == H_IFND) {
            const std::string format = std::string(st.mnemonic) + ": %s is defined after this line";
            as.report_error_arg(msg::IS_DEFINED_AFTER_THIS_LINE_BUILT.with(format.c_str()), name.c_str());
        } else {
            defined_above(st, true);
        }
        ++drv.condition_level;
    }
    if (holds && enclosing_assembled) drv.condition_stack[drv.condition_level] = 0xFF;
}

void Directives::d_else() {
    Driver& drv = as.drv;
    // Inverting the base level would silence the rest of the pass, and
    // inverting a block of the including text would reach outside the file.
    if (drv.condition_level <= scope_floor_) {
        as.report_error(msg::ELSE_NO_MATCHING_IF);
        return;
    }
    drv.condition_stack[drv.condition_level] = static_cast<uint8_t>(~drv.condition_stack[drv.condition_level]);
}

void Directives::d_endc() {
    Driver& drv = as.drv;
    if (drv.condition_level <= scope_floor_) {
        as.report_warning(msg::ENDC_NO_MATCHING_IF);
        return;
    }
    close_block();
}

void Directives::skip_line(Statement& st, SkipAction action) {
    Driver& drv = as.drv;
    switch (action) {
    case SKIP_OPEN_BLOCK:
        open_block(st);
        break;
    case SKIP_ELSE:
        if (drv.condition_level > 0 && drv.condition_stack[drv.condition_level - 1] != 0)
            drv.condition_stack[drv.condition_level] = static_cast<uint8_t>(~drv.condition_stack[drv.condition_level]);
        break;
    case SKIP_ENDC:
        close_block();
        break;
    case SKIP_COLLECT_MACRO:
    case SKIP_COLLECT_REPT:
        as.mac.skip_line(action == SKIP_COLLECT_MACRO);
        break;
    case SKIP_LIST_LABEL:
        if (!st.label.empty()) {
            if (const SymbolRecord* s = as.sym.probe(st.label)) list_value(s->value);
        }
        break;
    case SKIP_NOTHING:
        break;
    default:
        as.rec.skip_line(st, action);
        break;
    }
}

void Directives::d_include(Statement& st) {
    // A copy: the word buffer is reused by the lines of the included file.
    const std::string name = read_file_name(st.cursor);
    if (name.empty())
        as.report_error(msg::PASS_CANNOT_FIND_FILE);
    else
        as.src.assemble_file(name.c_str());
    // The include line itself is listed after the included lines, empty.
    as.lst.listing_count = 0;
    as.lst.listing_show_address = false;
    as.src.line_buffer[0] = '\n';
    as.src.line_buffer[1] = '\0';
}

std::string Directives::read_file_name(TextCursor& c) {
    const char*& p = c.at;
    if (*p != '"') {
        auto word = read_word_item(c);
        return std::string(word ? *word : std::string_view());
    }
    const char* start = ++p;
    while (*p != '"' && *p != '\n' && *p != '\0') ++p;
    std::string name(start, static_cast<size_t>(p - start));
    if (*p == '"') ++p;
    return name;
}

void Directives::d_incdir(Statement& st) {
    // Read as include reads its name, so a comment after it is no part of
    // the directory; a name with blanks is written in quotes.
    std::string dir = read_file_name(st.cursor);
    if (!dir.empty() && dir.back() != ':' && dir.back() != '/') dir.push_back('/');
    // An empty text clears the directory rather than making it "/".
    as.drv.include_directory = std::move(dir);
}

} // namespace tobra
