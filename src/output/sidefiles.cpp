// The listing file, the symbol map and the make dependency rule.
#include "output/sidefiles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unordered_set>

#include "driver/assembler.h"
#include "output/messages.h"

namespace tobra {

namespace {


// A path as make reads it in a rule.
std::string make_quoted(std::string_view path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '\t' || c == '#') out += '\\';
        if (c == '$') out += '$';
        out += c;
    }
    return out;
}

} // namespace

void write_map(std::span<const MapEntry> entries, const std::function<void(std::string_view)>& sink) {
    // Sorted as indexes: the entries stay where they are.
    LargeVector<uint32_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    std::sort(order.begin(), order.end(), [&entries](uint32_t x, uint32_t y) {
        const MapEntry& a = entries[x];
        const MapEntry& b = entries[y];
        return a.value != b.value ? a.value < b.value : a.name < b.name;
    });
    size_t name_width = 6;     // "Symbol"
    size_t section_width = 8;  // "basedata"; an ELF section's name may be longer
    for (const MapEntry& e : entries) {
        name_width = std::max(name_width, e.name.size());
        section_width = std::max(section_width, e.section.size());
    }
    const size_t section_at = 10, kind_at = section_at + section_width + 2, name_at = kind_at + 10,
                 where_at = name_at + name_width + 2;

    // Rows gather in a piece of about this size before they go to the sink.
    constexpr size_t PIECE = 64 << 10;
    std::string text;
    text.reserve(PIECE + where_at + 64);
    size_t line_start = 0;
    auto field = [&](std::string_view s, size_t column_after) {
        text += s;
        const size_t used = text.size() - line_start;
        if (used < column_after) text.append(column_after - used, ' ');
    };
    auto row = [&](std::string_view value, std::string_view section, std::string_view kind, std::string_view name,
                   std::string_view where, const MapEntry* e) {
        line_start = text.size();
        field(value, section_at);
        field(section, kind_at);
        field(kind, name_at);
        field(name, where_at);
        text += where;
        if (e && e->with_line) {
            text += ':';
            text += std::to_string(e->line);
        }
        text += '\n';
        if (text.size() >= PIECE) {
            sink(text);
            text.clear();
        }
    };
    row("Value", "Section", "Kind", "Symbol", "Defined at", nullptr);
    for (uint32_t i : order) {
        const MapEntry& e = entries[i];
        char value[9];
        std::snprintf(value, sizeof value, "%08lx", static_cast<unsigned long>(e.value));
        row(value, e.section, e.kind, e.name, e.defined_at, &e);
    }
    if (!text.empty()) sink(text);
}

std::string format_map(std::span<const MapEntry> entries) {
    std::string text;
    write_map(entries, [&text](std::string_view piece) { text += piece; });
    return text;
}

std::string format_make_rule(const std::string& target, const std::vector<std::string>& prerequisites,
                             const std::vector<std::string>& phony) {
    // Long rules are broken before 80 columns the way make writes them back.
    constexpr size_t WIDTH = 78;
    std::string text = make_quoted(target) + ":";
    size_t column = text.size();
    bool line_used = false;  // a prerequisite is on the current line already
    for (const std::string& p : prerequisites) {
        std::string q = make_quoted(p);
        if (line_used && column + 1 + q.size() > WIDTH) {
            text += " \\\n";
            column = 0;
        }
        line_used = true;
        text += ' ';
        text += q;
        column += 1 + q.size();
    }
    text += '\n';
    for (const std::string& p : phony) text += "\n" + make_quoted(p) + ":\n";
    return text;
}

void SideFiles::note_read(const std::string& path, bool command_line) {
    if (read_set_.emplace(path, command_line).second) read_paths_.push_back(path);
}

bool SideFiles::was_read(const std::string& path) const {
    if (path.empty()) return false;
    if (read_set_.count(path)) return true;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return false;
    for (const std::string& r : read_paths_)
        if (std::filesystem::equivalent(path, r, ec)) return true;
    return false;
}

bool SideFiles::map_wanted() const { return !as.options.map_path.empty(); }

void SideFiles::note_definition(uint32_t position) {
    const SourceLocation at = as.here();
    origins_.push_back({position, at.file, at.line});
}

void SideFiles::check_targets() {
    const Options& o = as.options;
    const std::pair<const char*, const std::string*> named[] = {
        {"--output", &o.output_path}, {"--listing", &o.listing_path}, {"--map", &o.map_path}, {"--deps", &o.deps_path}};
    for (const auto& [option, path] : named) {
        if (!was_read(*path)) continue;
        std::string text = std::string(option) + " would write over " + *path + ", which was read as a source";
        as.report_error_arg(msg::OUTPUT_FLAGS_FMT, text.c_str());
    }
}

void SideFiles::begin_pass2() {
    if (as.options.listing_path.empty()) return;
    if (as.write_files && !listing_.open(as.options.listing_path)) as.fatal_error(msg::CANT_OPEN_LISTING_FILE);
    listing_console_ = std::make_unique<Console>(as.write_files ? listing_.stream() : nullptr);
    as.lst.set_file(listing_console_.get());
}

void SideFiles::stage(StagedFile& file, const std::string& target, const std::string& text, std::string& memory_copy,
                      Message failure) {
    if (!as.write_files) {
        memory_copy = text;
        return;
    }
    if (!file.open(target) || !file.write(text) || !file.finish()) as.fatal_error(failure);
}

void SideFiles::prepare() {
    if (listing_console_) {
        listing_console_->flush();
        if (as.write_files) {
            if (listing_console_->failed() || !listing_.finish()) as.fatal_error(msg::CANT_WRITE_LISTING_FILE);
        } else {
            listing_text = listing_console_->captured();
        }
        as.lst.set_file(nullptr);
        listing_console_.reset();
    }
    const Options& o = as.options;
    if (!o.map_path.empty()) {
        // Written as it is made: the map of a large program is large.
        const LargeVector<MapEntry> entries = map_entries();
        if (!as.write_files) {
            map_text = format_map(entries);
        } else {
            if (!map_.open(o.map_path)) as.fatal_error(msg::CANT_WRITE_MAP_FILE);
            bool written = true;
            write_map(entries, [&](std::string_view piece) { written = map_.write(piece) && written; });
            if (!written || !map_.finish()) as.fatal_error(msg::CANT_WRITE_MAP_FILE);
        }
    }
    if (!o.deps_path.empty()) stage(deps_, o.deps_path, build_deps(), deps_text, msg::CANT_WRITE_DEPENDENCY_FILE);
}

void SideFiles::commit() {
    if (!as.write_files) return;
    const Options& o = as.options;
    if (!o.listing_path.empty() && !listing_.commit()) as.fatal_error(msg::CANT_WRITE_LISTING_FILE);
    if (!o.map_path.empty() && !map_.commit()) as.fatal_error(msg::CANT_WRITE_MAP_FILE);
    if (!o.deps_path.empty() && !deps_.commit()) as.fatal_error(msg::CANT_WRITE_DEPENDENCY_FILE);
}

void SideFiles::finish_run(bool failed) {
    // The console goes first: it may still hold text for the open file.
    as.lst.set_file(nullptr);
    listing_console_.reset();
    listing_.abandon();
    map_.abandon();
    deps_.abandon();
    if (!failed || !as.write_files) return;
    const Options& o = as.options;
    // A run that fails before pass 2 has not named its output yet; the file
    // an earlier run left under that name must go all the same.
    std::string output = as.emit.output_name;
    if (output.empty() && o.output_path.empty()) {
        for (const Argument& arg : as.drv.arguments) {
            if (arg.kind != Argument::SOURCE) continue;
            output = Emitter::output_name_for(arg.text);
            break;
        }
    }
    if (o.no_output) output.clear();
    const std::string* named[] = {&o.listing_path, &o.map_path, &o.deps_path, &o.output_path, &output};
    // Only regular files: a link, a device or a FIFO named here is the
    // user's, and is left as it is.
    for (const std::string* path : named)
        if (!path->empty() && !was_read(*path)) remove_regular_file(*path);
}

LargeVector<MapEntry> SideFiles::map_entries() const {
    // The last note of a name is its definition (an xref'd name may be defined later).
    std::vector<int32_t> origin_of(as.sym.size(), -1);
    for (size_t i = 0; i < origins_.size(); ++i)
        if (origins_[i].position < origin_of.size()) origin_of[origins_[i].position] = static_cast<int32_t>(i);
    const std::unordered_set<std::string_view> exported(as.dir.export_list.begin(), as.dir.export_list.end());

    LargeVector<MapEntry> entries;
    entries.reserve(as.sym.size());
    for (size_t pos = 0; pos < as.sym.size(); ++pos) {
        const SymbolRecord& r = as.sym.at(pos);
        if (r.type != TYPE_USER) continue;
        MapEntry e;
        e.name = r.name_view();
        e.value = static_cast<uint32_t>(r.value);
        e.section = "-";
        if (SymbolTable::is_import(r)) {
            e.kind = "external";
        } else if (r.flags & SYM_BASED) {
            // The value counts from the external name, as a label's from its section.
            e.kind = "equate";
            e.section = as.sym.relocation_symbol(&r)->name_view();
        } else {
            if (r.kind == KIND_RELOCATABLE) {
                e.kind = "label";
                if (r.section < as.drv.section_count()) e.section = as.drv.sections[r.section].name;
            } else {
                e.kind = "equate";
            }
            if (exported.count(e.name)) e.kind = "exported";
        }
        if (const int32_t o = origin_of[pos]; o >= 0) {
            const Origin& origin = origins_[static_cast<size_t>(o)];
            const std::string& file = as.drv.file_name(origin.file);
            if (file.empty()) {
                e.defined_at = "(command line)";
            } else {
                e.defined_at = file;
                e.line = origin.line;
                e.with_line = true;
            }
        }
        entries.push_back(e);
    }
    return entries;
}

std::string SideFiles::build_deps() const {
    std::vector<std::string> phony;
    for (const std::string& p : read_paths_)
        if (!read_set_.at(p)) phony.push_back(p);
    return format_make_rule(as.emit.output_name, read_paths_, phony);
}

} // namespace tobra
