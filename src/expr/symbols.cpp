// The symbol table.
#include "expr/symbols.h"

#include <array>

#include <cstdlib>
#include <cstring>
#include <new>

#include "driver/assembler.h"
#include "driver/collect.h"
#include "expr/messages.h"
#include "isa/registers.h"

namespace tobra {

namespace {
constexpr int INITIAL_SLOT_BITS = 10;
constexpr size_t RECORD_UNITS = (sizeof(SymbolRecord) + 7) / 8;

// 8-byte units taken by a record and its NUL-terminated name.
size_t entry_units(size_t name_length) { return RECORD_UNITS + (name_length + 1 + 7) / 8; }

// Whether the first and the last sizeof(W) of n bytes (sizeof(W) <= n <=
// 2 * sizeof(W)) of a and b are the same: then all n are.
template <typename W>
[[gnu::always_inline]] inline bool same_ends(const char* a, const char* b, size_t n) {
    W a0, b0, a1, b1;
    std::memcpy(&a0, a, sizeof(W));
    std::memcpy(&b0, b, sizeof(W));
    std::memcpy(&a1, a + n - sizeof(W), sizeof(W));
    std::memcpy(&b1, b + n - sizeof(W), sizeof(W));
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

// Whether a record holds this name. Names are short: two overlapping loads
// of each compare up to sixteen bytes, which costs less than a call to memcmp
// or a loop over the bytes.
[[gnu::always_inline]] inline bool holds_name(const SymbolRecord* r, std::string_view name) {
    const size_t n = name.size();
    if (r->name_length != n) return false;
    const char* a = r->name();
    const char* b = name.data();
    if (n >= 8) return n <= 16 ? same_ends<uint64_t>(a, b, n) : std::memcmp(a, b, n) == 0;
    if (n >= 4) return same_ends<uint32_t>(a, b, n);
    if (n >= 2) return same_ends<uint16_t>(a, b, n);
    return n == 0 || a[0] == b[0];
}

// The last one to eight bytes of a name as one word, from at most two
// overlapping loads that never read past the name.
inline uint64_t tail_word(const char* p, size_t n) {
    uint64_t w = 0;
    if (n >= 4) {
        uint32_t lo, hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + n - 4, 4);
        w = lo | (uint64_t{hi} << (8 * (n - 4)));
    } else if (n >= 2) {
        uint16_t lo, hi;
        std::memcpy(&lo, p, 2);
        std::memcpy(&hi, p + n - 2, 2);
        w = lo | (uint64_t{hi} << (8 * (n - 2)));
    } else if (n == 1) {
        w = static_cast<uint8_t>(p[0]);
    }
    return w;
}

// The sum of the eight bytes of a word: pairs of bytes added in four 16-bit
// lanes (each at most 510), then the lanes added into the top one by a
// multiplication (at most 2040, so no lane carries into the next).
inline uint64_t byte_sum(uint64_t w) {
    constexpr uint64_t LOW_BYTES = 0x00FF00FF00FF00FFull;
    w = (w & LOW_BYTES) + ((w >> 8) & LOW_BYTES);
    return (w * 0x0001000100010001ull) >> 48;
}
} // namespace

SymbolTable::SymbolTable(Assembler& assembler)
    : as(assembler), slots_(zeroed_slots(size_t{1} << INITIAL_SLOT_BITS)), slot_count_(size_t{1} << INITIAL_SLOT_BITS),
      slot_bits_(INITIAL_SLOT_BITS) {}

LargeArray<SymbolTable::Slot> SymbolTable::zeroed_slots(size_t n) {
    // Below the size offered to huge pages, calloc: memory the system hands
    // over is zero already, and calloc does not clear it again.
    if (n * sizeof(Slot) < HUGE_PAGE_BYTES) {
        void* p = std::calloc(n, sizeof(Slot));
        if (!p) throw std::bad_alloc();
        return LargeArray<Slot>(static_cast<Slot*>(p));
    }
    LargeArray<Slot> slots = make_large_array<Slot>(n);
    std::memset(static_cast<void*>(slots.get()), 0, n * sizeof(Slot));
    return slots;
}


// The index's own hash, a word of the name at a time: most names are read in
// one or two loads. The top 32 bits of the mix are kept. A name that ends in
// a digit is hashed without it, and the digit becomes the tag's low four
// bits: L120 to L129, or .L40 to .L49, are near one another in the index
// (see slot_of), so that defining or using them in turn touches one or two
// lines of memory instead of ten.
uint32_t SymbolTable::index_tag(std::string_view name) {
    constexpr uint64_t K = 0x9E3779B97F4A7C15ull;
    const char* p = name.data();
    size_t n = name.size();
    const uint32_t last_digit = n > 1 ? static_cast<uint32_t>(static_cast<uint8_t>(p[n - 1]) - '0') : 10;
    if (last_digit < 10) --n;
    // Seeded apart, so that D and D5 do not come to one tag.
    uint64_t h = (n + (last_digit < 10 ? 0x101 : 1)) * K;
    for (; n > 8; n -= 8, p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * K;
        h ^= h >> 32;
    }
    h = (h ^ tail_word(p, n)) * K;
    h ^= h >> 29;
    const uint32_t tag = static_cast<uint32_t>((h * 0xBF58476D1CE4E5B9ull) >> 32);
    return last_digit < 10 ? (tag & ~0xFu) | last_digit : tag;
}

// Twice the slots, or, in a large file read far enough to tell, room for
// the names its rest will bring at the file's own rate so far: each
// doubling between would take a fresh table and rehash every name. A few
// steps at most at once, so that a dense start (a header of equates) cannot
// ask for much more than the file needs.
int SymbolTable::growth_bits(int bits, size_t count, const FileProgress& at) {
    constexpr uint64_t SAMPLE_BYTES = 256 << 10;
    constexpr int MOST_STEPS = 6;
    int grown = bits + 1;
    if (at.read < SAMPLE_BYTES || at.size <= at.read || count < at.names_before) return grown;
    const double rate = static_cast<double>(count - at.names_before) / static_cast<double>(at.read);
    const double expected = static_cast<double>(count) + rate * static_cast<double>(at.size - at.read);
    while (grown < bits + MOST_STEPS && static_cast<double>(size_t{1} << grown) < 2 * expected) ++grown;
    return grown;
}

bool SymbolTable::make_room() {
    if ((count_ + 1) * 2 <= slot_count_) return false;
    int bits = growth_bits(slot_bits_, count_, as.src.stream_progress());
    LargeArray<Slot> bigger;
    try {
        bigger = zeroed_slots(size_t{1} << bits);
    } catch (const std::bad_alloc&) {
        // Room for the rest was only a guess: doubling is what must fit.
        if (bits == slot_bits_ + 1) throw;
        bits = slot_bits_ + 1;
        bigger = zeroed_slots(size_t{1} << bits);
    }
    const size_t count = size_t{1} << bits;
    const size_t mask = count - 1;
    for (size_t j = 0; j < slot_count_; ++j) {
        const Slot& s = slots_[j];
        if (!s.ref) continue;
        size_t i = slot_of(s.tag, bits);
        while (bigger[i].ref) i = (i + 1) & mask;
        bigger[i] = s;
    }
    slots_ = std::move(bigger);
    slot_count_ = count;
    slot_bits_ = bits;
    return true;
}

void SymbolTable::add_to_index(uint32_t ref, uint32_t tag) {
    const size_t mask = slot_count_ - 1;
    size_t i = slot_of(tag, slot_bits_);
    while (slots_[i].ref) i = (i + 1) & mask;
    slots_[i] = Slot{tag, ref};
}

SymbolRecord* SymbolTable::new_record(std::string_view name, uint32_t& ref) {
    const size_t units = entry_units(name.size());
    if (units * 8 > CHUNK_BYTES) throw std::bad_alloc();  // a name of a megabyte
    if (chunks_.empty() || chunk_used_ + units * 8 > chunk_capacity_) {
        if (chunks_.size() >= (size_t{1} << (32 - OFFSET_BITS)) - 1) throw std::bad_alloc();
        // The first block is a quarter of the others, in plain pages: most
        // programs never fill it, and a large one then takes huge pages.
        // (A reference still counts the first block as a whole one.)
        // The block is in the list before the table counts on it: when memory
        // runs out, the last block stays the one records go to.
        const bool first = chunks_.empty() && units * 8 <= FIRST_CHUNK_BYTES;
        const size_t capacity = first ? FIRST_CHUNK_BYTES : CHUNK_BYTES;
        chunks_.reserve(chunks_.size() + 1);
        chunks_.push_back(make_large_array<char>(capacity, !first));
        chunk_capacity_ = capacity;
        chunk_used_ = 0;
    }
    char* at = chunks_.back().get() + chunk_used_;
    ref = static_cast<uint32_t>(((chunks_.size() - 1) << OFFSET_BITS) + chunk_used_ / 8 + 1);
    chunk_used_ += units * 8;
    auto* r = new (at) SymbolRecord;
    char* copy = at + RECORD_UNITS * 8;
    std::memcpy(copy, name.data(), name.size());
    copy[name.size()] = '\0';
    r->name_length = static_cast<uint32_t>(name.size());
    order_[count_] = ref;  // install made the room
    r->position = static_cast<uint32_t>(count_++);
    return r;
}

int SymbolTable::symbol_hash(std::string_view name) {
    // Unsigned so that no name, however long, can give a negative bucket.
    // Every label is summed when it is made, so eight bytes go in one step.
    const char* p = name.data();
    size_t n = name.size();
    uint64_t sum = 0;
    for (; n > 8; n -= 8, p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        sum += byte_sum(w);
    }
    sum += byte_sum(tail_word(p, n));
    return static_cast<int>(sum % SYMBOL_BUCKETS);
}

SymbolRecord* SymbolTable::probe(std::string_view name) const {
    uint32_t ref;
    size_t slot;
    return probe_tagged(name, index_tag(name), ref, slot);
}

// Inline in find, where most lookups come from.
[[gnu::always_inline]] inline SymbolRecord* SymbolTable::probe_tagged(std::string_view name, uint32_t tag,
                                                                      uint32_t& ref, size_t& slot) const {
    const size_t mask = slot_count_ - 1;
    for (size_t i = slot_of(tag, slot_bits_);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        ref = s.ref;
        slot = i;
        if (!s.ref) return nullptr;
        if (s.tag != tag) continue;
        SymbolRecord* r = record_at(s.ref);
        if (holds_name(r, name)) return r;
    }
}

SymbolRecord* SymbolTable::find(std::string_view name) {
    if (as.collector) [[unlikely]]
        as.collector->referenced(name);
    if (as.drv.pass_number != 2) {
        const uint32_t tag = index_tag(name);
        uint32_t ref = 0;
        size_t slot;
        SymbolRecord* r = probe_tagged(name, tag, ref, slot);
        // The notes only save time: when memory runs out they just stop, and
        // pass 2 looks up the rest in full.
        if (!notes_stopped_) {
            try {
                if (!r) missed_.emplace_back(static_cast<uint32_t>(found_.size()), tag);
                found_.push_back(ref);
                if (found_.size() >= UINT32_MAX) notes_stopped_ = true;
            } catch (const std::bad_alloc&) {
                notes_stopped_ = true;
                if (missed_.size() && missed_.back().first == found_.size()) missed_.pop_back();
            }
        }
        return r;
    }
    if (found_next_ < found_.size()) {
        // Ask for the records of a few lookups ahead now; by the time they
        // are needed they have come in from memory.
        constexpr size_t AHEAD = 8;
        if (found_next_ + AHEAD < found_.size()) {
            if (const uint32_t ahead = found_[found_next_ + AHEAD]) {
                const char* p = reinterpret_cast<const char*>(record_at(ahead));
                __builtin_prefetch(p);
                __builtin_prefetch(p + 63);
            }
        }
        if (const uint32_t ref = found_[found_next_++]) {
            SymbolRecord* r = record_at(ref);
            if (holds_name(r, name)) return r;
        }
    }
    return lookup(name);
}

SymbolRecord* SymbolTable::note_holding(size_t ahead, std::string_view name) const {
    const size_t at = found_next_ + ahead;
    if (at >= found_.size() || !found_[at]) return nullptr;
    SymbolRecord* r = record_at(found_[at]);
    return holds_name(r, name) ? r : nullptr;
}

void SymbolTable::drop_pass1_notes(size_t count) {
    if (count >= found_.size()) return;
    found_.resize_for_overwrite(count);
    while (!missed_.empty() && missed_.back().first >= count) missed_.pop_back();
}

bool SymbolTable::give_back_notes() {
    if (as.drv.pass_number == 2 || (notes_stopped_ && found_.empty())) return false;
    forget_notes();
    return true;
}

void SymbolTable::forget_notes() {
    notes_stopped_ = true;
    found_next_ = 0;
    found_.release();
    missed_.clear();
    missed_.shrink_to_fit();
}

void SymbolTable::begin_pass2() {
    // Names that pass 1 met before their definition: found by their tag
    // alone, all in one loop, so that the misses overlap. A wrong guess costs
    // nothing but a full lookup, since pass 2 compares the names.
    const size_t mask = slot_count_ - 1;
    for (const auto& [at, tag] : missed_) {
        for (size_t i = slot_of(tag, slot_bits_);; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (!s.ref) break;
            if (s.tag == tag) {
                found_[at] = s.ref;
                break;
            }
        }
    }
    missed_.clear();
    missed_.shrink_to_fit();
    found_next_ = 0;
    if (set_names_ != 0) {
        for (size_t i = 0; i < count_; ++i) {
            SymbolRecord* r = record_at(order_[i]);
            if (r->flags & SYM_SET) r->flags |= SYM_UNSET;
        }
    }
}

void SymbolTable::report_undefined(std::string_view name) {
    if (as.drv.pass_number != 2) return;
    std::string text(name);
    as.report_error_arg(msg::LOOKUP_UNDEFINED_FMT, text.c_str());
}

SymbolRecord* SymbolTable::lookup(std::string_view name) {
    SymbolRecord* r = probe(name);
    if (!r) report_undefined(name);
    return r;
}

void SymbolTable::install(std::string_view name, int32_t value, int type, int kind, int section) {
    Driver& drv = as.drv;
    if (as.collector) [[unlikely]]
        as.collector->defined(name);
    // Pass 2 defines the names in the order pass 1 made them, so the record
    // after the last one defined is tried before the index.
    SymbolRecord* found = nullptr;
    if (drv.pass_number == 2 && replay_next_ < count_) {
        SymbolRecord* next = record_at(order_[replay_next_]);
        if (holds_name(next, name)) found = next;
    }
    // The tag is worked out once, for the lookup and for a new slot; a miss
    // ends at the empty slot the new name takes, unless the index grows.
    uint32_t tag = 0;
    size_t empty_slot = 0;
    if (!found) {
        tag = index_tag(name);
        uint32_t ref;
        found = probe_tagged(name, tag, ref, empty_slot);
        if (!found && drv.pass_number == 2) report_undefined(name);
    }
    if (found) replay_next_ = found->position + 1;
    last_installed_ = found;
    if (!found) {
        if (as.options.debug_flags & DBG_INSTALL) {
            as.con.write("Install: ");
            as.con.write(name);
            as.con.print("=0x%x(%s)\n", static_cast<unsigned>(value), type_trace_name(type));
        }
        SymbolRecord* made = nullptr;
        uint32_t ref = 0;
        bool grown = false;  // the index moved: empty_slot no longer holds
        for (int attempt = 0; !made; ++attempt) {
            try {
                // Everything that may fail comes before the record is linked in.
                grown = make_room() || grown;
                if (count_ == order_.size()) order_.resize_for_overwrite(count_ * 2 + 256);
                made = new_record(name, ref);
            } catch (const std::bad_alloc&) {
                // Once more with the memory that only saved time given back.
                if (attempt == 0 && as.free_spare_memory()) continue;
                as.report_error(msg::INSTALL_SYMBOL_TABLE_FULL);
                return;
            }
        }
        SymbolRecord& r = *made;
        r.value = value;
        r.type = static_cast<uint8_t>(type);
        r.kind = static_cast<uint8_t>(kind);
        r.section = static_cast<uint8_t>(section < 0 ? drv.current_section : section);
        r.def_address = drv.location_counter;
        if (grown)
            add_to_index(ref, tag);
        else
            slots_[empty_slot] = Slot{tag, ref};
        last_installed_ = &r;
        if (as.side.map_wanted()) as.side.note_definition(r.position);
        as.dir.note_defined(name);
        return;
    }

    // A name both declared by xref and defined here (a shared header that
    // declares every routine, included by the module that defines one) is
    // the definition: a label of this source, exported if xdef names it.
    const bool declaring = type == TYPE_USER && kind == KIND_EXTERNAL;
    if (drv.pass_number != 2) {
        if (found->type != TYPE_USER) {
            as.report_error_arg(msg::INSTALL_RESERVED_SYMBOL_NAME_FMT, std::string(name).c_str());
        } else if (is_import(*found) && !declaring) {
            found->value = value;
            found->type = static_cast<uint8_t>(type);
            found->kind = static_cast<uint8_t>(kind);
            found->section = static_cast<uint8_t>(section < 0 ? drv.current_section : section);
            found->def_address = drv.location_counter;
            found->flags |= SYM_XREF_DEFINED;
            if (as.side.map_wanted()) as.side.note_definition(found->position);
            as.dir.note_defined(name);
        } else if (!is_import(*found) && !declaring) {
            as.report_error_arg(msg::INSTALL_SYMBOL_REDEFINED_FMT, std::string(name).c_str());
        } else if (!is_import(*found)) {
            found->flags |= SYM_XREF_DEFINED;  // xref after the definition: the definition stays
            as.replay.void_records();          // whose lines read it as a plain label
        }
        return;
    }

    if (found->flags & SYM_XREF_DEFINED) {
        if (declaring) return;
        found->flags |= SYM_DEFINED_AGAIN;
    }
    // Pass 2: the definition must come out as in pass 1. The details belong to
    // the error, so they are not shown where the error is suppressed.
    if (found->value == value && found->type == type) return;
    if (!drv.assembling()) return;
    std::string text(name);
    // The details go with the error, wherever diagnostics are written.
    Console& out = as.diag();
    out.print("install: current %s val=%lx type=%ld\n", text.c_str(),
              static_cast<unsigned long>(static_cast<uint32_t>(value)), static_cast<long>(type));
    out.print("install: previous %s val=%lx type=%ld\n", text.c_str(),
              static_cast<unsigned long>(static_cast<uint32_t>(found->value)), static_cast<long>(found->type));
    as.report_error(msg::INSTALL_PHASING_ERROR);
}

void SymbolTable::set(std::string_view name, int32_t value, int kind, int section) {
    SymbolRecord* r = probe(name);
    if (!r && as.drv.pass_number == 1) {
        install(name, value, TYPE_USER, kind, section);
        r = probe(name);
        if (r) {
            r->flags = SYM_SET;
            ++set_names_;
        }
        return;
    }
    if (!r || !(r->flags & SYM_SET)) {
        install(name, value, TYPE_USER, kind, section);
        return;
    }
    r->value = value;
    r->kind = static_cast<uint8_t>(kind);
    r->section = static_cast<uint8_t>(section < 0 ? as.drv.current_section : section);
    r->flags = SYM_SET;
}

void SymbolTable::make_based(SymbolRecord& r, const SymbolRecord& base) {
    const SymbolRecord* target = relocation_symbol(&base);
    r.kind = KIND_EXTERNAL;
    r.flags |= SYM_BASED;
    r.base = target->position + 1;
}

void SymbolTable::install_reserved() {
    for (const ReservedRegister& r : reserved_registers)
        install(r.name, r.value, r.type & 0xFF, KIND_ABSOLUTE);
}

std::array<int, SYMBOL_BUCKETS> SymbolTable::chain_lengths() const {
    std::array<int, SYMBOL_BUCKETS> lengths{};
    for (size_t i = 0; i < count_; ++i) ++lengths[static_cast<size_t>(symbol_hash(at(i).name_view()))];
    return lengths;
}

int SymbolTable::chain_length(int bucket) const { return chain_lengths()[static_cast<size_t>(bucket)]; }

void SymbolTable::symbol_distribution() {
    Console& con = as.con;
    con.write("Symbol table distribution\n");
    const std::array<int, SYMBOL_BUCKETS> lengths = chain_lengths();
    int total = 0, shortest = 9999, longest = 0;
    for (int b = 0; b < SYMBOL_BUCKETS; ++b) {
        int n = lengths[static_cast<size_t>(b)];
        con.print("%d ", n);
        if (b % 20 == 19) con.put('\n');
        total += n;
        if (n < shortest) shortest = n;
        if (n > longest) longest = n;
    }
    con.print("\nTotal symbols: %d\n", total);
    con.print("Minimum list length: %d\n", shortest);
    con.print("Maximum list length: %d\n", longest);
}

} // namespace tobra
