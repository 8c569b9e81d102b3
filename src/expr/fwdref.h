// Forward-reference buffer: which expressions held a forward reference in pass 1.
#pragma once
#include <cstdint>
#include <vector>

namespace tobra {

class Assembler;

inline constexpr long FWD_DEFAULT_SIZE = 8192;

class ForwardRefs {
public:
    explicit ForwardRefs(Assembler& as) : as(as) {}

    void alloc_fwd(long entries);
    void rewind_fwd();
    // Pass 1: a symbol term whose name is not found.
    void record_undefined();
    // Pass 2: every symbol term.
    void check_symbol_term();
    // End of every eval.
    void number_expression();

    std::vector<int32_t> fwd_buffer;
    size_t fwd_cursor = 0;
    long fwd_free = 0;
    int32_t expr_number = 1;
    int32_t next_fwd = 0;

private:
    Assembler& as;
};

} // namespace tobra
