// Object file reader and its readable form.
#include "output/objread.h"

#include <cstdio>
#include <cstring>

#include "output/object.h"

namespace tobra {

namespace {

// Reads big-endian words; every read is checked against the end it is given.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    size_t pos() const { return pos_; }
    size_t left(size_t end) const { return end > pos_ ? end - pos_ : 0; }

    bool word(uint32_t& value, size_t end) {
        if (left(end) < 4) return false;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        value = (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
        pos_ += 4;
        return true;
    }
    bool take(std::string_view& out, size_t count, size_t end) {
        if (left(end) < count) return false;
        out = bytes_.substr(pos_, count);
        pos_ += count;
        return true;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

std::string at(size_t offset, const std::string& what) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "offset 0x%zx: ", offset);
    return buf + what;
}

// A padded name: its characters and then 1 to 4 zero bytes, padded exactly.
bool read_name(Cursor& c, uint32_t padded, size_t end, std::string& name, std::string& error) {
    size_t where = c.pos();
    std::string_view raw;
    if (padded == 0 || padded % 4 != 0) {
        error = at(where, "bad name length " + std::to_string(padded));
        return false;
    }
    if (!c.take(raw, padded, end)) {
        error = at(where, "name runs past the end of its hunk");
        return false;
    }
    size_t n = raw.find('\0');
    if (n == std::string_view::npos || padded_name_length(n) != padded ||
        raw.find_first_not_of('\0', n) != std::string_view::npos) {
        error = at(where, "badly padded name");
        return false;
    }
    name.assign(raw.substr(0, n));
    return true;
}

bool read_symbols(Cursor& c, size_t end, ObjectHunk& h, std::string& error) {
    for (;;) {
        size_t where = c.pos();
        uint32_t first = 0;
        if (!c.word(first, end)) {
            error = at(where, "symbol hunk has no terminator");
            return false;
        }
        if (first == SYMBOL_TERMINATOR) break;
        uint32_t kind = first >> 24;
        uint32_t padded = first & 0xFFFFFF;
        if (kind < REFERENCE_TYPES && reference_type_names[kind]) {
            ObjectReference r;
            r.type = static_cast<int>(kind);
            uint32_t count = 0;
            if (!c.word(count, end)) {
                error = at(where, "reference entry cut short");
                return false;
            }
            if (count == 0) {
                error = at(where, "reference entry with no offsets");
                return false;
            }
            if (!read_name(c, padded, end, r.name, error)) return false;
            if (c.left(end) / 4 < count) {
                error = at(where, "reference offsets run past the end of the hunk");
                return false;
            }
            r.offsets.resize(count);
            for (uint32_t& o : r.offsets) c.word(o, end);
            h.references.push_back(std::move(r));
        } else if (kind >= EXPORT_BASE) {
            ObjectExport x;
            x.section = static_cast<int>(kind - EXPORT_BASE);
            if (!c.word(x.value, end)) {
                error = at(where, "export entry cut short");
                return false;
            }
            if (!read_name(c, padded, end, x.name, error)) return false;
            h.exports.push_back(std::move(x));
        } else {
            char buf[48];
            std::snprintf(buf, sizeof buf, "unknown symbol entry type 0x%02x", kind);
            error = at(where, buf);
            return false;
        }
    }
    if (c.pos() != end) {
        error = at(c.pos(), "bytes after the symbol terminator");
        return false;
    }
    return true;
}

// The contents of one hunk after its length word, which end exactly at end.
bool read_body(Cursor& c, size_t end, ObjectHunk& h, std::string& error) {
    size_t start = c.pos();
    size_t body = end - start;
    auto need = [&](bool ok, const char* what) {
        if (!ok) error = at(h.file_offset, std::string(hunk_name(h.tag)) + " hunk " + what);
        return ok;
    };
    switch (h.tag) {
    case HUNK_HEADER:
        return need(body == 0, "must be empty");
    case HUNK_IDNT1:
    case HUNK_IDNT2:
    case HUNK_IDNT3:
        return read_name(c, static_cast<uint32_t>(body), end, h.text, error);
    case HUNK_PROCESSOR: {
        uint32_t w = 0, zero = 0;
        if (!need(body == 8, "must hold 8 bytes")) return false;
        c.word(w, end);
        c.word(zero, end);
        h.core = w >> 16;
        h.version = w & 0xFFFF;
        return true;
    }
    case HUNK_CODE:
    case HUNK_DATA: {
        std::string_view bytes;
        if (!need(body >= 4, "has no section word")) return false;
        c.word(h.section, end);
        c.take(bytes, end - c.pos(), end);
        h.contents.assign(bytes);
        h.size = static_cast<uint32_t>(bytes.size());
        return true;
    }
    case HUNK_BSS:
        if (!need(body == 8, "must hold 8 bytes")) return false;
        c.word(h.section, end);
        c.word(h.size, end);
        return true;
    case HUNK_RELOC_WORD:
    case HUNK_RELOC_LONG:
        if (!need(body >= 8, "has no section words")) return false;
        c.word(h.section, end);
        c.word(h.target, end);
        break;
    case HUNK_BASE_REF:
        if (!need(body >= 4, "has no target word")) return false;
        c.word(h.target, end);
        break;
    case HUNK_SYMBOL:
        return read_symbols(c, end, h, error);
    default:
        break;
    }
    // Relocations and base references: the rest is offsets.
    uint32_t o = 0;
    while (c.word(o, end)) h.offsets.push_back(o);
    return true;
}

const char* section_name(uint32_t section) {
    static const char* names[] = {"code", "data", "bss", "basedata", "basebss"};
    return section < 5 ? names[section] : nullptr;
}

void append_section(std::string& out, uint32_t section) {
    out += std::to_string(section);
    if (const char* n = section_name(section)) {
        out += " (";
        out += n;
        out += ')';
    }
}

void append_offsets(std::string& out, const std::vector<uint32_t>& offsets, const char* indent) {
    char buf[16];
    for (size_t i = 0; i < offsets.size(); ++i) {
        out += i % 8 == 0 ? indent : " ";
        std::snprintf(buf, sizeof buf, "%08x", offsets[i]);
        out += buf;
        if (i % 8 == 7 || i + 1 == offsets.size()) out += '\n';
    }
}

std::string counted(size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}


} // namespace

void append_hex_dump(std::string& out, std::string_view bytes) {
    char buf[32];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0) {
            std::snprintf(buf, sizeof buf, "    %04zx:", i);
            out += buf;
        }
        if (i % 2 == 0) out += ' ';
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(bytes[i]));
        out += buf;
        if (i % 16 == 15 || i + 1 == bytes.size()) out += '\n';
    }
}

const char* hunk_name(uint32_t tag) {
    switch (tag) {
    case HUNK_HEADER: return "HEADER";
    case HUNK_PROCESSOR: return "PROCESSOR";
    case HUNK_IDNT1: return "IDNT1";
    case HUNK_IDNT2: return "IDNT2";
    case HUNK_IDNT3: return "IDNT3";
    case HUNK_CODE: return "CODE";
    case HUNK_DATA: return "DATA";
    case HUNK_BSS: return "BSS";
    case HUNK_SYMBOL: return "SYMBOL";
    case HUNK_RELOC_LONG: return "RELOC32";
    case HUNK_RELOC_WORD: return "RELOC16";
    case HUNK_BASE_REF: return "BASEREF";
    case HUNK_END: return "END";
    default: return nullptr;
    }
}

std::optional<ObjectFile> read_object(std::string_view bytes, std::string& error) {
    ObjectFile file;
    Cursor c(bytes);
    const size_t file_end = bytes.size();
    for (;;) {
        ObjectHunk h;
        h.file_offset = static_cast<uint32_t>(c.pos());
        if (c.left(file_end) == 0) {
            error = at(c.pos(), file.hunks.empty() ? "empty file" : "file ends without an end hunk");
            return std::nullopt;
        }
        if (!c.word(h.tag, file_end)) {
            error = at(h.file_offset, "file ends inside a hunk tag");
            return std::nullopt;
        }
        if (!hunk_name(h.tag)) {
            char buf[48];
            std::snprintf(buf, sizeof buf, "unknown hunk tag 0x%08x", h.tag);
            error = at(h.file_offset, buf);
            return std::nullopt;
        }
        if (file.hunks.empty() && h.tag != HUNK_HEADER) {
            error = at(h.file_offset, "not an object file: no header hunk");
            return std::nullopt;
        }
        if (h.tag == HUNK_END) {
            file.hunks.push_back(std::move(h));
            if (c.pos() != file_end) {
                error = at(c.pos(), "bytes after the end hunk");
                return std::nullopt;
            }
            return file;
        }
        if (!c.word(h.length, file_end)) {
            error = at(h.file_offset, std::string(hunk_name(h.tag)) + " hunk cut short before its length");
            return std::nullopt;
        }
        if (h.length % 4 != 0) {
            error = at(h.file_offset, std::string(hunk_name(h.tag)) + " hunk length " + std::to_string(h.length) +
                                          " is not a multiple of 4");
            return std::nullopt;
        }
        if (h.length > c.left(file_end)) {
            error = at(h.file_offset, std::string(hunk_name(h.tag)) + " hunk of " + std::to_string(h.length) +
                                          " bytes runs past the end of the file");
            return std::nullopt;
        }
        size_t end = c.pos() + h.length;
        if (!read_body(c, end, h, error)) return std::nullopt;
        file.hunks.push_back(std::move(h));
    }
}

std::string describe_object(const ObjectFile& file, bool show_contents) {
    std::string out;
    char buf[64];
    for (const ObjectHunk& h : file.hunks) {
        out += hunk_name(h.tag);
        switch (h.tag) {
        case HUNK_IDNT1:
        case HUNK_IDNT2:
        case HUNK_IDNT3:
            out += " \"" + h.text + "\"\n";
            break;
        case HUNK_PROCESSOR:
            std::snprintf(buf, sizeof buf, " %04x version %04x\n", h.core, h.version);
            out += buf;
            break;
        case HUNK_CODE:
        case HUNK_DATA:
            out += " section ";
            append_section(out, h.section);
            out += ", " + counted(h.size, "byte") + "\n";
            if (show_contents) append_hex_dump(out, h.contents);
            break;
        case HUNK_BSS:
            out += " section ";
            append_section(out, h.section);
            out += ", " + counted(h.size, "byte") + "\n";
            break;
        case HUNK_RELOC_WORD:
        case HUNK_RELOC_LONG:
            out += " section ";
            append_section(out, h.section);
            out += ", target ";
            append_section(out, h.target);
            out += ": " + counted(h.offsets.size(), "offset") + "\n";
            append_offsets(out, h.offsets, "    ");
            break;
        case HUNK_BASE_REF:
            out += " target ";
            append_section(out, h.target);
            out += ": " + counted(h.offsets.size(), "offset") + "\n";
            append_offsets(out, h.offsets, "    ");
            break;
        case HUNK_SYMBOL:
            out += " " + counted(h.length, "byte") + "\n";
            for (const ObjectReference& r : h.references) {
                out += std::string("  REF ") + reference_type_names[r.type] + " " + r.name + ": " +
                       counted(r.offsets.size(), "offset") + "\n";
                append_offsets(out, r.offsets, "    ");
            }
            for (const ObjectExport& x : h.exports) {
                out += "  EXPORT " + x.name + ": section ";
                append_section(out, static_cast<uint32_t>(x.section));
                std::snprintf(buf, sizeof buf, ", value %08x\n", x.value);
                out += buf;
            }
            break;
        default:
            out += '\n';
            break;
        }
    }
    return out;
}

} // namespace tobra
