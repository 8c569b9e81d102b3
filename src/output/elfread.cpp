// Reading an ELF relocatable object back. Every offset and count in the file
// is checked against its size before it is used: the dumper is also pointed
// at files that are damaged or were never ELF at all.
#include "output/elfread.h"

#include <cstdio>

#include "output/elf_file.h"
#include "output/objread.h"

namespace tobra::elfread {

namespace {

using namespace elf;
constexpr uint32_t HEADER_SIZE = EHDR_SIZE;
constexpr uint32_t SECTION_HEADER_SIZE = SHDR_SIZE;
constexpr uint32_t SYMBOL_SIZE = SYM_SIZE;

uint16_t be16(std::string_view b, size_t at) {
    return static_cast<uint16_t>((static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]));
}

uint32_t be32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(be16(b, at)) << 16 | be16(b, at + 2);
}

// Whether [offset, offset+size) lies inside the file, without overflow.
bool inside(std::string_view b, uint64_t offset, uint64_t size) { return offset <= b.size() && size <= b.size() - offset; }

// A NUL-terminated name inside a string table.
bool name_at(const Section& strtab, uint32_t offset, std::string& out) {
    if (offset >= strtab.contents.size()) return false;
    const size_t end = strtab.contents.find('\0', offset);
    if (end == std::string::npos) return false;
    out = strtab.contents.substr(offset, end - offset);
    return true;
}

std::string hex32(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", v);
    return buf;
}

const char* type_name(uint32_t type) {
    switch (type) {
    case 0: return "NULL";
    case 1: return "PROGBITS";
    case 2: return "SYMTAB";
    case 3: return "STRTAB";
    case 4: return "RELA";
    case 8: return "NOBITS";
    case 9: return "REL";
    default: return "OTHER";
    }
}

const char* relocation_name(uint8_t type) {
    static constexpr const char* names[] = {"R_68K_NONE", "R_68K_32",   "R_68K_16",  "R_68K_8",
                                            "R_68K_PC32", "R_68K_PC16", "R_68K_PC8"};
    return type < std::size(names) ? names[type] : nullptr;
}

std::string flag_letters(uint32_t flags) {
    std::string f;
    if (flags & SHF_WRITE) f += 'W';
    if (flags & SHF_ALLOC) f += 'A';
    if (flags & SHF_EXECINSTR) f += 'X';
    if (flags & SHF_INFO_LINK) f += 'I';
    return f;
}

std::string section_ref(const File& file, uint32_t index) {
    std::string s = std::to_string(index);
    if (index < file.sections.size()) s += " (" + file.sections[index].name + ")";
    return s;
}

std::string symbol_section(const File& file, uint16_t section) {
    switch (section) {
    case SHN_UNDEF: return "UNDEF";
    case SHN_ABS: return "ABS";
    case SHN_COMMON: return "COMMON";
    default: return "section " + section_ref(file, section);
    }
}

std::string entries(size_t n) { return std::to_string(n) + (n == 1 ? " entry" : " entries"); }

} // namespace

bool is_elf(std::string_view bytes) { return bytes.size() >= 4 && bytes.substr(0, 4) == "\x7f" "ELF"; }

std::optional<File> read(std::string_view b, std::string& error) {
    if (!is_elf(b)) {
        error = "not an ELF file";
        return std::nullopt;
    }
    if (b.size() < HEADER_SIZE) {
        error = "ELF header cut short";
        return std::nullopt;
    }
    if (b[4] != 1 || b[5] != 2) {
        error = "not a 32-bit big-endian ELF file";
        return std::nullopt;
    }
    if (be16(b, 16) != 1) {
        error = "not a relocatable ELF file";
        return std::nullopt;
    }
    File file;
    file.machine = be16(b, 18);
    file.flags = be32(b, 36);
    const uint32_t shoff = be32(b, 32);
    const uint16_t shentsize = be16(b, 46);
    const uint16_t shnum = be16(b, 48);
    const uint16_t shstrndx = be16(b, 50);
    if (shnum == 0) return file;
    if (shentsize != SECTION_HEADER_SIZE) {
        error = "section header size " + std::to_string(shentsize) + " is not 40";
        return std::nullopt;
    }
    if (!inside(b, shoff, uint64_t{shnum} * SECTION_HEADER_SIZE)) {
        error = "section header table runs past the end of the file";
        return std::nullopt;
    }
    std::vector<uint32_t> name_offsets;
    for (uint32_t i = 0; i < shnum; ++i) {
        const size_t h = shoff + size_t{i} * SECTION_HEADER_SIZE;
        Section s;
        name_offsets.push_back(be32(b, h));
        s.type = be32(b, h + 4);
        s.flags = be32(b, h + 8);
        const uint32_t offset = be32(b, h + 16);
        s.size = be32(b, h + 20);
        s.link = be32(b, h + 24);
        s.info = be32(b, h + 28);
        s.align = be32(b, h + 32);
        if (i != 0 && s.type != SHT_NOBITS && s.type != 0) {
            if (!inside(b, offset, s.size)) {
                error = "section " + std::to_string(i) + " runs past the end of the file";
                return std::nullopt;
            }
            s.contents.assign(b.substr(offset, s.size));
        }
        file.sections.push_back(std::move(s));
    }
    if (shstrndx >= shnum) {
        error = "no section name table";
        return std::nullopt;
    }
    for (uint32_t i = 1; i < shnum; ++i)
        if (!name_at(file.sections[shstrndx], name_offsets[i], file.sections[i].name)) {
            error = "section " + std::to_string(i) + " has no name in the name table";
            return std::nullopt;
        }

    for (uint32_t i = 1; i < shnum; ++i) {
        const Section& s = file.sections[i];
        if (s.type != SHT_SYMTAB) continue;
        if (!file.symbols.empty()) {
            error = "more than one symbol table";
            return std::nullopt;
        }
        if (s.link >= shnum || s.size % SYMBOL_SIZE != 0) {
            error = "symbol table " + std::to_string(i) + " is malformed";
            return std::nullopt;
        }
        const Section& strtab = file.sections[s.link];
        for (size_t at = 0; at < s.contents.size(); at += SYMBOL_SIZE) {
            Symbol sym;
            const std::string_view e(s.contents.data() + at, SYMBOL_SIZE);
            const uint32_t name = be32(e, 0);
            if (name != 0 && !name_at(strtab, name, sym.name)) {
                error = "symbol " + std::to_string(at / SYMBOL_SIZE) + " has no name in its string table";
                return std::nullopt;
            }
            sym.value = be32(e, 4);
            sym.size = be32(e, 8);
            sym.bind = static_cast<uint8_t>(static_cast<unsigned char>(e[12]) >> 4);
            sym.type = static_cast<uint8_t>(e[12] & 0xf);
            sym.section = be16(e, 14);
            file.symbols.push_back(std::move(sym));
        }
    }

    for (uint32_t i = 1; i < shnum; ++i) {
        const Section& s = file.sections[i];
        if (s.type != SHT_RELA) continue;
        if (s.size % RELA_SIZE != 0 || s.info == 0 || s.info >= shnum) {
            error = "relocation section " + std::to_string(i) + " is malformed";
            return std::nullopt;
        }
        RelocationSet set;
        set.target = s.info;
        for (size_t at = 0; at < s.contents.size(); at += RELA_SIZE) {
            const std::string_view e(s.contents.data() + at, RELA_SIZE);
            Relocation r;
            r.offset = be32(e, 0);
            const uint32_t info = be32(e, 4);
            r.symbol = info >> 8;
            r.type = static_cast<uint8_t>(info & 0xff);
            r.addend = static_cast<int32_t>(be32(e, 8));
            if (r.symbol >= file.symbols.size()) {
                error = "relocation in section " + std::to_string(i) + " names symbol " + std::to_string(r.symbol) +
                        ", which does not exist";
                return std::nullopt;
            }
            set.entries.push_back(r);
        }
        file.relocations.push_back(std::move(set));
    }
    return file;
}

std::string describe(const File& file, bool show_contents) {
    std::string out = "ELF relocatable, machine " + std::to_string(file.machine) + ", flags " + hex32(file.flags) + "\n";
    for (size_t i = 1; i < file.sections.size(); ++i) {
        const Section& s = file.sections[i];
        out += "SECTION " + std::to_string(i) + " " + s.name + " " + type_name(s.type);
        const std::string flags = flag_letters(s.flags);
        if (!flags.empty()) out += " " + flags;
        // Sizes of loaded sections only: the debug sections' sizes follow the
        // directory the object was made in.
        if (s.flags & SHF_ALLOC)
            out += ", " + std::to_string(s.size) + " bytes, align " + std::to_string(s.align);
        else if (s.type == SHT_RELA)
            out += ", " + entries(s.size / RELA_SIZE) + " for section " + section_ref(file, s.info);
        out += "\n";
        if (show_contents && (s.flags & SHF_ALLOC) && s.type != SHT_NOBITS) append_hex_dump(out, s.contents);
    }
    static constexpr const char* binds[] = {"LOCAL", "GLOBAL", "WEAK"};
    static constexpr const char* kinds[] = {"NOTYPE", "OBJECT", "FUNC", "SECTION", "FILE"};
    for (size_t i = 1; i < file.symbols.size(); ++i) {
        const Symbol& s = file.symbols[i];
        out += "SYMBOL " + std::to_string(i) + " " + (s.name.empty() ? std::string("-") : s.name) + ": ";
        out += s.type < std::size(kinds) ? kinds[s.type] : "OTHER";
        out += " ";
        out += s.bind < std::size(binds) ? binds[s.bind] : "OTHER";
        out += " " + symbol_section(file, s.section) + ", value " + hex32(s.value) + "\n";
    }
    for (const RelocationSet& set : file.relocations) {
        out += "RELA section " + section_ref(file, set.target) + ": " + entries(set.entries.size()) + "\n";
        for (const Relocation& r : set.entries) {
            out += "  " + hex32(r.offset) + " ";
            const char* name = relocation_name(r.type);
            out += name ? name : "type " + std::to_string(r.type);
            // A section symbol has no name of its own: the section's stands for it.
            const Symbol& sym = file.symbols[r.symbol];
            std::string target = sym.name;
            if (target.empty() && sym.section < file.sections.size() && sym.section != SHN_UNDEF)
                target = file.sections[sym.section].name;
            if (target.empty()) target = "symbol " + std::to_string(r.symbol);
            out += " " + target;
            char buf[24];
            const uint32_t magnitude = r.addend < 0 ? 0u - static_cast<uint32_t>(r.addend) : static_cast<uint32_t>(r.addend);
            std::snprintf(buf, sizeof buf, "%c0x%x", r.addend < 0 ? '-' : '+', magnitude);
            out += buf;
            out += "\n";
        }
    }
    return out;
}

} // namespace tobra::elfread
