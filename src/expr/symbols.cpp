// The symbol table.
#include "expr/symbols.h"

#include <cstring>
#include <new>

#include "driver/assembler.h"
#include "isa/registers.h"

namespace tobra {

namespace {
constexpr size_t NAME_CHUNK = 64 * 1024;
}

SymbolTable::SymbolTable(Assembler& as) : as(as) { index_.reserve(1024); }

int SymbolTable::symbol_hash(std::string_view name) {
    // Unsigned so that no name, however long, can give a negative bucket.
    uint64_t sum = 0;
    for (char c : name) sum += static_cast<unsigned char>(c);
    return static_cast<int>(sum % SYMBOL_BUCKETS);
}

SymbolRecord* SymbolTable::probe(std::string_view name) const {
    auto it = index_.find(name);
    return it == index_.end() ? nullptr : it->second;
}

SymbolRecord* SymbolTable::lookup(std::string_view name) {
    SymbolRecord* r = probe(name);
    if (!r && as.drv.pass_number == 2) {
        std::string text(name);
        as.report_error_arg("lookup: undefined - %s", text.c_str());
    }
    return r;
}

const char* SymbolTable::copy_name(std::string_view name) {
    size_t need = name.size() + 1;
    if (chunk_used_ + need > chunk_size_) {
        size_t size = need > NAME_CHUNK ? need : NAME_CHUNK;
        name_chunks_.push_back(std::make_unique<char[]>(size));
        chunk_size_ = size;
        chunk_used_ = 0;
    }
    char* p = name_chunks_.back().get() + chunk_used_;
    std::memcpy(p, name.data(), name.size());
    p[name.size()] = '\0';
    chunk_used_ += need;
    return p;
}

void SymbolTable::install(std::string_view name, int32_t value, int type, int kind) {
    Driver& drv = as.drv;
    SymbolRecord* found = lookup(name);
    if (!found) {
        if (as.options.debug_flags & DBG_INSTALL) {
            as.con.write("Install: ");
            as.con.write(name);
            as.con.print("=0x%x(%s)\n", static_cast<unsigned>(value), type_trace_name(type));
        }
        try {
            const char* copy = copy_name(name);
            SymbolRecord& r = records_.emplace_back();
            r.name = copy;
            r.value = value;
            r.type = static_cast<uint8_t>(type);
            r.kind = static_cast<uint8_t>(kind);
            r.section = static_cast<uint8_t>(drv.current_section);
            r.def_address = drv.location_counter;
            int b = symbol_hash(name);
            r.next = symbol_buckets[b];
            symbol_buckets[b] = &r;
            index_.emplace(std::string_view(copy, name.size()), &r);
        } catch (const std::bad_alloc&) {
            as.report_error("install: symbol table full");
        }
        return;
    }

    if (drv.pass_number != 2) {
        // An earlier xref lets a later definition through silently; the name
        // stays external.
        if (found->type != TYPE_USER)
            as.report_error_arg("install: reserved symbol name: %s", std::string(name).c_str());
        else if (found->kind != KIND_EXTERNAL)
            as.report_error_arg("install: symbol redefined: %s", std::string(name).c_str());
        return;
    }

    // Pass 2: the definition must come out as in pass 1. The details belong to
    // the error, so they are not shown where the error is suppressed.
    if (found->value == value && found->type == type) return;
    if (!drv.assembling()) return;
    std::string text(name);
    as.con.print("install: current %s val=%lx type=%ld\n", text.c_str(),
                 static_cast<unsigned long>(static_cast<uint32_t>(value)), static_cast<long>(type));
    as.con.print("install: previous %s val=%lx type=%ld\n", text.c_str(),
                 static_cast<unsigned long>(static_cast<uint32_t>(found->value)),
                 static_cast<long>(found->type));
    as.report_error("install: phasing error");
}

void SymbolTable::install_reserved() {
    for (const ReservedRegister& r : reserved_registers)
        install(r.name, r.value, r.type & 0xFF, KIND_ABSOLUTE);
}

int SymbolTable::chain_length(int bucket) const {
    int n = 0;
    for (const SymbolRecord* r = symbol_buckets[bucket]; r; r = r->next) ++n;
    return n;
}

void SymbolTable::symbol_distribution() {
    Console& con = as.con;
    con.write("Symbol table distribution\n");
    int total = 0, shortest = 9999, longest = 0;
    for (int b = 0; b < SYMBOL_BUCKETS; ++b) {
        int n = chain_length(b);
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
