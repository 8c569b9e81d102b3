// Processor cores and the instruction-set features they carry.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "isa/features.h"

namespace tobra {

class Assembler;
struct Statement;

struct CoreRow {
    const char* name;
    int32_t core_number;
    int32_t core_version;
    uint16_t features;  // what the part has (CoreFeature bits)
    uint32_t control;   // the control registers movec may name (cr_bit of each)
};

inline constexpr int CORE_COUNT = 105;
inline constexpr int DEFAULT_CORE_ROW = 16;  // the 5206, as the fields below start
extern const CoreRow core_table[CORE_COUNT + 1];  // ends with a row without a name

// Every name of the core table in its order, separated by blanks.
std::string core_names();

class CoreState {
public:
    explicit CoreState(Assembler& assembler) : as(assembler) {}

    // Copies the row of that name into the current core, or reports an error
    // and returns false.
    bool select_core(std::string_view name);
    // The cpu directive.
    void directive_cpu(Statement& st);
    // The command line's choice, which every pass starts from.
    void keep_as_pass_start() { pass_start_ = current_; }
    // The core another assembler has now (the look-ahead's takes the main one's).
    void follow(const CoreState& other) {
        core_number = other.core_number;
        core_version = other.core_version;
        features = other.features;
        control = other.control;
        current_ = other.current_;
        pass_start_ = other.pass_start_;
    }
    void begin_pass() { apply(*pass_start_); }

    int32_t core_number = 0x5206;
    int32_t core_version = 0x20;
    uint16_t features = core_table[DEFAULT_CORE_ROW].features;
    uint32_t control = core_table[DEFAULT_CORE_ROW].control;

    bool has(CoreFeature feature) const { return (features & feature) != 0; }
    // The ISA_B forms, which ISA_C has as well.
    bool isa_b() const { return has(F_ISA_B); }

private:
    void apply(const CoreRow& row);
    const CoreRow* current_ = &core_table[DEFAULT_CORE_ROW];
    const CoreRow* pass_start_ = current_;
    Assembler& as;
};

} // namespace tobra
