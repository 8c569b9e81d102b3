// incbin: the bytes of a file, or of a part of it, in the current section.
#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "directives/messages.h"
#include "driver/assembler.h"
#include "driver/collect.h"

namespace tobra {

namespace {

// Where an operand of incbin may end: the end of the line, a comment, or a
// blank (after which the rest is comment).
bool operand_done(char c) { return c == '\0' || c == '\n' || c == ' ' || c == '\t' || c == ';'; }

} // namespace

// An offset or length after the file name: a constant, known above the line
// (both passes must insert the same bytes), and not negative.
bool Directives::read_incbin_number(Statement& st, const char* what, int64_t& out) {
    const char*& p = st.cursor.at;
    while (*p == ' ' || *p == '\t') ++p;
    char text[96];
    auto fail = [&](Message format) {
        std::snprintf(text, sizeof text, format.text, what);
        as.report_error(format.with(text));
        return false;
    };
    if (*p == '\0' || *p == '\n' || *p == ';' || *p == ',') return fail(msg::INCBIN_EXPECTED_FMT);
    int32_t value[2] = {0, 0};
    Operand op;
    if (as.ev.eval(st.cursor, value, op) != TYPE_USER) return fail(msg::INCBIN_EXPECTED_FMT);
    if (!defined_above(st, as.ev.expr_fwd || as.ev.expr_undefined)) return false;
    // An address that a linker may move says nothing about a place in the file.
    if (op.reloc_kind == KIND_RELOCATABLE || op.reloc_kind == KIND_EXTERNAL || op.reloc_kind == KIND_UNDEFINED)
        return fail(msg::INCBIN_IS_NOT_A_CONSTANT_FMT);
    if (value[0] < 0) return fail(msg::INCBIN_NEGATIVE_FMT);
    out = value[0];
    return true;
}

void Directives::d_incbin(Statement& st) {
    const char*& p = st.cursor.at;
    const bool quoted = *p == '"';
    const std::string path = read_file_name(st.cursor);

    // incbin file[,offset[,length]]; no length: to the end of the file.
    int64_t offset = 0, length = -1;
    bool more = quoted ? *p == ',' : p[-1] == ',';
    if (quoted && more) ++p;
    if (more) {
        if (!read_incbin_number(st, "offset", offset)) return;
        more = *p == ',';
        if (more) {
            ++p;
            if (!read_incbin_number(st, "length", length)) return;
        }
        if (!operand_done(*p)) {
            const char* end = p;
            while (!operand_done(*end)) ++end;
            as.report_error_arg(msg::INCBIN_UNEXPECTED_TEXT_AFTER_OPERAND_FMT,
                                std::string(p, static_cast<size_t>(end - p)).c_str());
            return;
        }
        as.scan.check_field_end(p);
    } else {
        as.scan.check_field_end(quoted ? p : p - 1);
    }

    // The file: held in memory (tests and the fuzzer), or a plain file. A
    // directory has no bytes, and a pipe or device could block the assembler
    // or never end.
    const std::string* held = nullptr;
    std::ifstream in;
    uintmax_t size = 0;
    auto in_memory = as.memory_files.find(path);
    if (as.collector) [[unlikely]] {
        std::error_code ec;
        const bool found = in_memory != as.memory_files.end() ||
                           (!path.empty() && !as.memory_only && std::filesystem::is_regular_file(path, ec));
        as.collector->included(path, found ? path : std::string());
    }
    if (in_memory != as.memory_files.end()) {
        held = &in_memory->second;
        size = held->size();
        if (as.drv.pass_number == 1) as.side.note_read(path, false);
    } else {
        std::error_code ec;
        if (path.empty()) {
            as.report_error(msg::INCBIN_FILE_NOT_FOUND);
            return;
        }
        const auto kind = std::filesystem::status(path, ec);
        if (as.memory_only || ec || !std::filesystem::exists(kind)) {
            as.report_error_arg(msg::INCBIN_FILE_NOT_FOUND_FMT, path.c_str());
            return;
        }
        // There, but not to be read: named with the reason.
        const auto unreadable = [&](const char* why) {
            as.report_error_arg(msg::INCBIN_CANT_READ_FILE_FMT, (path + ": " + why).c_str());
        };
        if (!std::filesystem::is_regular_file(kind)) {
            unreadable(std::filesystem::is_directory(kind) ? "it is a directory" : "it is not a regular file");
            return;
        }
        if (as.drv.pass_number == 1) as.src.note_input_file(path);
        size = std::filesystem::file_size(path, ec);
        in.open(path, std::ios::binary);
        if (ec || !in) {
            unreadable(std::strerror(errno));
            return;
        }
        if (as.drv.pass_number == 1) as.side.note_read(path, false);
        // Pass 1 took its length, pass 2 takes its bytes: a change in between
        // would put another file's bytes, or another length, in the image.
        if (!as.src.unchanged_on_disk(path)) as.report_error(msg::INCBIN_FILE_CHANGED_WHILE_READ);
    }
    if (static_cast<uintmax_t>(offset) > size) {
        as.report_error(msg::INCBIN_OFFSET_PAST_THE_END);
        return;
    }
    const uintmax_t rest = size - static_cast<uintmax_t>(offset);
    if (length >= 0 && static_cast<uintmax_t>(length) > rest) {
        as.report_error(msg::INCBIN_LENGTH_PAST_THE_END);
        return;
    }
    const uintmax_t count = length >= 0 ? static_cast<uintmax_t>(length) : rest;
    if (count > static_cast<uintmax_t>(std::numeric_limits<int32_t>::max())) {
        as.report_error(msg::INCBIN_FILE_TOO_LARGE);
        return;
    }

    // The listing shows the first bytes of the file, as many as its line holds.
    const int32_t shown = static_cast<int32_t>(std::min<uintmax_t>(count, LISTING_BYTES_PER_LINE));
    if (held) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(held->data()) + offset;
        if (as.drv.pass_number == 2)
            for (int32_t i = 0; i < shown; ++i) as.lst.capture(bytes[i]);
        as.emit.emit_block(bytes, static_cast<int32_t>(count));
    } else {
        // Copied in blocks; pass 1 only needs the length. A file that shrank since
        // its length was taken is padded with zeros, so both passes stay in step,
        // and is an error: the image would hold bytes the file never had.
        if (as.drv.pass_number == 2) in.seekg(static_cast<std::streamoff>(offset));
        std::vector<uint8_t> block(1 << 16);
        int64_t left = static_cast<int64_t>(count);
        bool first = true;
        bool short_read = false;
        while (left > 0) {
            int64_t n = left < static_cast<int64_t>(block.size()) ? left : static_cast<int64_t>(block.size());
            if (as.drv.pass_number == 2) {
                in.read(reinterpret_cast<char*>(block.data()), n);
                std::streamsize got = in ? n : in.gcount();
                if (got < n && !short_read) {
                    short_read = true;
                    as.report_error(msg::INCBIN_FILE_CHANGED_WHILE_READ);
                }
                std::fill(block.begin() + got, block.begin() + n, uint8_t{0});
                if (first)
                    for (int32_t i = 0; i < shown; ++i) as.lst.capture(block[static_cast<size_t>(i)]);
            }
            first = false;
            as.emit.emit_block(block.data(), static_cast<int32_t>(n));
            left -= n;
        }
    }
    if (!as.options.incbin_auto_align) return;
    const int listed = as.lst.listing_count;
    pad_to_long();
    // Padding bytes would read as more of the file after a part of it.
    if (count > static_cast<uintmax_t>(shown)) as.lst.listing_count = listed;
}

} // namespace tobra
