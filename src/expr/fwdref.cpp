// Forward-reference buffer.
#include "expr/fwdref.h"

#include <new>

#include "driver/assembler.h"

namespace tobra {

void ForwardRefs::alloc_fwd(long entries) {
    if (entries > FWD_MAX_RESERVE) entries = FWD_MAX_RESERVE;
    if (entries <= 0) return;
    try {
        fwd_buffer.reserve(static_cast<size_t>(entries));
    } catch (const std::bad_alloc&) {
        as.fatal_error("No mem for fwd refs");
    } catch (const std::length_error&) {
        as.fatal_error("No mem for fwd refs");
    }
}

void ForwardRefs::rewind_fwd() {
    expr_number = 1;
    next_fwd = fwd_buffer.empty() ? 0 : fwd_buffer[0];
    fwd_cursor = 1;
}

void ForwardRefs::record_undefined() {
    if (as.drv.pass_number != 1) return;
    // Inside a conditional block the expression has no number to record.
    if (as.drv.condition_level == 0) {
        try {
            fwd_buffer.push_back(expr_number);
        } catch (const std::bad_alloc&) {
            as.fatal_error("No mem for fwd refs");
        }
    }
    as.ev.expr_fwd = true;
}

void ForwardRefs::check_symbol_term() {
    if (as.drv.pass_number != 2 || as.drv.condition_level != 0) return;
    if (next_fwd == 0 || expr_number != next_fwd) return;
    as.ev.expr_fwd = true;
    next_fwd = fwd_cursor < fwd_buffer.size() ? fwd_buffer[fwd_cursor] : 0;
    ++fwd_cursor;
}

void ForwardRefs::number_expression() {
    if (as.drv.condition_level == 0) ++expr_number;
}

} // namespace tobra
