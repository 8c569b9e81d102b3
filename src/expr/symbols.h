// The symbol table: register names, labels, equates, externals and the names
// made by the structure and library directives.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tobra {

class Assembler;

struct SymbolRecord {
    const char* name = nullptr;
    int32_t value = 0;
    int32_t def_address = 0;
    uint8_t section = 0;
    uint8_t kind = 0;
    uint8_t type = 0;
    SymbolRecord* next = nullptr;
};

inline constexpr int SYMBOL_BUCKETS = 203;

class SymbolTable {
public:
    explicit SymbolTable(Assembler& as) : as(as) {}

    static int symbol_hash(std::string_view name);
    SymbolRecord* lookup(std::string_view name);
    SymbolRecord* probe(std::string_view name) const;
    void install(std::string_view name, int32_t value, int type, int kind);
    void install_reserved();
    void symbol_distribution();

    SymbolRecord* symbol_buckets[SYMBOL_BUCKETS] = {};

private:
    Assembler& as;
};

} // namespace tobra
