// Which fixups an object file must carry, and as what.
#include "output/format.h"

#include <string>

#include "driver/assembler.h"
#include "output/messages.h"

namespace tobra {

FixupDecision place_fixup(const Fixup& f) {
    if (!f.symbol && f.target_section < 0) return {Placement::resolved, {0, nullptr}};
    // A field narrower than a byte (a quick count, a trap vector) has no
    // relocation in any object format.
    if (f.width == 0) return {Placement::refused, msg::RELOC_NO_RELOCATION_CAN_HOLD_THIS_FIELD};
    if (f.symbol) return {Placement::external, {0, nullptr}};
    switch (f.kind) {
    case FixupKind::base_relative:
        // The base register points into basedata; nothing else lies within its reach.
        if (f.target_section == SEC_BASEDATA || f.target_section == SEC_BASEBSS)
            return {Placement::base_reference, {0, nullptr}};
        return {Placement::refused, msg::INDEX_OFFSET_MUST_BE_IN_BASEDATA};
    case FixupKind::pc_relative:
        // Within one section the distance is known now; across sections it
        // depends on how the linker places them.
        if (f.target_section == f.section) return {Placement::resolved, {0, nullptr}};
        return {Placement::relocation, {0, nullptr}};
    case FixupKind::absolute: break;
    }
    return {Placement::relocation, {0, nullptr}};
}

void fixup_internal_error(Assembler& as, const char* writer, const char* what) {
    as.fatal_error(msg::INTERNAL_ERROR_BUILT.with((std::string(writer) + ": internal error: " + what).c_str()));
}

} // namespace tobra
