// Processor cores and the instruction-set features they carry.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tobra {

class Assembler;

struct CoreRow {
    const char* name;
    int32_t core_number;
    int32_t core_version;
    int32_t isa_level;
    int32_t mac_level;
    int32_t has_divide;
    int32_t has_usp;
    int32_t has_fpu;
    int32_t has_isa_a_plus;
    uint32_t control;  // the control registers movec may name (cr_bit of each)
};

inline constexpr int CORE_COUNT = 105;
inline constexpr int DEFAULT_CORE_ROW = 16;  // the 5206, as the fields below start
extern const CoreRow core_table[CORE_COUNT + 1];  // ends with a row of isa_level 0

// Every name of the core table in its order, separated by blanks.
std::string core_names();

class CoreState {
public:
    explicit CoreState(Assembler& assembler) : as(assembler) {}

    // Copies the row of that name into the current core, or reports an error
    // and returns false.
    bool select_core(std::string_view name);
    // The cpu directive.
    void directive_cpu();
    // The command line's choice, which every pass starts from.
    void keep_as_pass_start() { pass_start_ = current_; }
    void begin_pass() { apply(*pass_start_); }

    int32_t core_number = 0x5206;
    int32_t core_version = 0x20;
    int32_t isa_level = 2;
    int32_t mac_level = 0;
    int32_t has_divide = 0;
    int32_t has_usp = 0;
    int32_t has_fpu = 0;
    int32_t has_isa_a_plus = 0;
    uint32_t control = core_table[DEFAULT_CORE_ROW].control;

    // The ISA_B forms, which ISA_C has as well.
    bool isa_b() const { return isa_level >= 4; }

private:
    void apply(const CoreRow& row);
    const CoreRow* current_ = &core_table[DEFAULT_CORE_ROW];
    const CoreRow* pass_start_ = current_;
    Assembler& as;
};

} // namespace tobra
