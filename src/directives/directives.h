// Directives for symbols, origins, sections, data, conditional assembly and
// file inclusion, and the word reader they share.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "isa/handlers.h"

namespace tobra {

class Assembler;

inline constexpr int WORD_BUFFER_SIZE = 120;
// include_directory holds at most this many characters, its separator included.
inline constexpr size_t INCLUDE_DIRECTORY_MAX = 127;

class Directives {
public:
    explicit Directives(Assembler& as) : as(as) {}

    // The next word of the operand text (ends at blank, tab, comma or newline,
    // which is consumed; double quotes dropped). nullopt when nothing is left.
    // The view points into a buffer that the next call overwrites.
    std::optional<std::string_view> read_word_item();

    // While the innermost conditional block is skipped: the skip table.
    void skip_line(SkipAction action);

    void d_equ();
    void d_dc();
    void d_org(bool is_rorg);
    void d_ds();
    void d_align();
    void d_include();
    void d_endc();
    void d_if(Handler handler);   // H_IFD ... H_IFNE
    void d_else();
    void d_incdir();
    void d_xref();
    void d_xdef();
    void d_dr();
    void d_section();
    void d_idnt();
    void d_incbin();
    void d_boundary();
    void d_end();
    void d_page();

    // Filled in pass 2 by xdef, consumed by the object writer.
    std::vector<std::string> export_list;
    // Set once per run by idnt.
    std::optional<std::string> identification_strings[3];

private:
    // Emits count copies of the byte value (zero fill, ds fill, alignment).
    void emit_fill(int64_t count, int32_t value);
    // Zero bytes up to the next multiple of 4.
    void pad_to_long();
    // A new innermost conditional block, skipped until its test says otherwise.
    void open_block();
    // One operand of ifnc: a quoted string or a bare word.
    std::string read_compare_text();
    // Lists value in the address column of the listing.
    void list_value(int32_t value);

    Assembler& as;
    char word_buffer_[WORD_BUFFER_SIZE] = {};
};

} // namespace tobra
