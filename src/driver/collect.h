// What a library caller asked to have collected while a run assembles:
// where names, macros and includes are defined and used, and what each line
// of the files put out. The assembler calls in only when a Collector is set
// (Assembler::collector), one test per line or per lookup; nothing here is
// on the command line's path.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "driver/location.h"
#include "driver/session.h"

namespace tobra {

class Assembler;

class Collector {
public:
    explicit Collector(Assembler& assembler) : as(assembler) {}

    // A name made (or set) by the line being assembled; the first place wins.
    void defined(std::string_view name);
    // The next name defined is a structure field (the records directives).
    void field_follows() { field_next_ = true; }
    // A name looked up by an expression of the line being assembled.
    void referenced(std::string_view name);
    void macro_defined(const std::string& name);
    // A macro called from a line of a file (calls inside expansions are not
    // lines of a file and are left out).
    void macro_called(const std::string& name);
    // An include or incbin line: the name as written and where it was found
    // (empty: not found).
    void included(std::string_view written, const std::string& path);
    // The line just assembled is done: a line of a file, or one of an
    // expansion, whose bytes go to the file line that called it.
    void line_done(bool expanded);
    // Bytes the emitter hands the output format, at their place: a line
    // with more bytes than the listing keeps takes the rest from here.
    void section_bytes(int section, uint32_t address, const uint8_t* bytes, int32_t count);

    // Fills the collected parts of the result once the run has ended.
    void finish(AssemblyResult& result);

private:
    struct Place {
        uint32_t file = 0;
        long line = 0;
        long begin = 0, end = 0;
        bool operator==(const Place&) const = default;
    };
    struct Definition {
        NameKind kind = NameKind::other;
        Place at;
    };
    struct Macro {
        std::string name;
        Place at;
        std::vector<Place> calls;
    };
    struct Include {
        Place at;
        std::string written, path;
    };

    // A new pass drops what the last one collected per line (pass 2 runs
    // only when pass 1 found no error; then its findings are the ones kept).
    void follow_pass();
    // The text of a line of a file held in memory; empty when not held.
    std::string_view line_text(const SourceLocation& at);
    // Which part of a line a name is looked for in: the label field, then
    // the operands; the mnemonic field alone; the operands, as a whole
    // name; the operands, as any text (a file name).
    enum class Field : uint8_t { label, mnemonic, operands, file };
    // Where `written` stands on the line; columns 0, 0 when it is not
    // written there (a name made by an expansion, a file not held).
    Place place_of(const SourceLocation& at, std::string_view written, Field field);
    SourceSpan span_of(const Place& p) const;

    Assembler& as;
    int pass_ = 0;
    bool field_next_ = false;
    std::unordered_map<std::string, Definition> definitions_;
    std::unordered_map<std::string, std::vector<Place>> references_;
    std::unordered_map<std::string, size_t> macro_index_;
    std::vector<Macro> macros_;
    std::vector<Include> includes_;
    std::vector<LineInfo> lines_;
    // Bytes of a line the listing did not keep: filled from the sections'
    // bytes once the run is over (they reach the output after the line).
    struct Fill {
        size_t line, offset;
        int section;
        uint32_t address;
        size_t count;
    };
    std::vector<Fill> fills_;
    std::map<std::pair<int, uint32_t>, std::vector<uint8_t>> section_bytes_;
    SourceLocation last_line_;  // the file line lines_.back() belongs to
    int32_t line_end_ = 0;      // the location counter after the last line
    int line_section_ = 0;      // and its section
    std::unordered_map<uint32_t, std::vector<size_t>> line_starts_;
};

} // namespace tobra
