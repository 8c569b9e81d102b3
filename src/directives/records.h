// Structures, enumerations, bit definitions, library calls and class tags.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "isa/handlers.h"

namespace tobra {

class Assembler;
struct Operand;
struct Statement;
struct TextCursor;


class RecordDirectives {
public:
    explicit RecordDirectives(Assembler& assembler) : as(assembler) {}

    // Start of each pass.
    void reset_pass();
    // Skip-table action of these directives while a conditional block is skipped.
    void skip_line(Statement& st, SkipAction action);

    void d_structure(Statement& st, bool downward);
    void d_field(Statement& st, int size);
    void d_struct(Statement& st);
    void d_label(Statement& st);
    void d_bitdef(Statement& st);
    void d_lvo(Statement& st);
    void d_lvoreset();
    void d_call(Statement& st);
    void d_callres(Statement& st, bool user);
    void d_classtagbegin(Statement& st);
    void d_classtag(Statement& st);
    void d_classtagend(Statement& st);
    void d_classtagconcat(Statement& st);
    void d_enumreset();
    void d_enumset(Statement& st);
    void d_enum(Statement& st);

    int32_t structure_offset = 0;     // set to 0 whenever a source file starts
    int downward_structure = 0;
    int32_t enum_counter = 0;
    int32_t vector_counter = 0;
    int32_t class_tag_counter = 0;
    std::string name_buffer_1;        // the name composed last ("_lvo", "ct_", bitdef bit name)
    std::string name_buffer_2;        // bitdef mask name, callres base name

private:
    // The next word of the operand text, copied out of the word reader's buffer.
    std::optional<std::string> read_name(TextCursor& c);
    // prefix + name into buffer, at any length.
    static void compose(std::string& buffer, std::string_view prefix, std::string_view name);
    // A user constant of the absolute kind.
    void define(const std::string& name, int32_t value);
    // Shows value in the listing's address column.
    void list_value(int32_t value);
    // One expression at the cursor; false (value 0) when no term is there.
    bool eval_operand(TextCursor& c, int32_t& value, Operand& op);
    // The field directives share this: list, install, move the offset.
    void define_field(const std::optional<std::string>& name, int32_t size);
    // bitdef's two names from prefix and name.
    void compose_bit_names(const std::string& prefix, const std::string& name);

    // Skip-table actions.
    void skip_list_symbol(const std::string& name);
    void skip_classtag_start(Statement& st);
    void skip_classtag(Statement& st);
    void skip_classtagend(Statement& st);

    Assembler& as;
};

// Signed 32-bit counters wrap like the machine's registers instead of
// overflowing, whatever values a source feeds them.
inline int32_t wrap_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrap_sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

} // namespace tobra
