// The symbol table: register names, labels, equates, externals and the names
// made by the structure and library directives.
//
// What a user can observe is 203 chains with an additive hash and the newest
// name first in its chain (the -x64 distribution dump prints the chain
// lengths). Lookups do not walk those chains, though: a private hash index
// over the same records keeps them fast with hundreds of thousands of names.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace tobra {

class Assembler;

struct SymbolRecord {
    const char* name = nullptr;  // NUL-terminated, owned by the table
    uint32_t name_length = 0;
    uint32_t position = 0;       // order of creation
    int32_t value = 0;
    int32_t def_address = 0;     // location_counter when the record was made
    uint8_t section = 0;         // current_section when the record was made
    uint8_t kind = 0;            // KIND_*
    uint8_t type = 0;            // TYPE_*
    SymbolRecord* next = nullptr;
};

inline constexpr int SYMBOL_BUCKETS = 203;

class SymbolTable {
public:
    explicit SymbolTable(Assembler& as);
    SymbolTable(const SymbolTable&) = delete;
    SymbolTable& operator=(const SymbolTable&) = delete;

    // 0-202: the byte sum of the name modulo 203.
    static int symbol_hash(std::string_view name);
    // The record of a name; in pass 2 a miss is the error "lookup: undefined - %s".
    SymbolRecord* lookup(std::string_view name);
    // The same without any report (ifd/ifnd, xdef).
    SymbolRecord* probe(std::string_view name) const;
    // Defines a name in pass 1, re-checks it in pass 2 (the phasing check).
    void install(std::string_view name, int32_t value, int type, int kind);
    void install_reserved();
    // The -x64 chain-length statistics.
    void symbol_distribution();

    // Number of records, reserved names included.
    size_t size() const { return records_.size(); }
    // Length of one chain.
    int chain_length(int bucket) const;

    SymbolRecord* symbol_buckets[SYMBOL_BUCKETS] = {};

private:
    // One slot of the index: open addressing with linear probing, so that a
    // lookup touches one slot and then the record and name it points to.
    // Eight bytes, so that the index of half a million names still fits a
    // large cache.
    struct Slot {
        uint32_t tag = 0;     // index_tag of the name: growing never rereads names
        uint32_t record = 0;  // 1 + position in records_; 0: empty
    };
    static uint32_t index_tag(std::string_view name);
    const char* copy_name(std::string_view name);
    void make_room();
    void add_to_index(uint32_t record, uint32_t tag);

    Assembler& as;
    std::deque<SymbolRecord> records_;                 // stable addresses, no per-record new
    std::vector<std::unique_ptr<char[]>> name_chunks_; // names are bump-allocated from these
    size_t chunk_used_ = 0;
    size_t chunk_size_ = 0;
    std::vector<Slot> slots_;                          // 2^slot_bits_ slots, at most half full
    int slot_bits_ = 0;
    size_t replay_next_ = 0;                           // pass 2: the record expected next
};

} // namespace tobra
