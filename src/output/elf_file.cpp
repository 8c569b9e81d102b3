// The ELF32 relocatable object writer: file layout, symbol table, RELA
// sections and a minimal DWARF 2 description (one compile unit, its line
// program and its address range).
#include "output/elf_file.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tobra::elf {

namespace {

// DWARF codes used below.
constexpr uint8_t DW_TAG_compile_unit = 0x11;
constexpr uint8_t DW_AT_name = 0x03;
constexpr uint8_t DW_AT_stmt_list = 0x10;
constexpr uint8_t DW_AT_low_pc = 0x11;
constexpr uint8_t DW_AT_high_pc = 0x12;
constexpr uint8_t DW_AT_language = 0x13;
constexpr uint8_t DW_AT_comp_dir = 0x1b;
constexpr uint8_t DW_AT_producer = 0x25;
constexpr uint8_t DW_FORM_addr = 0x01;
constexpr uint8_t DW_FORM_data2 = 0x05;
constexpr uint8_t DW_FORM_data4 = 0x06;
constexpr uint8_t DW_FORM_string = 0x08;
constexpr uint16_t DW_LANG_Mips_Assembler = 0x8001;
constexpr uint8_t DW_LNE_end_sequence = 1;
constexpr uint8_t DW_LNE_set_address = 2;

struct Bytes {
    LargeVector<uint8_t> b;
    uint32_t size() const { return static_cast<uint32_t>(b.size()); }
    void u8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
    // Big-endian, in one step: a table of relocations or symbols is most of
    // these, with its room reserved.
    void u16(uint32_t v) {
        const size_t at = b.size();
        b.resize(at + 2);
        b[at] = static_cast<uint8_t>(v >> 8);
        b[at + 1] = static_cast<uint8_t>(v);
    }
    void u32(uint32_t v) {
        const size_t at = b.size();
        b.resize(at + 4);
        put32(static_cast<uint32_t>(at), v);
    }
    void put32(uint32_t at, uint32_t v) {
        for (uint32_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    }
    void str(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        u8(0);
    }
    void uleb(uint64_t v) {
        do {
            uint8_t byte = v & 0x7F;
            v >>= 7;
            u8(v ? byte | 0x80 : byte);
        } while (v);
    }
    void sleb(int64_t v) {
        for (;;) {
            uint8_t byte = v & 0x7F;
            v >>= 7;  // arithmetic shift keeps the sign
            bool done = (v == 0 && !(byte & 0x40)) || (v == -1 && (byte & 0x40));
            u8(done ? byte : byte | 0x80);
            if (done) return;
        }
    }
    void append(const LargeVector<uint8_t>& other) { b.insert(b.end(), other.begin(), other.end()); }
};

// A string table: offset 0 holds the empty name.
struct StringTable {
    Bytes bytes{{0}};
    uint32_t add(std::string_view s) {
        if (s.empty()) return 0;
        const uint32_t at = bytes.size();
        // Appended as it is: growing by resize would zero the room first.
        bytes.b.insert(bytes.b.end(), s.begin(), s.end());
        bytes.b.push_back(0);
        return at;
    }
};

// Where a relocation in a debug section points: the start of another section.
struct DebugRelocation {
    uint32_t offset;
    uint32_t section_header;  // header index of the target section
    int32_t addend;
};

struct OutSection {
    std::string name;
    uint32_t type = SHT_PROGBITS;
    uint32_t flags = 0;
    uint32_t link = 0;
    uint32_t info = 0;
    uint32_t align = 1;
    uint32_t entsize = 0;
    LargeVector<uint8_t> data;
    uint32_t nobits_size = 0;
    // The bytes of an assembled section are written from where they are.
    const LargeVector<uint8_t>* borrowed = nullptr;
    // So are the line program's rows, between data and tail.
    const GrowingArray<uint8_t>* rows = nullptr;
    LargeVector<uint8_t> tail{};

    size_t size() const {
        if (borrowed) return borrowed->size();
        return data.size() + (rows ? rows->size() : 0) + tail.size();
    }
    void write(const ByteSink& sink) const {
        if (borrowed) {
            if (!borrowed->empty()) sink(borrowed->data(), borrowed->size());
            return;
        }
        if (!data.empty()) sink(data.data(), data.size());
        if (rows && !rows->empty()) sink(rows->begin(), rows->size());
        if (!tail.empty()) sink(tail.data(), tail.size());
    }
};

// The line program of the .text section into section: its header, the
// rows as they were kept, and the end of the sequence.
void line_program(const ObjectFile& o, OutSection& section, uint32_t& address_field) {
    Bytes p;
    p.u32(0);  // unit length, patched below
    p.u16(2);  // version
    uint32_t header_length_at = p.size();
    p.u32(0);  // header length, patched below
    p.u8(1);   // minimum instruction length: code may hold odd-sized data
    p.u8(1);   // default is_stmt
    p.u8(static_cast<uint8_t>(-5));  // line base
    p.u8(14);  // line range
    p.u8(13);  // opcode base
    static constexpr uint8_t standard_opcode_lengths[] = {0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1};
    for (uint8_t n : standard_opcode_lengths) p.u8(n);
    p.u8(0);  // no include directories: names are as given, relative to comp_dir
    for (const std::string& f : o.line_files) {
        p.str(f);
        p.uleb(0);  // directory
        p.uleb(0);  // modification time
        p.uleb(0);  // length
    }
    p.u8(0);
    p.put32(header_length_at, p.size() - header_length_at - 4);

    p.u8(0);  // extended opcode
    p.uleb(5);
    p.u8(DW_LNE_set_address);
    address_field = p.size();
    p.u32(0);  // the start of .text, by relocation

    Bytes t;
    const uint32_t address = o.lines.address();
    uint32_t end = static_cast<uint32_t>(o.sections[TEXT].bytes.size());
    if (end > address) {
        t.u8(DW_LNS_advance_pc);
        t.uleb(end - address);
    }
    t.u8(0);
    t.uleb(1);
    t.u8(DW_LNE_end_sequence);
    p.put32(0, static_cast<uint32_t>(p.size() + o.lines.opcodes().size() + t.size() - 4));
    section.data = std::move(p.b);
    section.rows = &o.lines.opcodes();
    section.tail = std::move(t.b);
}

// A symbol's or relocation's entry, big-endian, in one step: the tables are
// made of these, a few hundred thousand in a large program.
template <size_t N>
void put_words(Bytes& t, const std::array<uint32_t, N>& words) {
    const size_t at = t.b.size();
    t.b.resize(at + 4 * N);
    uint8_t* p = t.b.data() + at;
    for (uint32_t w : words) {
        p[0] = static_cast<uint8_t>(w >> 24);
        p[1] = static_cast<uint8_t>(w >> 16);
        p[2] = static_cast<uint8_t>(w >> 8);
        p[3] = static_cast<uint8_t>(w);
        p += 4;
    }
}

void put_sym(Bytes& t, uint32_t name, uint32_t value, uint8_t bind, uint8_t type, uint16_t shndx) {
    // name, value, size 0, then info, other (default visibility) and the section index.
    put_words<4>(t, {name, value, 0, uint32_t{static_cast<uint8_t>(bind << 4 | type)} << 24 | shndx});
}

void put_rela(Bytes& r, uint32_t offset, uint32_t symbol, uint8_t type, int32_t addend) {
    put_words<3>(r, {offset, symbol << 8 | type, static_cast<uint32_t>(addend)});
}

OutSection rela_section(const std::string& name) { return {name, SHT_RELA, SHF_INFO_LINK, 0, 0, 4, RELA_SIZE, {}, 0}; }
OutSection debug_section(const char* name) { return {name, SHT_PROGBITS, 0, 0, 0, 1, 0, {}, 0}; }

// The abbreviation of the one entry .debug_info holds: a compile unit
// without children.
Bytes abbreviation_table() {
    Bytes ab;
    ab.uleb(1);
    ab.uleb(DW_TAG_compile_unit);
    ab.u8(0);  // no children
    const uint8_t attributes[][2] = {
        {DW_AT_stmt_list, DW_FORM_data4}, {DW_AT_low_pc, DW_FORM_addr},   {DW_AT_high_pc, DW_FORM_addr},
        {DW_AT_name, DW_FORM_string},     {DW_AT_comp_dir, DW_FORM_string}, {DW_AT_producer, DW_FORM_string},
        {DW_AT_language, DW_FORM_data2}};
    for (const auto& a : attributes) {
        ab.uleb(a[0]);
        ab.uleb(a[1]);
    }
    ab.u8(0);
    ab.u8(0);
    ab.u8(0);  // end of the table
    return ab;
}

// A debug section and the relocations in it that point into other sections.
struct DebugSection {
    uint32_t header = 0;
    uint32_t rela = 0;
    std::vector<DebugRelocation> relocations;
};

// The compile unit: where its abbreviations and line program are, the
// addresses of .text it covers, and its names.
Bytes compile_unit(const ObjectFile& o, DebugSection& info, uint32_t abbrev, uint32_t line, uint32_t text,
                   uint32_t text_size) {
    Bytes cu;
    cu.u32(0);  // unit length, patched below
    cu.u16(2);  // version
    info.relocations.push_back({cu.size(), abbrev, 0});
    cu.u32(0);  // abbreviation table offset
    cu.u8(4);   // address size
    cu.uleb(1);
    info.relocations.push_back({cu.size(), line, 0});
    cu.u32(0);
    info.relocations.push_back({cu.size(), text, 0});
    cu.u32(0);
    info.relocations.push_back({cu.size(), text, static_cast<int32_t>(text_size)});
    cu.u32(0);
    cu.str(o.source_name);
    cu.str(o.comp_dir);
    cu.str(o.producer);
    cu.u16(DW_LANG_Mips_Assembler);
    cu.put32(0, cu.size() - 4);
    return cu;
}

// The address range of the compile unit: all of .text.
Bytes address_ranges(DebugSection& aranges, uint32_t info, uint32_t text, uint32_t text_size) {
    Bytes ar;
    ar.u32(0);  // unit length, patched below
    ar.u16(2);  // version
    aranges.relocations.push_back({ar.size(), info, 0});
    ar.u32(0);  // offset of the compile unit
    ar.u8(4);   // address size
    ar.u8(0);   // segment selector size
    while (ar.size() % 8) ar.u8(0);  // tuples are aligned to twice the address size
    aranges.relocations.push_back({ar.size(), text, 0});
    ar.u32(0);
    ar.u32(text_size);
    ar.u32(0);
    ar.u32(0);
    ar.put32(0, ar.size() - 4);
    return ar;
}

// The 52 bytes that open the file.
Bytes file_header(uint32_t flags, uint32_t section_headers_at, uint32_t section_count, uint32_t names_section) {
    Bytes h;
    for (uint8_t c : {uint8_t{0x7F}, uint8_t{'E'}, uint8_t{'L'}, uint8_t{'F'}}) h.u8(c);
    h.u8(1);  // 32-bit
    h.u8(2);  // big-endian
    h.u8(1);  // version
    while (h.size() < 16) h.u8(0);
    h.u16(ET_REL);
    h.u16(EM_68K);
    h.u32(1);  // version
    h.u32(0);  // entry
    h.u32(0);  // program headers
    h.u32(section_headers_at);
    h.u32(flags);
    h.u16(EHDR_SIZE);
    h.u16(0);  // program header entry size
    h.u16(0);  // program header count
    h.u16(SHDR_SIZE);
    h.u16(static_cast<uint16_t>(section_count));
    h.u16(static_cast<uint16_t>(names_section));
    return h;
}

// The file as it is built: the section table in header order, and where
// each part of the object went in it. The steps run in the order of
// build(), each filling what the next reads.
class FileBuilder {
public:
    explicit FileBuilder(const ObjectFile& object) : o(object) {}
    void build(const ByteSink& sink) {
        add_assembled_sections();
        add_debug_sections();
        symtab = add({".symtab", SHT_SYMTAB, 0, 0, 0, 4, SYM_SIZE, {}, 0});
        strtab = add({".strtab", SHT_STRTAB, 0, 0, 0, 1, 0, {}, 0});
        shstrtab = add({".shstrtab", SHT_STRTAB, 0, 0, 0, 1, 0, {}, 0});
        fill_symbol_table();
        fill_relocation_sections();
        fill_section_names();
        lay_out(sink);
    }

private:
    uint32_t add(OutSection s) {
        sections.push_back(std::move(s));
        return static_cast<uint32_t>(sections.size() - 1);
    }
    void add_assembled_sections();
    void add_debug_sections();
    void fill_symbol_table();
    void fill_relocation_sections();
    void fill_section_names();
    void lay_out(const ByteSink& sink) const;

    const ObjectFile& o;
    std::vector<OutSection> sections = std::vector<OutSection>(1);  // index 0 is the null section
    // Per section of the object: its header index and that of its RELA
    // section, 0 when it has none.
    std::vector<uint32_t> header_of, rela_of;
    DebugSection line, info, abbrev, aranges;
    uint32_t symtab = 0, strtab = 0, shstrtab = 0;
    // Symbol table index of each header's section symbol and of each symbol
    // of the object.
    std::vector<uint32_t> section_symbol, symbol_index;
    std::vector<uint32_t> name_offset;  // of each header's name in .shstrtab
};

// Section table: every section of the assembly that holds something, is
// always written or is referred to, each followed by its RELA section when
// it has relocations; then the stack note.
void FileBuilder::add_assembled_sections() {
    const size_t count_of_sections = o.sections.size();
    header_of.assign(count_of_sections, 0);
    rela_of.assign(count_of_sections, 0);
    std::vector<uint8_t> used(count_of_sections, 0);
    for (size_t s = 0; s < count_of_sections; ++s) {
        const SectionData& d = o.sections[s];
        used[s] = d.always || !d.bytes.empty() || d.nobits_size || !d.relocations.empty() ? 1 : 0;
    }
    for (const Symbol& sym : o.symbols)
        if (sym.section >= 0) used[static_cast<size_t>(sym.section)] = 1;
    for (const SectionData& d : o.sections)
        for (const Relocation& rel : d.relocations)
            if (rel.symbol < 0) used[static_cast<size_t>(rel.section)] = 1;
    for (size_t s = 0; s < count_of_sections; ++s) {
        if (!used[s]) continue;
        const SectionData& d = o.sections[s];
        const uint32_t flags = SHF_ALLOC | (d.contents == Contents::code ? SHF_EXECINSTR : SHF_WRITE);
        if (d.contents != Contents::bss)
            header_of[s] = add({d.name, SHT_PROGBITS, flags, 0, 0, d.align, 0, {}, 0, &d.bytes});
        else
            header_of[s] = add({d.name, SHT_NOBITS, flags, 0, 0, d.align, 0, {}, d.nobits_size});
        if (!d.relocations.empty()) rela_of[s] = add(rela_section(".rela" + d.name));
    }

    // An empty note that says the code needs no executable stack, as a
    // linker for a hosted target otherwise warns and assumes it does.
    add({".note.GNU-stack", SHT_PROGBITS, 0, 0, 0, 1, 0, {}, 0});
}

// Debug sections (-g): the line program, the compile unit, its
// abbreviations and its address range, each with the relocations that
// point into other sections.
void FileBuilder::add_debug_sections() {
    if (!o.debug) return;
    line.header = add(debug_section(".debug_line"));
    line.rela = add(rela_section(".rela.debug_line"));
    info.header = add(debug_section(".debug_info"));
    info.rela = add(rela_section(".rela.debug_info"));
    abbrev.header = add(debug_section(".debug_abbrev"));
    aranges.header = add(debug_section(".debug_aranges"));
    aranges.rela = add(rela_section(".rela.debug_aranges"));

    const uint32_t text = header_of[TEXT];
    const uint32_t text_size = static_cast<uint32_t>(o.sections[TEXT].bytes.size());
    uint32_t at = 0;
    line_program(o, sections[line.header], at);
    line.relocations.push_back({at, text, 0});
    sections[abbrev.header].data = abbreviation_table().b;
    sections[info.header].data = compile_unit(o, info, abbrev.header, line.header, text, text_size).b;
    sections[aranges.header].data = address_ranges(aranges, info.header, text, text_size).b;
}

// Symbols: null, file, section symbols, local labels, then the globals.
void FileBuilder::fill_symbol_table() {
    StringTable names;
    Bytes syms;
    // Sized once: a large table would otherwise be copied as it doubles.
    size_t name_bytes = o.source_name.size() + 2;
    for (const Symbol& sym : o.symbols) name_bytes += sym.name.size() + 1;
    names.bytes.b.reserve(name_bytes);
    syms.b.reserve(SYM_SIZE * (2 + sections.size() + o.symbols.size()));
    put_sym(syms, 0, 0, STB_LOCAL, STT_NOTYPE, SHN_UNDEF);
    uint32_t count = 1;
    put_sym(syms, names.add(o.source_name), 0, STB_LOCAL, STT_FILE, SHN_ABS);
    ++count;
    section_symbol.assign(sections.size(), 0);
    auto add_section_symbol = [&](uint32_t header) {
        section_symbol[header] = count++;
        put_sym(syms, 0, 0, STB_LOCAL, STT_SECTION, static_cast<uint16_t>(header));
    };
    for (uint32_t header : header_of)
        if (header) add_section_symbol(header);
    if (o.debug)
        for (uint32_t h : {line.header, info.header, abbrev.header}) add_section_symbol(h);

    symbol_index.assign(o.symbols.size(), 0);
    for (int pass = 0; pass < 2; ++pass) {
        bool globals = pass == 1;
        if (globals) sections[symtab].info = count;
        for (size_t i = 0; i < o.symbols.size(); ++i) {
            const Symbol& s = o.symbols[i];
            bool global = s.global || s.section == UNDEFINED;
            if (global != globals) continue;
            uint16_t shndx = s.section == UNDEFINED  ? SHN_UNDEF
                             : s.section == ABSOLUTE ? SHN_ABS
                                                     : static_cast<uint16_t>(header_of[static_cast<size_t>(s.section)]);
            put_sym(syms, names.add(s.name), s.value, global ? STB_GLOBAL : STB_LOCAL, STT_NOTYPE, shndx);
            symbol_index[i] = count++;
        }
    }
    sections[symtab].data = std::move(syms.b);
    sections[symtab].link = strtab;
    sections[strtab].data = std::move(names.bytes.b);
}

// The RELA sections' entries: a relocation names its symbol, or the section
// symbol of the section it points into.
void FileBuilder::fill_relocation_sections() {
    for (size_t s = 0; s < o.sections.size(); ++s) {
        if (!rela_of[s]) continue;
        Bytes r;
        r.b.reserve(RELA_SIZE * o.sections[s].relocations.size());
        for (const Relocation& rel : o.sections[s].relocations) {
            uint32_t sym = rel.symbol >= 0 ? symbol_index[static_cast<size_t>(rel.symbol)]
                                           : section_symbol[header_of[static_cast<size_t>(rel.section)]];
            put_rela(r, rel.offset, sym, rel.type, rel.addend);
        }
        sections[rela_of[s]].data = std::move(r.b);
        sections[rela_of[s]].info = header_of[s];
    }
    for (DebugSection* d : {&line, &info, &aranges}) {
        if (!d->rela) continue;
        Bytes r;
        for (const DebugRelocation& rel : d->relocations)
            put_rela(r, rel.offset, section_symbol[rel.section_header], R_68K_32, rel.addend);
        sections[d->rela].data = std::move(r.b);
        sections[d->rela].info = d->header;
    }
    for (OutSection& s : sections)
        if (s.type == SHT_RELA) s.link = symtab;
}

void FileBuilder::fill_section_names() {
    StringTable section_names;
    name_offset.assign(sections.size(), 0);
    for (size_t i = 1; i < sections.size(); ++i) name_offset[i] = section_names.add(sections[i].name);
    sections[shstrtab].data = std::move(section_names.bytes.b);
}

// Layout: header, section contents in header order, then the section headers.
// The places are worked out first, so that the file goes out in pieces, the
// sections' bytes from where they are.
void FileBuilder::lay_out(const ByteSink& sink) const {
    std::vector<uint32_t> file_offset(sections.size(), 0);
    uint32_t at = EHDR_SIZE;
    for (size_t i = 1; i < sections.size(); ++i) {
        // A linker needs no more than this in the file, whatever the
        // section's alignment in memory: align 0x10000 must not pad 64K here.
        const uint32_t file_align = sections[i].align < 16 ? sections[i].align : 16;
        if (file_align > 1) at = (at + file_align - 1) / file_align * file_align;
        file_offset[i] = at;
        at += static_cast<uint32_t>(sections[i].size());
    }
    const uint32_t shoff = (at + 3) & ~uint32_t{3};

    static constexpr uint8_t zeros[16] = {};
    const Bytes h = file_header(o.flags, shoff, static_cast<uint32_t>(sections.size()), shstrtab);
    sink(h.b.data(), h.b.size());
    uint32_t written = EHDR_SIZE;
    for (size_t i = 1; i < sections.size(); ++i) {
        if (file_offset[i] > written) sink(zeros, file_offset[i] - written);
        sections[i].write(sink);
        written = file_offset[i] + static_cast<uint32_t>(sections[i].size());
    }
    if (shoff > written) sink(zeros, shoff - written);

    Bytes headers;
    headers.b.resize(SHDR_SIZE);  // the null section's header
    for (size_t i = 1; i < sections.size(); ++i) {
        const OutSection& s = sections[i];
        headers.u32(name_offset[i]);
        headers.u32(s.type);
        headers.u32(s.flags);
        headers.u32(0);  // address
        headers.u32(file_offset[i]);
        headers.u32(s.type == SHT_NOBITS ? s.nobits_size : static_cast<uint32_t>(s.size()));
        headers.u32(s.link);
        headers.u32(s.info);
        headers.u32(s.align);
        headers.u32(s.entsize);
    }
    sink(headers.b.data(), headers.b.size());
}

} // namespace

void LineRows::add_any(uint32_t address, uint32_t file, uint32_t line) {
    // Written in place, with room for the longest row: three operands of at
    // most ten bytes and four opcodes.
    const size_t at = opcodes_.size();
    opcodes_.resize_for_overwrite(at + 40);
    uint8_t* p = opcodes_.begin() + at;
    auto uleb = [&p](uint64_t v) {
        do {
            const uint8_t byte = v & 0x7F;
            v >>= 7;
            *p++ = v ? byte | 0x80 : byte;
        } while (v);
    };
    auto sleb = [&p](int64_t v) {
        for (;;) {
            const uint8_t byte = v & 0x7F;
            v >>= 7;  // arithmetic shift keeps the sign
            const bool done = (v == 0 && !(byte & 0x40)) || (v == -1 && (byte & 0x40));
            *p++ = done ? byte : byte | 0x80;
            if (done) return;
        }
    };
    if (file + 1 != file_) {
        file_ = file + 1;
        *p++ = DW_LNS_set_file;
        uleb(file_);
    }
    if (line != line_) {
        *p++ = DW_LNS_advance_line;
        sleb(static_cast<int64_t>(line) - line_);
        line_ = line;
    }
    if (address != address_) {
        *p++ = DW_LNS_advance_pc;
        uleb(address - address_);
        address_ = address;
    }
    *p++ = DW_LNS_copy;
    opcodes_.resize_for_overwrite(static_cast<size_t>(p - opcodes_.begin()));
    ++count_;
}

std::vector<SectionData> standard_sections() {
    std::vector<SectionData> s(STANDARD_SECTIONS);
    const Contents contents[STANDARD_SECTIONS] = {Contents::code, Contents::data, Contents::bss, Contents::data,
                                                  Contents::bss};
    for (int i = 0; i < STANDARD_SECTIONS; ++i) {
        s[static_cast<size_t>(i)].name = standard_section_name[i];
        s[static_cast<size_t>(i)].contents = contents[i];
        s[static_cast<size_t>(i)].always = i <= BSS;
    }
    return s;
}

void write_object(const ObjectFile& o, const ByteSink& sink) { FileBuilder(o).build(sink); }

std::vector<uint8_t> write_object(const ObjectFile& o) {
    std::vector<uint8_t> file;
    write_object(o, [&file](const uint8_t* bytes, size_t n) { file.insert(file.end(), bytes, bytes + n); });
    return file;
}

} // namespace tobra::elf
