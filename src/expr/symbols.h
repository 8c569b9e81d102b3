// The symbol table: register names, labels, equates, externals and the names
// made by the structure and library directives.
//
// What a user can observe is 203 chains of an additive hash (the -x64
// distribution dump prints their lengths). The chains are only counted, from
// the names, when asked for: lookups go through a private hash index over the
// records, which keeps them fast with hundreds of thousands of names.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "driver/large_memory.h"
#include "isa/classes.h"

namespace tobra {

class Assembler;

struct SymbolRecord {
    // NUL-terminated, stored right after the record (which only the table
    // makes, with room for it).
    const char* name() const { return reinterpret_cast<const char*>(this + 1); }
    std::string_view name_view() const { return {name(), name_length}; }
    uint32_t name_length = 0;
    uint32_t position = 0;       // order of creation
    int32_t value = 0;
    int32_t def_address = 0;     // location_counter when the record was made
    uint8_t section = 0;         // current_section when the record was made
    uint8_t kind = 0;            // KIND_*
    uint8_t type = 0;            // TYPE_*
    uint8_t flags = 0;           // SYM_*
    uint32_t base = 0;           // SYM_BASED: position + 1 of the external name it is relative to
};
static_assert(sizeof(SymbolRecord) % 8 == 0, "the name starts right after the record, on a unit");

inline constexpr int SYMBOL_BUCKETS = 203;

// A name made by set, which may be set again.
inline constexpr uint8_t SYM_SET = 1;
// Pass 2, before the first set of the name: it has no value yet, as in pass 1.
inline constexpr uint8_t SYM_UNSET = 2;
// Made by equ.s: the value is the bits of a single-precision number.
inline constexpr uint8_t SYM_SINGLE = 4;
// Named by xref and defined in this source too: the definition wins. Pass 1
// took the name as external until its definition, so pass 2 takes the uses
// before the definition as forward references, to give them the same sizes.
inline constexpr uint8_t SYM_XREF_DEFINED = 8;
// Pass 2 has passed the definition of a SYM_XREF_DEFINED name.
inline constexpr uint8_t SYM_DEFINED_AGAIN = 16;
// An equate or set name whose value is an external name plus a constant
// (MB equ ext+$10): kind external, value the constant, base the external. A
// use reads as the external plus the constant, and relocates against it.
inline constexpr uint8_t SYM_BASED = 32;
// Pass 1: an equate that names something not yet defined; it has no value
// until that is defined, and reads as not yet defined (a forward reference).
inline constexpr uint8_t SYM_PENDING = 64;
// An absolute output's equate of an address (a label or * plus or less a
// number): a use is an address, as the label's own would be.
inline constexpr uint8_t SYM_ADDRESS = 128;

class SymbolTable {
public:
    explicit SymbolTable(Assembler& assembler);
    SymbolTable(const SymbolTable&) = delete;
    SymbolTable& operator=(const SymbolTable&) = delete;

    // 0-202: the byte sum of the name modulo 203.
    static int symbol_hash(std::string_view name);
    // The record of a name; in pass 2 a miss is the error "lookup: undefined - %s".
    SymbolRecord* lookup(std::string_view name);
    // The same without any report (ifd/ifnd, xdef).
    SymbolRecord* probe(std::string_view name) const;
    // lookup() for the names in expressions. Pass 2 looks the names up in the
    // order pass 1 did, so pass 1 notes what each lookup found and pass 2
    // checks that note first; it can also fetch the records it will need a
    // few lookups ahead, which takes the memory latency off a large table.
    SymbolRecord* find(std::string_view name);
    // Pass 1: how many lookups find() has noted, and forgetting those after
    // that many (a lookup pass 2 will not make again).
    size_t pass1_notes() const { return found_.size(); }
    void drop_pass1_notes(size_t count);
    // Pass 1: what lookup number i found (nullptr: nothing), and whether
    // every lookup so far has its note.
    SymbolRecord* pass1_note(size_t i) const { return found_[i] ? record_at(found_[i]) : nullptr; }
    bool notes_complete() const { return !notes_stopped_; }
    // Pass 2: the record the note of the lookup so many after the next one
    // points to, if it holds name.
    SymbolRecord* note_holding(size_t ahead, std::string_view name) const;
    // Pass 2: steps over the notes of count lookups of a line not read again.
    void skip_pass1_notes(size_t count) {
        found_next_ = found_next_ + count < found_.size() ? found_next_ + count : found_.size();
    }
    // When memory runs short in pass 1: forgets the notes (pass 2 then looks
    // every name up in full); false when there were none.
    bool give_back_notes();
    // After pass 2: the notes are done with.
    void forget_notes();
    // Between the passes: resolves pass 1's misses that are now defined.
    void begin_pass2();
    // Defines a name in pass 1, re-checks it in pass 2 (the phasing check).
    // section: of a relocatable value that is not a label of the current
    // place (an equ of one); -1 for the current section.
    void install(std::string_view name, int32_t value, int type, int kind, int section = -1);
    // Pass 1: asks for the index slot a name defined later in the line will
    // take, so that its miss overlaps the work before it.
    void prefetch_slot(std::string_view name) const {
        __builtin_prefetch(&slots_[slot_of(index_tag(name), slot_bits_)], 1);
    }
    void install_reserved();
    // The record install() defined or checked last (pass 1 keeps it in the
    // line's record, so that pass 2 needs no lookup by text).
    SymbolRecord* last_installed() const { return last_installed_; }
    // Pass 2: whether defining s again at value would pass install()'s check
    // quietly, and that definition made without the lookup.
    static bool defines_alike(const SymbolRecord& s, int32_t value) {
        return s.value == value && s.type == TYPE_USER && !(s.flags & SYM_XREF_DEFINED);
    }
    void define_alike(const SymbolRecord& s) { replay_next_ = s.position + 1; }
    // NAME set value: made in pass 1, given its newest value in either pass.
    // A name defined any other way is not touched (the redefinition error).
    void set(std::string_view name, int32_t value, int kind, int section = -1);
    // A set name used before its first set in pass 2: undefined, as in pass 1.
    void report_unset(std::string_view name) { report_undefined(name); }
    // The name a relocation of a use of s refers to: the external name a
    // SYM_BASED equate is relative to, or s itself.
    const SymbolRecord* relocation_symbol(const SymbolRecord* s) const {
        return s && (s->flags & SYM_BASED) ? &at(s->base - 1) : s;
    }
    // Makes r an external name plus its value (SYM_BASED), relative to the
    // name the relocations of base refer to.
    void make_based(SymbolRecord& r, const SymbolRecord& base);
    // A name declared by xref and not defined here.
    static bool is_import(const SymbolRecord& r) { return r.kind == KIND_EXTERNAL && !(r.flags & SYM_BASED); }

    // Where the file being read stands, for the index's growth: bytes read,
    // its size (0: not a streamed file) and the names made before it.
    struct FileProgress {
        uint64_t read = 0, size = 0;
        size_t names_before = 0;
    };
    // The index's size (a power of two) after growing from 2^bits slots
    // that hold count names.
    static int growth_bits(int bits, size_t count, const FileProgress& at);

    // The -x64 chain-length statistics.
    void symbol_distribution();

    // Number of records, reserved names included.
    size_t size() const { return count_; }
    // A record by its order of creation, 0 to size() - 1.
    const SymbolRecord& at(size_t position) const { return *record_at(order_[position]); }
    // Length of one chain: how many names hash to it; and of every chain.
    int chain_length(int bucket) const;
    std::array<int, SYMBOL_BUCKETS> chain_lengths() const;

private:
    // One slot of the index: open addressing with linear probing. A hit
    // touches the slot and then one record, whose name is stored right after
    // it. Eight bytes, so that the index of half a million names stays small.
    struct Slot {
        uint32_t tag = 0;  // index_tag of the name: growing never rereads names
        uint32_t ref = 0;  // where the record is (see record_at); 0: empty
    };
    // Records and their names live in chunks of CHUNK_BYTES; a reference is
    // the chunk number and the 8-byte unit within it, plus one.
    static constexpr int CHUNK_SHIFT = 21;
    static constexpr size_t CHUNK_BYTES = size_t{1} << CHUNK_SHIFT;
    static constexpr size_t FIRST_CHUNK_BYTES = CHUNK_BYTES / 4;
    static constexpr int UNIT_SHIFT = 3;
    static constexpr int OFFSET_BITS = CHUNK_SHIFT - UNIT_SHIFT;

    SymbolRecord* record_at(uint32_t ref) const {
        const uint32_t r = ref - 1;
        return reinterpret_cast<SymbolRecord*>(chunks_[r >> OFFSET_BITS].get() +
                                               (size_t{r & ((1u << OFFSET_BITS) - 1)} << UNIT_SHIFT));
    }
    static uint32_t index_tag(std::string_view name);
    // A tag's first slot: the top bits without the low four, plus twice
    // those four. Names alike but for their last digit sit every other slot,
    // with room between them for the probes of others. Doubling the index
    // sends a base to 2i or 2i+1 and keeps the offset, so growing still walks
    // both arrays in order, give or take a few slots.
    static size_t slot_of(uint32_t tag, int bits) {
        return ((size_t{tag & ~0xFu} >> (32 - bits)) + 2 * size_t{tag & 0xFu}) & ((size_t{1} << bits) - 1);
    }
    // Pass 2: the error for a name that is not defined.
    void report_undefined(std::string_view name);
    // probe() with the tag already known; ref is the record's reference, or 0,
    // and slot where the search stopped (on a miss, the empty slot).
    SymbolRecord* probe_tagged(std::string_view name, uint32_t tag, uint32_t& ref, size_t& slot) const;
    static LargeArray<Slot> zeroed_slots(size_t n);
    // A new record with its name, in the arena; its reference is set in ref.
    SymbolRecord* new_record(std::string_view name, uint32_t& ref);
    // Grows the index when one more name would fill it past half; true
    // when it did (the slots then moved).
    bool make_room();
    void add_to_index(uint32_t ref, uint32_t tag);

    Assembler& as;
    std::vector<LargeArray<char>> chunks_;         // no per-record new, stable addresses
    size_t chunk_used_ = 0;
    size_t chunk_capacity_ = 0;
    size_t count_ = 0;
    // The reference of each record, in order of creation: the first count_
    // entries (grown ahead, so that making a record stores without a call).
    GrowingArray<uint32_t> order_;
    LargeArray<Slot> slots_;                       // 2^slot_bits_ slots, at most half full
    size_t slot_count_ = 0;
    int slot_bits_ = 0;
    SymbolRecord* last_installed_ = nullptr;
    size_t replay_next_ = 0;                       // pass 2: position of the record expected next
    // What each find() of pass 1 found (a reference, or 0), and for the
    // misses their position and tag; pass 2 reads them back in order.
    GrowingArray<uint32_t> found_;
    std::vector<std::pair<uint32_t, uint32_t>> missed_;
    size_t found_next_ = 0;
    bool notes_stopped_ = false;
    size_t set_names_ = 0;                         // records made by set
};

} // namespace tobra
