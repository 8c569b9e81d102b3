// The dispatcher: runs the handler of a matched variant, as its row in
// isa/handlers.def says.
#include <array>

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

// What runs a handler: its row's call.
using Runner = void (*)(Assembler& as, Statement& st, uint32_t opcode, uint32_t flags);

[[gnu::cold]] void no_such_handler(Assembler& as, Statement&, uint32_t, uint32_t) {
    as.fatal_error(msg::ERROR_IN_MNEMONIC_TABLE);
}

// The calls of the rows by handler number. The dispatcher makes one indirect
// call, and keeps none of the handlers' code (and the registers it needs) in
// its own body.
constexpr auto runners = [] {
    std::array<Runner, 256> table{};
    for (Runner& r : table) r = no_such_handler;
#define HANDLER(name, number, runs, skipped, operands, label)                                  \
    table[name] = [](Assembler & as, Statement & st, uint32_t opcode, uint32_t flags) { \
        (void)as, (void)st, (void)opcode, (void)flags;                                  \
        runs;                                                                           \
    };
#include "isa/handlers.def"
#undef HANDLER
    return table;
}();
static_assert(sizeof(Handler) == 1, "runners has a row for every value of a handler number");

} // namespace

void Encoder::dispatch_handler(Statement& st, const Variant& variant) {
    const Handler handler = variant.handler();
    if (!leaves_lines_alike[handler]) ++as.src.state_changes;
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
    runners[handler](as, st, variant.opcode, variant.flags);
}

} // namespace tobra
