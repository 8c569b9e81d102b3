// Code emission and section buffers.
#include "output/emit.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

#include "driver/assembler.h"
#include "driver/collect.h"
#include "output/messages.h"
#include "output/staged_file.h"

namespace tobra {

// Addresses wrap at 32 bits like the processor's; signed overflow must not happen.
static void advance(int32_t& counter, int32_t by) {
    counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + static_cast<uint32_t>(by));
}

// Beside the source, named after the file's own name up to its first '.'
// (a leading '.' belongs to the name). A source that is no plain file, or
// that lives among the devices (/dev/stdin), gets its output in the current
// directory instead.
std::string Emitter::output_name_for(const char* source_name) {
    namespace fs = std::filesystem;
    const std::string_view path(source_name);
    const size_t slash = path.rfind('/');
    const size_t base = slash == std::string_view::npos ? 0 : slash + 1;
    std::string_view own = path.substr(base);
    const size_t dot = own.size() > 1 ? own.find('.', 1) : std::string_view::npos;
    if (dot != std::string_view::npos) own = own.substr(0, dot);

    std::error_code ec;
    const fs::file_status st = fs::status(fs::path(path), ec);
    bool beside = !fs::exists(st) || fs::is_regular_file(st);
    if (beside && base > 0) {
        const fs::path dir = fs::weakly_canonical(fs::path(path.substr(0, base)), ec);
        const std::string d = dir.generic_string();
        for (const char* devices : {"/dev", "/proc", "/sys"})
            if (d.rfind(devices, 0) == 0 && (d.size() == std::strlen(devices) || d[std::strlen(devices)] == '/'))
                beside = false;
    }
    std::string name(beside ? path.substr(0, base) : std::string_view());
    name.append(own);
    return name + ".o";
}

void Emitter::emit_byte(int32_t value) {
    Driver& drv = as.drv;
    if (drv.pass_number == 1) {
        advance(drv.location_counter, 1);
        advance(drv.section_size[drv.current_section], 1);
        as.replay.capture_byte(static_cast<uint32_t>(value));
        return;
    }
    as.lst.capture(static_cast<uint8_t>(value));
    note_line();
    int sec = drv.current_section;
    advance(pass2_size[sec], 1);
    if (stores_bytes_[sec]) {
        PendingBuffer& buf = pending[sec];
        if (buf.count == 0) range_at(sec, drv.location_counter);
        buf.bytes[buf.count++] = static_cast<uint8_t>(value);
        advance(drv.location_counter, 1);
        if (buf.count == RECORD_BYTES) flush_buffer(sec);
    } else {
        const uint8_t byte = static_cast<uint8_t>(value);
        check_uninitialised(&byte, 1);
        range_at(sec, drv.location_counter);
        extend_range(sec, 1);
        advance(drv.location_counter, 1);
        advance(bss_size[sec], 1);
    }
}

void Emitter::refuse_uninitialised(const char* what) {
    if (uninitialised_reported_) return;
    uninitialised_reported_ = true;
    const std::string& name = as.drv.sections[static_cast<size_t>(as.drv.current_section)].name;
    const std::string text = "section: " + std::string(what) + " in " + name + ", which holds no bytes";
    as.report_error(msg::SECTION_HOLDS_NO_BYTES_BUILT.with(text.c_str()));
}

// Zeros are what the section holds anyway (ds and align write them); anything
// else would show in the listing and be missing from the output.
void Emitter::check_uninitialised(const uint8_t* bytes, int32_t count) {
    if (uninitialised_reported_) return;
    if (uninitialised_instruction_) return refuse_uninitialised("instruction");
    for (int32_t i = 0; i < count; ++i)
        if (bytes[i] != 0) return refuse_uninitialised("non-zero data");
}

// Pass 1 only counts, so the multi-byte forms count in one step. In pass 2,
// while all the bytes fit the pending record they go in together, in the
// order and with the flush that emit_byte calls one by one would give.
void Emitter::emit_bytes(const uint8_t* bytes, int n) {
    Driver& drv = as.drv;
    if (drv.pass_number == 1) {
        advance(drv.location_counter, n);
        advance(drv.section_size[drv.current_section], n);
        as.replay.capture_bytes(bytes, n);
        return;
    }
    const int sec = drv.current_section;
    if (stores_bytes_[sec] && pending[sec].count <= RECORD_BYTES - n) {
        if (pending[sec].count == 0) range_at(sec, drv.location_counter);
        as.lst.capture(bytes, n);
        note_line();
        advance(pass2_size[sec], n);
        PendingBuffer& buf = pending[sec];
        std::memcpy(buf.bytes + buf.count, bytes, static_cast<size_t>(n));
        buf.count += n;
        advance(drv.location_counter, n);
        if (buf.count == RECORD_BYTES) flush_buffer(sec);
        return;
    }
    emit_bytes_one_by_one(bytes, n);
}

// Out of line, so that the callers keep their fast path lean. Bytes that
// fill the pending record go in up to its end, then the rest into the next
// one: the records, flushes and ranges that emit_byte one by one would give.
void Emitter::emit_bytes_one_by_one(const uint8_t* bytes, int n) {
    Driver& drv = as.drv;
    const int sec = drv.current_section;
    if (!stores_bytes_[sec]) {
        for (int i = 0; i < n; ++i) emit_byte(bytes[i]);
        return;
    }
    as.lst.capture(bytes, n);
    note_line();
    advance(pass2_size[sec], n);
    PendingBuffer& buf = pending[sec];
    while (n > 0) {
        if (buf.count == 0) range_at(sec, drv.location_counter);
        const int k = n < RECORD_BYTES - buf.count ? n : RECORD_BYTES - buf.count;
        std::memcpy(buf.bytes + buf.count, bytes, static_cast<size_t>(k));
        buf.count += k;
        advance(drv.location_counter, k);
        bytes += k;
        n -= k;
        if (buf.count == RECORD_BYTES) flush_buffer(sec);
    }
}

// Each compiles emit_bytes in for its own width. Pass 1 only counts: done
// here, it saves the pass-2 path's register saves on half the calls.
void Emitter::emit_word(int32_t value) {
    Driver& drv = as.drv;
    if (drv.pass_number == 1) {
        advance(drv.location_counter, 2);
        advance(drv.section_size[drv.current_section], 2);
        as.replay.capture_word(static_cast<uint32_t>(value));
        return;
    }
    store_word(value);
}

void Emitter::store_word(int32_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    emit_bytes(b, 2);
}

void Emitter::emit_long(int32_t value) {
    Driver& drv = as.drv;
    if (drv.pass_number == 1) {
        advance(drv.location_counter, 4);
        advance(drv.section_size[drv.current_section], 4);
        as.replay.capture_long(static_cast<uint32_t>(value));
        return;
    }
    store_long(value);
}

void Emitter::store_long(int32_t value) {
    const uint8_t b[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                          static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    emit_bytes(b, 4);
}

void LineRecorder::note_in_file(uint32_t address, const SourceLocation& at, const std::string& name) {
    if (!rows.empty() && rows.line() == at.line && last_file_ == at.file) return;
    if (at.file >= numbers_.size()) numbers_.resize(at.file + 1, 0);
    uint32_t& number = numbers_[at.file];
    if (number == 0) {
        // Files are numbered in the order their first row comes; two numbers
        // of the driver never name one file, so the name is new here.
        files.push_back(name);
        number = static_cast<uint32_t>(files.size());
    }
    last_file_ = at.file;
    last_number_ = number;
    rows.add(address, number - 1, at.line);
}

void Emitter::emit_noted_run(const uint8_t* bytes, int n) {
    const bool noting = record_lines_;
    record_lines_ = false;
    try {
        emit_bytes(bytes, n);
    } catch (...) {
        record_lines_ = noting;
        throw;
    }
    record_lines_ = noting;
}

void Emitter::note_code_line() {
    note_line_at(static_cast<uint32_t>(as.drv.location_counter), as.drv.current_section, as.here());
}

void Emitter::note_line_in_file(uint32_t address, const SourceLocation& at) {
    lines.note_in_file(address, at, as.file_name(at));
}

void Emitter::flush_buffer(int section) {
    Driver& drv = as.drv;
    if (drv.pass_number != 2) return;
    PendingBuffer& buf = pending[section];
    if (buf.count == 0) {
        drv.flush_address = drv.location_counter;
        return;
    }
    if (format_) format_->section_data(section, static_cast<uint32_t>(drv.flush_address), buf.bytes, buf.count);
    if (as.collector) [[unlikely]]
        as.collector->section_bytes(section, static_cast<uint32_t>(drv.flush_address), buf.bytes, buf.count);
    extend_range(section, buf.count);
    drv.flush_address = drv.location_counter;
    buf.count = 0;
}

void Emitter::flush_section() {
    int sec = as.drv.current_section;
    if (stores_bytes_[sec]) flush_buffer(sec);
}

void Emitter::note_alignment(uint32_t n) {
    if (as.drv.pass_number != 2) return;
    uint32_t& a = section_align[as.drv.current_section];
    if (n > a) a = n;
}

void Emitter::emit_block(const uint8_t* data, int32_t count) {
    Driver& drv = as.drv;
    if (count <= 0) return;
    if (drv.pass_number == 1) {
        advance(drv.location_counter, count);
        advance(drv.section_size[drv.current_section], count);
        as.replay.unsettle();
        return;
    }
    int sec = drv.current_section;
    note_line();
    advance(pass2_size[sec], count);
    if (stores_bytes_[sec]) {
        flush_buffer(sec);
        range_at(sec, drv.location_counter);
        extend_range(sec, count);
        if (format_) format_->section_data(sec, static_cast<uint32_t>(drv.flush_address), data, count);
        if (as.collector) [[unlikely]]
            as.collector->section_bytes(sec, static_cast<uint32_t>(drv.flush_address), data, count);
        advance(drv.location_counter, count);
    } else {
        if (data) check_uninitialised(data, count);
        range_at(sec, drv.location_counter);
        extend_range(sec, count);
        advance(drv.location_counter, count);
        advance(bss_size[sec], count);
    }
    drv.flush_address = drv.location_counter;
}

void Emitter::open_output(const char* first_source) {
    // The options cannot change any more: pass 2 writes what pass 1 measured.
    const OutputFormatRow& row = chosen_output_format(as.options);
    format_ = row.make(as);
    relocatable_ = row.relocatable;
    track_ranges_ = !relocatable_;
    binary_image_ = row.format == FORMAT_BINARY;
    record_lines_ = as.options.debug_lines != 0;
    source_name = first_source;
    output_name = as.options.output_path.empty() ? output_name_for(first_source) : as.options.output_path;
    output_data.clear();
    discard_bytes_ = as.options.no_output != 0;
    if (as.write_files && !discard_bytes_) {
        // Opening truncates: a file this run reads must survive a wrong name.
        if (as.src.is_input_file(output_name))
            as.fatal_error(msg::CANT_OPEN_OUTPUT_FILE_A_SOURCE_BUILT.with(
                ("Can't open output file " + output_name + ": it is a source of this run").c_str()));
        // A link, a device or a FIFO is written into only by a run that
        // succeeds; the bytes wait in an unnamed file until then.
        output_through_ = writes_through(output_name);
        if (output_through_) keep_messages_apart();
        if (output_through_) {
            output_file_ = std::tmpfile();
        } else {
            // Made beside the target and renamed over it once complete: a
            // run that is killed on the way leaves no cut-short output that a
            // build would take as made. A target that could not be written
            // as it is (a directory, a file without write permission) is
            // still refused as such; where nothing can be made beside it,
            // the target is written as it is.
            std::error_code ec;
            const bool beside = !std::filesystem::exists(output_name, ec)
                                    ? !ec
                                    : std::filesystem::is_regular_file(output_name, ec) &&
                                          ::access(output_name.c_str(), W_OK) == 0;
            output_file_ = beside ? output_beside_.open(output_name) : nullptr;
            struct stat old_file;
            if (output_file_ && ::stat(output_name.c_str(), &old_file) == 0)
                ::fchmod(fileno(output_file_), old_file.st_mode & 07777);  // as writing over it would keep it
            if (!output_file_ && writable_regular_file(output_name)) {
                // Opened now, it would be emptied by a run that then fails,
                // and could not be removed either: an empty file that a build
                // would take as made.
                output_through_ = true;
                keep_messages_apart();
                output_file_ = std::tmpfile();
            }
            if (!output_file_) output_file_ = std::fopen(output_name.c_str(), "wb");
        }
        if (!output_file_)
            as.fatal_error(msg::CANT_OPEN_OUTPUT_FILE_BUILT.with(
                ("Can't open output file " + output_name + ": " + std::strerror(errno)).c_str()));
        output_created_ = !output_through_;
        // The bytes gather here until a flush's worth is reached; room for
        // that much at once saves copying the buffer as it grows.
        output_data.reserve(WRITE_CHUNK + 1024);
    }
    output_open = true;
    format_->begin();
}

// An output written where standard output goes (/dev/stdout into a pipe or
// a file) must not get the run's messages among its bytes: they go to
// standard error instead. When that is the same file too, or something was
// printed there already, there is no keeping them apart.
void Emitter::keep_messages_apart() {
    const int shared = standard_streams_holding(output_name);
    if (shared == 0) return;
    const bool diagnostics_on_err = as.options.diagnostics != DiagnosticStyle::native;
    const bool apart = !(shared & 1 && (shared & 2 || as.con.wrote())) &&
                       !(shared & 2 && (diagnostics_on_err || as.err.wrote()));
    if (!apart)
        as.fatal_error(msg::CANT_OPEN_OUTPUT_FILE_BUILT.with(
            ("Can't open output file " + output_name + ": the messages of this run go there too").c_str()));
    if (shared & 1) as.con.move_to(stderr);
}

void Emitter::finish_output(bool ok) {
    if (!ok) {
        discard_output();
        return;
    }
    if (format_ && output_open) format_->end(static_cast<uint32_t>(as.drv.flush_address));
    close_output();
}

// Every fixup of every output passes here, and this is the one place that
// decides what reaches a writer: only fields in sections that store bytes,
// and no external name outside an object file. The writers take that as
// given.
void Emitter::fixup(const Fixup& f) {
    if (!as.pass2_checks()) return;
    // An image is final: no linker will ever supply the name's value.
    if (f.symbol && !relocatable_) {
        as.report_error_arg(msg::XREF_IS_NOT_DEFINED_ONLY_AN_OBJECT_FMT, f.symbol->name());
        return;
    }
    // An absolute output holds the value itself; the binary image only notes
    // where addresses of data end up.
    if (!relocatable_ && f.kind != FixupKind::base_relative) return note_data_reference(f);
    if (!stores_bytes_[f.section]) return refuse_uninitialised("address");
    const FixupDecision d = place_fixup(f);
    if (d.placement == Placement::refused) {
        // A field too narrow for any relocation says which field it is.
        if (f.width == 0 && f.name)
            as.report_error_arg(msg::RELOC_NO_RELOCATION_CAN_HOLD_FMT, f.name);
        else
            as.report_error(d.refusal);
        return;
    }
    if (d.placement != Placement::resolved && relocatable_ && format_) format_->fixup(f, d.placement);
}

void Emitter::follow_output_choice() {
    if (as.drv.pass_number == 2) return;  // open_output chose for good
    const OutputFormatRow& row = chosen_output_format(as.options);
    binary_chosen_ = row.format == FORMAT_BINARY;
    relocatable_ = row.relocatable;
    takes_fixup_ = row.takes_fixup;
}

void Emitter::late_address(const Operand& op, int32_t field_address) {
    if (op.fwd && op.reloc_kind == KIND_UNDEFINED && as.drv.pass_number == 1)
        as.replay.keep_late_field(static_cast<uint32_t>(field_address) - static_cast<uint32_t>(as.drv.line_start_address),
                                  4, LineReplay::LateForm::address);
}

bool Emitter::takes_late_fixup(const Fixup& f) const {
    if (!stores_bytes_[f.section] || !takes_fixup_) return false;
    const FixupDecision d = place_fixup(f);
    return d.placement != Placement::refused && d.placement != Placement::resolved && takes_fixup_(f, d.placement);
}

void Emitter::keep_fixup(const Fixup& f) {
    const FixupDecision d = stores_bytes_[f.section] ? place_fixup(f) : FixupDecision{Placement::refused, {0, nullptr}};
    // Nothing for the object file: a distance within the section.
    if (d.placement == Placement::resolved) return;
    if (d.placement == Placement::refused || !takes_fixup_ || !takes_fixup_(f, d.placement) || !as.replay.keep_fixup(f))
        as.replay.unsettle();
}

void Emitter::relocatable_value_fixup(const Operand& op, int32_t field_address, int width, FixupKind kind,
                                      int pc_base, bool low_byte_of_word, const char* name) {
    const bool pass2 = as.drv.pass_number == 2;
    // Pass 1 keeps an object file's fixups against a section's address;
    // anything else is made and judged in pass 2 alone.
    if (!pass2 && !(relocatable_ && op.reloc_kind == KIND_RELOCATABLE && as.replay.writing())) {
        as.replay.unsettle();
        return;
    }
    Fixup f;
    if (op.reloc_kind == KIND_EXTERNAL) {
        f.symbol = as.sym.relocation_symbol(as.ev.line_symbol(op.sym_slot));
        // A name past the line's last slot, which the evaluator has reported.
        if (!f.symbol) return;
    } else if (op.reloc_kind == KIND_RELOCATABLE) {
        f.target_section = op.sym_section;
    } else {
        return;
    }
    f.section = as.drv.current_section;
    f.offset = static_cast<uint32_t>(field_address);
    f.width = width;
    f.kind = kind;
    f.addend = op.value;
    if (op.pc_relative) {
        // op.value is the target less a place of this section; the
        // relocation counts from the field, so the field's distance from that
        // place joins the addend.
        if (kind != FixupKind::absolute) {
            if (as.pass2_checks()) as.report_error(msg::RELOC_A_DISTANCE_NAME_CANNOT);
            return;
        }
        f.kind = FixupKind::pc_relative;
        f.written_distance = true;
        f.addend = static_cast<int32_t>(static_cast<uint32_t>(op.value) + static_cast<uint32_t>(field_address));
    }
    f.pc_base = pc_base;
    f.low_byte_of_word = low_byte_of_word;
    f.name = name;
    if (pass2)
        fixup(f);
    else
        keep_fixup(f);
}

namespace {
template <typename Vector>
void hold_in(Assembler& as, Vector& into, const uint8_t* bytes, int32_t count) {
    if (count <= 0) return;
    if (into.size() + static_cast<size_t>(count) > as.memory_output_limit) as.fatal_error(msg::CANT_WRITE_OUTPUT_FILE);
    into.insert(into.end(), bytes, bytes + count);
}
} // namespace

void Emitter::hold_bytes(std::vector<uint8_t>& into, const uint8_t* bytes, int32_t count) {
    hold_in(as, into, bytes, count);
}

void Emitter::hold_bytes(LargeVector<uint8_t>& into, const uint8_t* bytes, int32_t count) {
    hold_in(as, into, bytes, count);
}

void Emitter::write_out_checked(const void* data, size_t size) {
    if (!output_open || discard_bytes_) return;
    if (!output_file_ && output_data.size() + size > as.memory_output_limit)
        as.fatal_error(msg::CANT_WRITE_OUTPUT_FILE);
    if (output_file_ && size >= WRITE_CHUNK) {
        // A large piece (an object file's section) goes straight to the file,
        // after what is held, rather than through another copy.
        write_pending();
        if (std::fwrite(data, 1, size, output_file_) != size) as.fatal_error(msg::CANT_WRITE_OUTPUT_FILE);
        return;
    }
    output_data.append(static_cast<const char*>(data), size);
    // Large outputs go to disk as they grow; the file is removed again on failure.
    if (output_file_ && output_data.size() >= WRITE_CHUNK) write_pending();
}

// Every write is checked: a full disk or a size limit must never leave a
// truncated file that looks like a result.
void Emitter::write_pending() {
    if (!output_file_ || output_data.empty()) return;
    size_t want = output_data.size();
    size_t n = std::fwrite(output_data.data(), 1, want, output_file_);
    output_data.clear();
    if (n != want) as.fatal_error(msg::CANT_WRITE_OUTPUT_FILE);
}

void Emitter::close_output() {
    if (!output_open) return;
    if (output_file_) {
        write_pending();
        bool failed;
        if (output_file_ == output_beside_.stream()) {
            output_file_ = nullptr;
            failed = !output_beside_.commit();
        } else {
            failed = std::fflush(output_file_) != 0 || std::ferror(output_file_);
            if (output_through_ && !failed) failed = !copy_into(output_file_, output_name);
            failed = std::fclose(output_file_) != 0 || failed;
            output_file_ = nullptr;
        }
        // Still the run's own until the side files have their names too: a
        // failure there removes it with them.
        if (failed) as.fatal_error(msg::CANT_WRITE_OUTPUT_FILE);
    }
    output_open = false;
}

void Emitter::discard_output() {
    output_data.clear();
    if (output_file_ && output_file_ != output_beside_.stream()) std::fclose(output_file_);
    output_file_ = nullptr;
    output_beside_.abandon();
    // The output of an earlier run goes too, as when it was written over.
    if (output_created_) {
        remove_regular_file(output_name);
        output_created_ = false;
    }
    output_open = false;
}

void Emitter::reset_for_pass2() {
    record_lines_ = as.options.debug_lines != 0;
    for (PendingBuffer& p : pending) p.count = 0;
    lines.clear();
    for (int32_t& s : bss_size) s = 0;
    for (int32_t& s : pass2_size) s = 0;
    for (uint32_t& a : section_align) a = 0;
    entry_address.reset();
    ranges_.clear();
    data_references_.clear();
    for (int& r : current_range_) r = -1;
    for (bool& o : origin_pending_) o = false;
}

void Emitter::note_origin() {
    const int sec = as.drv.current_section;
    if (sec < 0 || sec >= 5) return;
    origin_pending_[sec] = true;
    origin_at_[sec] = as.here();
}

void Emitter::open_range(int section, int32_t address) {
    if (section < 0 || section >= 5) return;
    const int r = current_range_[section];
    const bool origin = origin_pending_[section];
    origin_pending_[section] = false;
    uint64_t offset = 0;
    if (r >= 0) {
        const Range& last = ranges_[static_cast<size_t>(r)];
        if (static_cast<uint32_t>(last.end) == static_cast<uint32_t>(address)) return;
        offset = last.image_offset + (last.end - last.start);
    }
    const Range n{section, static_cast<uint32_t>(address), static_cast<uint32_t>(address), offset, origin,
                  origin ? origin_at_[section] : as.here(), ranges_.size() + data_references_.size()};
    current_range_[section] = static_cast<int>(ranges_.size());
    ranges_.push_back(n);
}

void Emitter::note_data_reference(const Fixup& f) {
    if (!binary_image_ || f.symbol || (f.target_section != SEC_DATA && f.target_section != SEC_BASEDATA)) return;
    // One note per line is enough.
    const SourceLocation at = as.here();
    if (!data_references_.empty() && data_references_.back().at == at) return;
    data_references_.push_back({f.target_section, static_cast<uint32_t>(f.addend), at,
                                ranges_.size() + data_references_.size()});
}

void Emitter::report_at(const SourceLocation& at, bool warning, Message message, const std::string& text) {
    if (warning)
        as.report_warning_at(at, message.with(text.c_str()));
    else
        as.report_error_at(at, message.with(text.c_str()));
}

static std::string hex_address(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "$%04llX", static_cast<unsigned long long>(v));
    return text;
}

void Emitter::check_ranges() {
    if (!track_ranges_ || ranges_.empty()) return;
    static constexpr const char* names[] = {"code", "data", "bss", "basedata", "basebss"};
    // Bytes past $FFFFFFFF would land at address 0 and on: on the vectors, as
    // a rule, with nothing to say so.
    for (const Range& r : ranges_)
        if (r.end > uint64_t{1} << 32)
            report_at(r.at, false, msg::RANGE_PASSES_THE_LAST_ADDRESS_BUILT,
                      std::string(r.from_origin ? "org: " : "section: ") + names[r.section] + " " +
                          hex_address(r.start) + "-" + hex_address(r.end - 1) +
                          " runs past $FFFFFFFF, the last address");
    if (!binary_image_) {
        // Sorted by start, each range must begin at or after the furthest end
        // of those before it; the one that comes later in the source is the
        // one reported.
        std::vector<size_t> order(ranges_.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return ranges_[a].start < ranges_[b].start; });
        std::vector<std::pair<size_t, size_t>> clashes;  // later, earlier
        size_t furthest = order.size();
        for (size_t i : order) {
            const Range& r = ranges_[i];
            if (furthest != order.size() && r.start < ranges_[furthest].end)
                clashes.push_back({std::max(i, furthest), std::min(i, furthest)});
            if (furthest == order.size() || r.end > ranges_[furthest].end) furthest = i;
        }
        std::sort(clashes.begin(), clashes.end());
        // The other range's place, written as the message's own is.
        const char* separator = as.options.diagnostics == DiagnosticStyle::native ? "," : ":";
        for (const auto& [later, earlier] : clashes) {
            const Range& a = ranges_[later];
            const Range& b = ranges_[earlier];
            report_at(a.at, false, msg::RANGES_OVERLAP_BUILT,
                      std::string(a.from_origin ? "org: " : "section: ") + names[a.section] + " " +
                          hex_address(a.start) + "-" + hex_address(a.end - 1) + " overlaps " + names[b.section] +
                          " " + hex_address(b.start) + "-" + hex_address(b.end - 1) + " from " + as.file_name(b.at) +
                          separator + std::to_string(b.at.line));
        }
        return;
    }
    // The image is the code, then data and basedata each padded to 4 bytes,
    // with no addresses: a range lies at its address only if it happens to
    // follow on from where the image starts.
    uint64_t section_offset[5] = {};
    const uint64_t code = static_cast<uint32_t>(pass2_size[SEC_CODE]);
    const uint64_t data = static_cast<uint32_t>(pass2_size[SEC_DATA]);
    section_offset[SEC_DATA] = code;
    section_offset[SEC_BASEDATA] = code + (data == 0 ? 0 : (static_cast<uint64_t>(static_cast<uint32_t>(as.drv.section_size[SEC_DATA])) + 3) & ~uint64_t{3});
    const Range* first = nullptr;
    for (int sec : {SEC_CODE, SEC_DATA, SEC_BASEDATA})
        for (const Range& r : ranges_)
            if (!first && r.section == sec) first = &r;
    if (!first) return;
    const uint64_t base = first->start;
    auto where = [&](uint64_t offset) {
        return "image offset " + hex_address(offset) + " (" + hex_address((base + offset) & 0xFFFFFFFFu) +
               " with the image at " + hex_address(base) + ")";
    };
    // In the order the source gave them.
    struct Note {
        size_t order;
        SourceLocation at;
        Message message;
        std::string text;
    };
    std::vector<Note> notes;
    for (const Range& r : ranges_) {
        if (!stores_bytes(r.section)) continue;
        const uint64_t offset = section_offset[r.section] + r.image_offset;
        if (((base + offset) & 0xFFFFFFFFu) == r.start) continue;
        notes.push_back({r.order, r.at, msg::BINARY_SECTION_AWAY_FROM_ADDRESS_BUILT,
                         std::string("binary: ") + names[r.section] + " at " + hex_address(r.start) + " lies at " +
                             where(offset)});
    }
    for (const DataReference& d : data_references_) {
        for (const Range& r : ranges_) {
            if (r.section != d.section || d.value < r.start || d.value > r.end) continue;
            const uint64_t offset = section_offset[r.section] + r.image_offset + (d.value - r.start);
            if (((base + offset) & 0xFFFFFFFFu) != d.value)
                notes.push_back({d.order, d.at, msg::BINARY_ADDRESS_AWAY_FROM_IMAGE_BUILT,
                                 "binary: the address " + hex_address(d.value) + " of " + names[d.section] +
                                     " lies at " + where(offset)});
            break;
        }
    }
    std::sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.order < b.order; });
    for (const Note& n : notes) report_at(n.at, true, n.message, n.text);
}

} // namespace tobra
