// Forward-reference buffer.
#include "expr/fwdref.h"

#include <new>

#include "driver/assembler.h"
#include "expr/messages.h"

namespace tobra {

void ForwardRefs::alloc_fwd(long entries) {
    if (entries > FWD_MAX_RESERVE) entries = FWD_MAX_RESERVE;
    if (entries <= 0) return;
    try {
        fwd_buffer.reserve(static_cast<size_t>(entries));
    } catch (const std::bad_alloc&) {
        as.fatal_error(msg::NO_MEM_FOR_FWD_REFS);
    } catch (const std::length_error&) {
        as.fatal_error(msg::NO_MEM_FOR_FWD_REFS);
    }
}

uint64_t ForwardRefs::current_key() const { return key_at(as.drv.condition_level); }

void ForwardRefs::rewind_fwd() {
    expr_number = 1;
    inner_number = 0;
    next_fwd = fwd_buffer.empty() ? NO_KEY : fwd_buffer[0];
    fwd_cursor = 1;
}

void ForwardRefs::record_undefined() {
    if (as.drv.pass_number != 1) return;
    try {
        fwd_buffer.push_back(current_key());
    } catch (const std::bad_alloc&) {
        if (!as.free_spare_memory()) as.fatal_error(msg::NO_MEM_FOR_FWD_REFS);
        record_undefined();
        return;
    }
    as.ev.expr_fwd = true;
}

void ForwardRefs::check_symbol_term() {
    if (as.drv.pass_number != 2) return;
    const uint64_t key = current_key();
    // Keys of expressions that pass 2 did not evaluate (a block whose
    // condition changed) must not hold up the ones after them.
    while (next_fwd < key) pass_mark();
    if (next_fwd != key) return;
    as.ev.expr_fwd = true;
    pass_mark();
}

} // namespace tobra
