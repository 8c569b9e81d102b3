// The dispatcher: runs the handler of a matched variant, as its row in
// isa/handlers.def says.
#include "driver/assembler.h"
#include "driver/opt.h"
#include "encode/messages.h"
#include "isa/mnemonics.h"

namespace tobra {

namespace {

// Kept out of line: the lines it is for are rare.
[[gnu::cold]] [[gnu::noinline]] void begin_uninitialised_line(Assembler& as, Handler handler) {
    as.emit.begin_uninitialised_line(is_instruction(handler));
}

// An instruction at an odd address can never run: the processor fetches
// only from even addresses, and takes an address error there. The bytes are
// still what the line asks for, so this warns.
[[gnu::cold]] [[gnu::noinline]] void check_odd_instruction(Assembler& as, Handler handler) {
    // In a section without bytes the instruction is refused anyway.
    if (is_instruction(handler) && as.emit.stores_bytes(as.drv.current_section) && as.pass2_checks())
        as.report_warning(msg::CODE_INSTRUCTION_AT_AN_ODD_ADDRESS_CANNOT);
}

[[gnu::cold]] [[gnu::noinline]] void refuse_on_core(Assembler& as, Need need) {
    as.report_error(need_rows[need].refusal);
}

} // namespace

void Encoder::dispatch_handler(Statement& st, const Variant& variant) {
    const Handler handler = variant.handler();
    // Matching is over: an encoder names the operand a message is about.
    st.in_question = nullptr;
    if (!as.drv.assembling()) {
        const HandlerRow* row = find_handler(handler);
        as.dir.skip_line(st, row ? row->skipped : SKIP_NOTHING);
        return;
    }
    // Sections that keep no bytes refuse what would be lost there.
    if (!as.emit.stores_bytes(as.drv.current_section)) [[unlikely]]
        begin_uninitialised_line(as, handler);
    if (as.drv.location_counter & 1) [[unlikely]]
        check_odd_instruction(as, handler);
    if (as.drv.optimise_flags & OPT_INDEX) {
        // Only an indexed operand can be rewritten; most lines have none.
        Operand* const ops = st.operands;
        if (ops[0].cls == CLS_INDEXED) zero_displacement_rewrite(ops[0]);
        if (ops[1].cls == CLS_INDEXED) zero_displacement_rewrite(ops[1]);
    }
    // The form the line matched, not a later one, is refused on a part without
    // what it needs; the handler never runs, so both passes emit nothing.
    if (!meets(as.core.features, variant.need)) [[unlikely]] {
        refuse_on_core(as, variant.need);
        return;
    }
    const uint32_t opcode = variant.opcode;
    const uint32_t flags = variant.flags;
    switch (handler) {
#define HANDLER(name, number, runs, skipped, operands, label) \
    case name:                                                \
        runs;                                                 \
        break;
#include "isa/handlers.def"
#undef HANDLER
    default: as.fatal_error(msg::ERROR_IN_MNEMONIC_TABLE);
    }
}

} // namespace tobra
