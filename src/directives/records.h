// Structures, enumerations, bit definitions, library calls and class tags.
#pragma once
#include <cstdint>
#include <string>

namespace tobra {

class Assembler;

class RecordDirectives {
public:
    explicit RecordDirectives(Assembler& as) : as(as) {}

    // Start of each pass.
    void reset_pass();
    // Skip-table action of these directives while a conditional block is skipped.
    void skip_line(int handler);

    void d_structure(bool downward);  // 111, 118
    void d_field(int size);           // 112 (1), 113 (2), 114 (4)
    void d_struct();                  // 115
    void d_label();                   // 116
    void d_bitdef();                  // 117
    void d_lvo();                     // 135
    void d_lvoreset();                // 136
    void d_call();                    // 137
    void d_callres(bool user);        // 162, 163
    void d_classtagbegin();           // 156
    void d_classtag();                // 157
    void d_classtagend();             // 158
    void d_classtagconcat();          // 164
    void d_enumreset();               // 175
    void d_enumset();                 // 176
    void d_enum();                    // 177

    int32_t structure_offset = 0;     // set to 0 whenever a source file starts
    int downward_structure = 0;
    int32_t enum_counter = 0;
    int32_t vector_counter = 0;
    int32_t class_tag_counter = 0;
    std::string name_buffer_1;
    std::string name_buffer_2;

private:
    Assembler& as;
};

} // namespace tobra
