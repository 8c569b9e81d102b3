// The files a run writes besides its output: the listing file, the symbol
// map and the make dependency rule. Each is written under a temporary name
// and takes its own only after a successful run; a failed run leaves none of
// them, not even one from an earlier run.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "driver/console.h"
#include "driver/large_memory.h"
#include "driver/message.h"
#include "output/staged_file.h"

namespace tobra {

class Assembler;

// One row of the symbol map.
// One row of the map. The texts are views: of the symbol table, the
// sections, the files read, which outlive the map.
struct MapEntry {
    std::string_view name;
    uint32_t value = 0;
    std::string_view section;  // "-" where the kind has none
    std::string_view kind;     // label, equate, external or exported
    std::string_view defined_at;
    // The line, written after defined_at and a colon (none when 0 and unset).
    long line = 0;
    bool with_line = false;
};

// The map text: a heading, then one row per entry sorted by value and name;
// or the same text handed to sink in pieces (a large map is never held whole).
std::string format_map(std::span<const MapEntry> entries);
void write_map(std::span<const MapEntry> entries, const std::function<void(std::string_view)>& sink);
// A make rule naming target as depending on every prerequisite, and an empty
// rule for each of `phony`, so that make carries on when one is deleted.
std::string format_make_rule(const std::string& target, const std::vector<std::string>& prerequisites,
                             const std::vector<std::string>& phony);

class SideFiles {
public:
    explicit SideFiles(Assembler& assembler) : as(assembler) {}

    // Pass 1: a source, include or incbin file was read from this path;
    // command_line: it was named on the command line.
    void note_read(const std::string& path, bool command_line);
    // Whether the path names a file that this run read (it must never be
    // written over or removed).
    bool was_read(const std::string& path) const;
    bool map_wanted() const;
    // Pass 1: where the symbol at this position of the table was defined.
    void note_definition(uint32_t position);

    // After pass 1: no side file (or --output) may name a file that was read.
    void check_targets();
    // Start of pass 2: the listing file, when one is named.
    void begin_pass2();
    // After an error-free pass 2, before the output is closed: every side file
    // is complete under its temporary name. Throws a fatal error when one
    // cannot be written.
    void prepare();
    // After the output is closed: each side file takes its name.
    void commit();
    // End of every run: temporary files go; after a failure the named files
    // go too, the output among them, unless they were read as sources.
    void finish_run(bool failed);

    // Runs that keep their files in memory: the text each side file received.
    std::string listing_text, map_text, deps_text;

private:
    struct Origin {
        uint32_t position;
        uint32_t file;  // the driver's number of the file
        uint32_t line;
    };
    LargeVector<MapEntry> map_entries() const;
    std::string build_deps() const;
    // Writes text under the temporary name of target; fatal when it cannot.
    // (In memory: into memory_copy.)
    void stage(StagedFile& file, const std::string& target, const std::string& text, std::string& memory_copy,
               Message failure);

    Assembler& as;
    std::vector<std::string> read_paths_;  // in the order first read
    std::unordered_map<std::string, bool> read_set_;  // path: named on the command line
    GrowingArray<Origin> origins_;  // one per definition: grows without copying
    std::unique_ptr<Console> listing_console_;
    StagedFile listing_, map_, deps_;
    bool committed_ = false;
};

} // namespace tobra
