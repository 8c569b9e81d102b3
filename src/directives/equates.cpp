// Forward equates: alias equ label+4 written before label.
//
// Pass 1 makes the name at its line but leaves it without a value, so that
// every use reads it as not yet defined: sized as a forward reference, and
// an error where pass 1 needs the value (a count, a condition). When the name
// its expression missed is defined, the expression is evaluated again,
// before the next line, as it was written: with the line's address, section,
// size and global label. Pass 2 evaluates the equ line as any other and
// checks that it gives the same value.
#include <string>

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

void Directives::defer_equate(const Statement& st, std::string_view label) {
    Driver& drv = as.drv;
    const long errors = drv.error_count;
    as.sym.install(label, 0, TYPE_USER, KIND_EQUATE);
    SymbolRecord* r = as.sym.probe(label);
    if (!r || drv.error_count != errors) return;  // redefined: reported
    r->flags |= SYM_PENDING;

    ForwardEquate e;
    e.name.assign(label);
    // The expression as written; the scanner has read past it.
    const char* text = as.ev.expression_start();
    const char* end = st.cursor.at;
    e.text = " ";
    if (text && text <= end) e.text.append(text, static_cast<size_t>(end - text));
    e.waits_for.assign(as.ev.missed_name());
    e.global_label.assign(as.src.last_global_label());
    e.at = as.here();
    if (as.mac.expanding()) {
        Console context(nullptr);
        as.mac.print_context(context);
        e.context = context.captured();
    }
    for (int i = 0; i < as.ev.term_number && i < LINE_SYMBOL_SLOTS; ++i) {
        SymbolRecord* s = as.ev.line_symbols[i];
        if (s && (s->flags & SYM_SET)) e.set_names.push_back({s, s->value, s->base, s->kind, s->section, s->flags});
    }
    e.address = drv.line_start_address;
    e.section = drv.current_section;
    e.size_mask = st.size;
    const size_t index = forward_equates_.size();
    equate_index_.emplace(e.name, index);
    awaited_[e.waits_for].push_back(index);
    forward_equates_.push_back(std::move(e));
}

void Directives::wake_equates(std::string_view name) {
    auto it = awaited_.find(name);
    if (it == awaited_.end()) return;
    due_equates_.insert(due_equates_.end(), it->second.begin(), it->second.end());
    awaited_.erase(it);
    // The line loop pays no test for this: the way it takes for macro lines
    // evaluates them before the next line (MacroEngine::step).
    as.src.special_mode = true;
}

void Directives::resolve_due_equates() {
    while (!due_equates_.empty()) {
        std::vector<size_t> due;
        due.swap(due_equates_);
        for (size_t index : due)
            if (forward_equates_[index].open) try_equate(index);
    }
}

bool Directives::try_equate(size_t index) {
    Driver& drv = as.drv;
    Evaluator& ev = as.ev;
    ForwardEquate& e = forward_equates_[index];

    // What the evaluation reads or changes, which belongs to the line in hand.
    const int32_t line_start = drv.line_start_address;
    const int section = drv.current_section;
    const uint32_t expr_number = as.fwd.expr_number, inner_number = as.fwd.inner_number;
    const size_t fwd_entries = as.fwd.fwd_buffer.size();
    const size_t notes = as.sym.pass1_notes();
    const bool expr_fwd = ev.expr_fwd, expr_undefined = ev.expr_undefined, expr_float = ev.expr_float,
               expr_fraction = ev.expr_fraction;
    const int last_kind = ev.last_kind, last_section = ev.last_section;

    // The expression is read from its own text, under its line's size and
    // global label; the line in hand keeps its own.
    TextCursor text{e.text.c_str() + 1, e.text.c_str(), e.size_mask, FLOAT_DATA, e.global_label};
    drv.line_start_address = e.address;
    drv.current_section = e.section;
    // Between lines: the slots of the line's names are free.
    ev.begin_line();
    // Its own line reports what is wrong with the expression: pass 1 what
    // does not depend on names, pass 2 the rest.
    auto swap_set_names = [&e] {
        for (ForwardEquate::SetName& n : e.set_names) {
            SymbolRecord& r = *n.record;
            std::swap(r.value, n.value);
            std::swap(r.base, n.base);
            std::swap(r.kind, n.kind);
            std::swap(r.section, n.section);
            std::swap(r.flags, n.flags);
        }
    };
    swap_set_names();
    Operand op;
    int32_t value[2] = {0, 0};
    int type = 0;
    {
        struct Quiet {
            Assembler& as;
            explicit Quiet(Assembler& a) : as(a) { as.quiet = true; }
            ~Quiet() { as.quiet = false; }
        } quiet(as);
        type = ev.eval(text, value, op);
    }
    // The external it counts from, while the set names still hold their values.
    const SymbolRecord* based_on =
        op.reloc_kind == KIND_EXTERNAL ? as.sym.relocation_symbol(ev.line_symbol(op.sym_slot)) : nullptr;
    swap_set_names();
    const bool undefined = ev.expr_undefined;
    const bool fraction = ev.expr_fraction;
    const std::string missed(ev.missed_name());

    drv.line_start_address = line_start;
    drv.current_section = section;
    as.fwd.expr_number = expr_number;
    as.fwd.inner_number = inner_number;
    as.fwd.fwd_buffer.resize(fwd_entries);
    as.sym.drop_pass1_notes(notes);
    ev.expr_fwd = expr_fwd;
    ev.expr_undefined = expr_undefined;
    ev.expr_float = expr_float;
    ev.expr_fraction = expr_fraction;
    ev.last_kind = last_kind;
    ev.last_section = last_section;
    ev.begin_line();

    if (undefined) {
        e.waits_for = missed;
        awaited_[missed].push_back(index);
        return false;
    }
    e.open = false;
    SymbolRecord* r = as.sym.probe(e.name);
    if (!r) return true;
    r->flags = static_cast<uint8_t>(r->flags & ~SYM_PENDING);
    r->value = type == TYPE_USER ? value[0] : 0;
    if (op.reloc_kind == KIND_RELOCATABLE && as.options.relocatable_output) {
        r->kind = KIND_RELOCATABLE;
        r->section = op.sym_section;
    } else if (op.reloc_kind == KIND_EXTERNAL) {
        if (based_on) as.sym.make_based(*r, *based_on);
    } else if (e.size_mask == SZ_S || fraction) {
        r->flags |= SYM_SINGLE;
    }
    if (op.address && r->kind == KIND_EQUATE) r->flags |= SYM_ADDRESS;
    note_defined(e.name);
    return true;
}

void Directives::finish_equates() {
    resolve_due_equates();
    // Those still waiting: what they wait for is not defined anywhere, or
    // waits itself. Each waits for one name, so the equates that wait for
    // themselves are the loops of a walk along those names.
    const size_t n = forward_equates_.size();
    auto next = [&](size_t i) -> size_t {
        const auto it = equate_index_.find(forward_equates_[i].waits_for);
        return it != equate_index_.end() && forward_equates_[it->second].open ? it->second : n;
    };
    std::vector<uint8_t> state(n, 0);  // 0 not seen, 1 on the current walk, 2 done
    std::vector<bool> in_loop(n, false);
    for (size_t start = 0; start < n; ++start) {
        if (!forward_equates_[start].open || state[start]) continue;
        size_t i = start;
        while (i < n && state[i] == 0) {
            state[i] = 1;
            i = next(i);
        }
        if (i < n && state[i] == 1)
            for (size_t j = i; !in_loop[j]; j = next(j)) in_loop[j] = true;
        for (i = start; i < n && state[i] == 1; i = next(i)) state[i] = 2;
    }

    for (size_t i = 0; i < n; ++i) {
        ForwardEquate& e = forward_equates_[i];
        if (!e.open) continue;
        // The expansion the equ came from, as a message at its line shows it.
        std::string text = e.context + "equ: '" + e.name + "' - expression MUST evaluate";
        if (in_loop[i])
            text += ", its value depends on itself";
        else if (next(i) < n)
            text += ", " + e.waits_for + " has no value";
        else if (!e.waits_for.empty())
            text += ", " + e.waits_for + " is not defined";
        as.report_error_at(e.at, msg::EQU_EXPRESSION_MUST_EVALUATE_BUILT.with(text.c_str()));
    }
    for (ForwardEquate& e : forward_equates_) e.open = false;
    awaited_.clear();
}

std::string Directives::waiting_text() const {
    const std::string_view name = as.ev.missed_name();
    if (name.empty()) return {};
    const auto it = equate_index_.find(name);
    if (it == equate_index_.end() || !forward_equates_[it->second].open) return {};
    const ForwardEquate& e = forward_equates_[it->second];
    return e.name + " waits for " + e.waits_for;
}

} // namespace tobra
