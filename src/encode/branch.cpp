// Branches, floating-point branches and the zero-displacement rewrite.
//
// Every size decision here must come out the same in both passes, or the
// labels after the branch move between the passes. So a size is taken only
// from the suffix, from a displacement known in pass 1 already (a backward or
// absolute target), or from the forward mark that pass 2 replays.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

enum BranchSize { UNSIZED = 0, BYTE = 1, WORD = 2, LONG = 4 };

bool fits8(int32_t d) { return d >= -128 && d <= 127; }
bool fits16(int32_t d) { return d >= -32768 && d <= 32767; }

// An address a few bytes on; addresses wrap at 32 bits, as the location
// counter does.
int32_t address_plus(int32_t address, uint32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(address) + n);
}

int written_size(uint32_t mask) {
    if (mask & (SZ_B | SZ_S)) return BYTE;
    if (mask & SZ_W) return WORD;
    if (mask & SZ_L) return LONG;
    return UNSIZED;
}

// What a branch knows about its target.
struct Target {
    int32_t d;        // displacement from the word after the opcode
    bool external;
    bool undefined;
    bool other_section;  // in an object file: a label of another section, for the linker to reach
};

Target branch_target(const Assembler& as, const Operand& t, int32_t start, bool pass2) {
    Target r{};
    r.external = t.reloc_kind == KIND_EXTERNAL;
    r.undefined = t.reloc_kind == KIND_UNDEFINED;
    // Both passes ask the options, not the output opened in pass 2.
    r.other_section = t.reloc_kind == KIND_RELOCATABLE && t.sym_section != as.drv.current_section &&
                      as.options.relocatable_output;
    // Unknown targets get a displacement that every form can hold; the
    // linker, or pass 2, supplies the real one. In pass 1 a later name reads
    // as 0 also where an offset follows it (next+2), so whatever held a
    // forward reference is unknown there too.
    // Addresses wrap at 32 bits, so the distance is taken modulo 2^32.
    r.d = (r.external || r.undefined || r.other_section || (!pass2 && t.fwd))
              ? 2
              : static_cast<int32_t>(static_cast<uint32_t>(t.value) - (static_cast<uint32_t>(start) + 2u));
    return r;
}

// The native object's reference to an external name leaves a branch's field
// at 2, so it has no room for a constant added to the target: bsr ext+6
// would be linked as bsr ext. ELF keeps the constant in its addend. A
// distance (ext-*) as the target has a refusal of its own.
void check_external_offset(Assembler& as, const Operand& t, const Target& tg, bool pass2) {
    if (pass2 && tg.external && t.value != 0 && !t.pc_relative && as.options.relocatable_output && !as.options.named_sections)
        as.report_error(msg::BRANCH_OBJECT_FILE_HAS_NO_REFERENCE_FOR_AN);
}

} // namespace

void Encoder::h_branch(Statement& st, uint32_t op, uint32_t) {
    const Operand& t = st.operands[0];
    const int32_t start = as.drv.location_counter;
    ++as.drv.place_reads;
    const bool pass2 = as.drv.pass_number == 2;
    const Target tg = branch_target(as, t, start, pass2);
    const int32_t d = tg.d;

    // A branch the linker completes (to an external name, or in an object
    // file to another section) has the size written: a byte table of bra.s
    // stays one. Unsized, it is a word branch; a forward one keeps the
    // forward size, as pass 1 could not tell.
    int size = written_size(st.size);
    if (size == UNSIZED && (tg.external || (tg.other_section && !t.fwd))) size = WORD;
    if (size == UNSIZED) {
        // A target that was not yet known in pass 1 must get the same size in
        // pass 2, whatever its distance turns out to be.
        if (t.fwd || tg.undefined)
            size = as.options.forward_branch_size;
        // 0 and -1 in the byte field select the word and long forms.
        else if (!fits8(d) || d == 0 || d == -1)
            size = WORD;
        else if (d < 0 && (as.drv.optimise_flags & OPT_BRANCH))
            size = BYTE;
        else
            size = as.options.forward_branch_size;
    }
    if (size == LONG && !as.core.isa_b()) {
        as.report_error(msg::CORE_LONG_DISPLACMENT_NOT_ALLOWED_ON_THIS);
        return;
    }

    if (pass2 && tg.undefined) as.report_error(msg::BRANCH_INVALID_DESTINATION);
    check_external_offset(as, t, tg, pass2);

    // One error for a target out of reach, named after the size that cannot
    // hold it; the field keeps the low bits so later addresses stay put.
    int32_t field = address_plus(start, 2);
    int width = 0;
    int pc_base = 0;
    switch (size) {
    case BYTE:
        if (d == 0 || d == -1)
            as.report_error(msg::BRANCH_INVALID_DESTINATION);
        else if (!fits8(d))
            as.report_error(msg::BRANCH_BYTE_DESTINATION_OUT_OF_RANGE);
        as.emit.emit_word(static_cast<int32_t>(op) | (d & 0xFF));
        field = address_plus(start, 1);
        width = 1;
        pc_base = 1;  // the byte counts from the word after the opcode
        break;
    case WORD:
        if (!fits16(d)) as.report_error(msg::BRANCH_WORD_DESTINATION_OUT_OF_RANGE);
        // The opcode and the displacement word in one step.
        as.emit.emit_long(static_cast<int32_t>((op << 16) | (static_cast<uint32_t>(d) & 0xFFFF)));
        width = 2;
        break;
    default:
        as.emit.emit_word(static_cast<int32_t>(op | 0xFF));
        as.emit.emit_long(d);
        width = 4;
        break;
    }
    if (!tg.undefined)
        as.emit.value_fixup(t, field, width, FixupKind::pc_relative, pc_base);
    else if (!pass2 && t.fwd)
        as.replay.keep_late_field(static_cast<uint32_t>(field) - static_cast<uint32_t>(start), static_cast<uint32_t>(width),
                                  LineReplay::LateForm::displacement);
}

void Encoder::h_fbranch(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& t = st.operands[0];
    const int32_t start = as.drv.location_counter;
    ++as.drv.place_reads;
    const bool pass2 = as.drv.pass_number == 2;
    const Target tg = branch_target(as, t, start, pass2);
    const int32_t d = tg.d;
    // No byte form; an unsized floating-point branch is a word branch.
    const bool is_long = (size & SZ_L) != 0;

    if (pass2 && tg.undefined) as.report_error(msg::BRANCH_INVALID_DESTINATION);
    check_external_offset(as, t, tg, pass2);

    if (is_long) {
        as.emit.emit_word(static_cast<int32_t>(op | 0x40));
        as.emit.emit_long(d);
    } else {
        as.emit.emit_word(static_cast<int32_t>(op));
        if (!fits16(d)) as.report_error(msg::BRANCH_WORD_DESTINATION_OUT_OF_RANGE);
        as.emit.emit_word(d & 0xFFFF);
    }
    if (!tg.undefined)
        as.emit.value_fixup(t, address_plus(start, 2), is_long ? 4 : 2, FixupKind::pc_relative);
    else if (!pass2 && t.fwd)
        as.replay.keep_late_field(2, is_long ? 4 : 2, LineReplay::LateForm::displacement);
}

// Only the operand itself decides, so that pass 1 and pass 2 agree.
void Encoder::zero_displacement_rewrite(Operand& op) {
    if (op.cls == CLS_INDEXED && op.ext_form == ExtForm::d16 && op.value == 0 && op.is_abs &&
        op.reloc_kind < KIND_EXTERNAL) {
        op.cls = CLS_AN_IND;
        op.ext_form = ExtForm::none;
    }
}

} // namespace tobra
