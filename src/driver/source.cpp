// Source reader and line parser.
#include "driver/source.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "driver/assembler.h"
#include "driver/collect.h"
#include "driver/line_replay_write.h"
#include "driver/messages.h"
#include "isa/mnemonics.h"
#include "output/staged_file.h"

namespace tobra {

bool SourceText::refill() {
    if (stream_done) return false;
    if (window_pos > 0) {
        std::memmove(window.get(), window.get() + window_pos, window_end - window_pos);
        window_end -= window_pos;
        window_base += window_pos;
        window_pos = 0;
    }
    // Raw bytes land right after the kept text, or one past it when a CR held
    // from the last read may need its place back; the text is made uniform in
    // place as it is read (writing never overtakes reading).
    char* const base = window.get();
    char* const raw = base + window_end + (held_cr ? 1 : 0);
    const size_t n = std::fread(raw, 1, STREAM_WINDOW - window_end - 1, stream.get());
    sum.feed(raw, n);
    size_t w = window_end;
    if (held_cr && (n == 0 || raw[0] != '\n')) base[w++] = '\r';
    size_t i = 0;
    if (!held_cr && !std::memchr(raw, '\r', n) && !std::memchr(raw, '\0', n)) {
        // The usual case: the text is already where it belongs.
        w += n;
        i = n;
    }
    held_cr = false;
    for (; i < n; ++i) {
        const char c = raw[i];
        if (c == '\r') {
            if (i + 1 == n) {
                held_cr = true;
                continue;
            }
            if (raw[i + 1] == '\n') continue;
        }
        base[w++] = c == '\0' ? ' ' : c;
    }
    window_end = w;
    if (n == 0) {
        stream_done = true;
        read_failed = std::ferror(stream.get()) != 0;
    }
    return n > 0;
}

void SourceText::read_rest() {
    if (stream_done) return;
    char* const buffer = window.get();
    size_t n;
    while ((n = std::fread(buffer, 1, STREAM_WINDOW, stream.get())) > 0) sum.feed(buffer, n);
    stream_done = true;
    if (std::ferror(stream.get())) read_failed = true;
    window_pos = window_end = 0;
}

bool SourceText::skip_to(size_t offset) {
    if (!stream) {
        if (offset > text->size()) return false;
        pos = offset;
        return true;
    }
    // The stream is read on to the window that holds the offset.
    while (offset > window_base + window_end) {
        window_pos = window_end;
        if (!refill()) return false;
    }
    window_pos = offset - window_base;
    return true;
}

bool SourceText::read_physical(char* dst, int max_chars, int* length) {
    const char* from;
    size_t avail;
    if (stream) {
        // Enough text for the longest piece asked for, or all that is left.
        while (window_end - window_pos < static_cast<size_t>(max_chars > 0 ? max_chars : 1) && refill()) {
        }
        from = window.get() + window_pos;
        avail = window_end - window_pos;
    } else {
        from = text->data() + pos;
        avail = text->size() - pos;
    }
    if (max_chars <= 0) {  // no room left: an empty piece, as a line reader would give
        dst[0] = '\0';
        *length = 0;
        return avail > 0;
    }
    if (avail == 0) return false;
    size_t limit = avail < static_cast<size_t>(max_chars) ? avail : static_cast<size_t>(max_chars);
    const void* newline = std::memchr(from, '\n', limit);
    size_t n = newline ? static_cast<size_t>(static_cast<const char*>(newline) - from) + 1 : limit;
    std::memcpy(dst, from, n);
    dst[n] = '\0';
    if (stream)
        window_pos += n;
    else
        pos += n;
    *length = static_cast<int>(n);
    return true;
}

// Line ends are made uniform once per file: CRLF reads as LF, and a NUL byte
// (which would end the text of a line early) reads as a blank.
static std::shared_ptr<const std::string> normalise(std::string raw) {
    if (raw.find('\r') != std::string::npos || raw.find('\0') != std::string::npos) {
        size_t w = 0;
        for (size_t r = 0; r < raw.size(); ++r) {
            char c = raw[r];
            if (c == '\r' && r + 1 < raw.size() && raw[r + 1] == '\n') continue;
            raw[w++] = c == '\0' ? ' ' : c;
        }
        raw.resize(w);
    }
    return std::make_shared<const std::string>(std::move(raw));
}

// why: what kept a file that is there from being read (left alone when
// there is no such file).
static bool read_whole_file(const std::string& path, std::string& out, std::string& why) {
    // Only files and pipes are read: a device such as /dev/zero never ends.
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (ec) return false;
    if (!(std::filesystem::is_regular_file(st) || std::filesystem::is_fifo(st))) {
        if (std::filesystem::exists(st))
            why = std::filesystem::is_directory(st) ? "it is a directory" : "it is not a regular file";
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    out.clear();
    // A regular file is read straight into a buffer of its size: growing a
    // string chunk by chunk copies it several times over.
    struct stat info;
    if (fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        out.resize(static_cast<size_t>(info.st_size));
        out.resize(std::fread(out.data(), 1, out.size(), f));
    }
    char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, n);
    bool ok = !std::ferror(f);
    if (!ok) why = "error reading it";
    std::fclose(f);
    return ok;
}

// A large regular file is streamed, and read again from disk in pass 2.
bool open_stream(const std::string& path, SourceText& out) {
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::is_regular_file(st)) return false;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size < STREAM_THRESHOLD) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::setvbuf(f, nullptr, _IONBF, 0);  // the window is the buffer
    if (!stamp_of(fileno(f), out.stamp)) {
        std::fclose(f);
        return false;
    }
    out.stream.reset(f);
    out.sum = ByteSum{};
    out.window = std::make_unique_for_overwrite<char[]>(STREAM_WINDOW);
    out.window_pos = out.window_end = out.window_base = 0;
    out.held_cr = out.stream_done = false;
    return true;
}

void SourceReader::note_input_file(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return;
    const std::pair<uint64_t, uint64_t> id{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    for (const auto& known : input_files_)
        if (known == id) return;
    input_files_.push_back(id);
    // Standard output redirected onto a source (-l fw.s > fw.s): the shell
    // has emptied it already, or the messages would be written into it as it
    // is read. Nothing more goes there, and the run fails instead of making
    // an output of what is left.
    if (as.con.sink() == stdout && (standard_streams_holding(path) & 1)) {
        as.con.move_to(stderr);
        as.report_error_arg(msg::FLAGS_STANDARD_OUTPUT_IS_A_SOURCE_FMT, path.c_str());
    }
}

bool SourceReader::is_input_file(const std::string& path) const {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    const std::pair<uint64_t, uint64_t> id{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    for (const auto& known : input_files_)
        if (known == id) return true;
    return false;
}

bool SourceReader::open_source(const char* name, SourceText& out) {
    // Both passes read the same text: a file is read from disk once per run.
    unreadable.clear();
    auto try_open = [&](const std::string& path) {
        if (path.empty()) return false;
        out.pos = 0;
        opened_path = path;
        auto cached = file_cache_.find(path);
        if (cached != file_cache_.end()) {
            out.text = cached->second;
        } else {
            auto it = as.memory_files.find(path);
            std::string raw;
            if (it != as.memory_files.end()) {
                raw = it->second;
            } else if (!as.memory_only && open_stream(path, out)) {
                note_input_file(path);
                return true;
            } else if (as.memory_only) {
                return false;
            } else if (std::string why; !read_whole_file(path, raw, why)) {
                // The first one there that could not be read is the one named.
                if (!why.empty() && unreadable.empty()) unreadable = path + ": " + why;
                return false;
            } else {
                note_input_file(path);
            }
            out.text = normalise(std::move(raw));
            file_cache_.emplace(path, out.text);
        }
        return true;
    };
    auto joined = [&](const std::string& dir) { return dir + name; };
    if (try_open(name)) return true;
    if (source_directory_set && try_open(joined(source_directory))) return true;
    if (!as.drv.include_directory.empty() && try_open(joined(as.drv.include_directory))) return true;
    for (const std::string& dir : as.options.include_dirs)
        if (try_open(joined(dir))) return true;
    if (!as.drv.environment_include_directory.empty() && try_open(joined(as.drv.environment_include_directory)))
        return true;
    return false;
}

bool SourceReader::unchanged_on_disk(const std::string& path) {
    FileStamp now;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;  // gone: the reading itself reports it
    const bool stamped = stamp_of(fd, now);
    ::close(fd);
    if (!stamped) return true;
    auto [it, first] = disk_files_.try_emplace(path);
    if (first) it->second.stamp = now;
    return first || it->second.stamp == now;
}

void SourceReader::check_stream_opened(const std::string& path, const SourceText& text) {
    auto [it, first] = disk_files_.try_emplace(path);
    if (first) {
        it->second.stamp = text.stamp;
    } else if (it->second.stamp != text.stamp) {
        set_place(file_number(), 0);  // the message is about the file, not one of its lines
        as.fatal_error(msg::PASS_FILE_CHANGED_WHILE_ASSEMBLED);
    }
}

// Made when the file's reading ends: the whole file is summed, however much
// of it the assembly read (an `end` line stops it), and its state on disk is
// taken again, for a change while it was being read.
void SourceReader::check_stream_read(const std::string& path, SourceText& text) {
    DiskFile& known = disk_files_[path];
    text.read_rest();
    // A read that failed looks like the file's end: the lines after it were
    // never assembled.
    if (text.read_failed) {
        set_place(file_number(), 0);
        as.fatal_error(msg::PASS_ERROR_READING_FILE);
    }
    FileStamp now;
    const uint64_t sum = text.sum.value();
    const bool same = stamp_of(fileno(text.stream.get()), now) && now == known.stamp &&
                      (!known.summed || known.sum == sum);
    known.sum = sum;
    known.summed = true;
    if (!same) {
        set_place(file_number(), 0);
        as.fatal_error(msg::PASS_FILE_CHANGED_WHILE_ASSEMBLED);
    }
}

void SourceReader::remember_source_directory(const char* name) {
    size_t end = 0;
    for (size_t i = 0; name[i] != '\0'; ++i)
        if (name[i] == '/' || name[i] == ':' || name[i] == '\\') end = i + 1;
    if (end == 0) return;
    source_directory.assign(name, end);
    source_directory_set = true;
}

void SourceReader::assemble_file(const char* name) {
    Driver& drv = as.drv;
    if (include_depth >= MAX_INCLUDE_DEPTH) as.fatal_error(msg::INCLUDE_NESTED_TOO_DEEPLY);

    if (!source_directory_set) remember_source_directory(name);
    SourceText text;
    const bool found = open_source(name, text);
    if (as.collector && include_depth > 0) [[unlikely]]
        note_include(name, found);
    // A missing include is the include line's error; a missing file of the
    // command line has no line, only its name.
    if (!found && include_depth > 0) {
        if (!unreadable.empty())
            as.report_error_arg(msg::PASS_CANT_READ_FILE_FMT, unreadable.c_str());
        else
            as.report_error_arg(msg::PASS_CANNOT_FIND_FILE_FMT, name);
        return;
    }

    int saved_listing = as.options.listing_enabled;
    const SourceLocation outer = location();
    SourceText* const outer_text = text_;
    // Messages name the file that was read, wherever the search found it.
    const std::string path = found ? opened_path : std::string(name);
    set_place(drv.intern_file(path), 0);
    as.rec.structure_offset = 0;

    // The heading starts each file of the command line; an included file's
    // lines go on under the heading of the file that includes it.
    if (drv.pass_number == 2 && as.options.listing_enabled && include_depth == 0) as.lst.banner();

    if (!found) {
        if (!unreadable.empty())
            as.report_error_arg(msg::PASS_CANT_READ_FILE_FMT, unreadable.c_str());
        else
            as.report_error(msg::DRIVER_PASS_CANNOT_FIND_FILE);
    } else {
        if (drv.pass_number == 1) as.side.note_read(path, include_depth == 0);
        if (text.stream) {
            check_stream_opened(path, text);
            text.names_before = as.sym.size();
        }
        ++include_depth;
        const MacroEngine::FileMark mark = as.mac.enter_file();
        text_ = &text;
        plain_reads_ = false;  // the file's first record has no record before it here
        // A file of the command line, large enough: pass 1 takes its plain
        // lines from a second thread. It stops with the file, however the
        // file's reading ends.
        struct AheadEnd {
            SourceReader& src;
            const SourceText& text;
            ~AheadEnd() {
                if (src.ahead_text_ == &text) src.end_look_ahead();
            }
        } ahead_end{*this, text};
        if (include_depth == 1 && drv.pass_number == 1 && as.replay.writing() && !as.collector &&
            as.options.debug_flags == 0 && text.size() >= as.look_ahead_size)
            start_look_ahead(text, path);
        for (;;) {
            if (special_mode) [[unlikely]] {
                if (!as.mac.step(text)) break;
                continue;
            }
            // Pass 2 takes the lines that follow from pass 1's records as long
            // as it can, and steps over their text unread.
            if (as.replay.may_replay_ahead() && as.replay.replay_ahead(text)) continue;
            if (!read_logical_line_here(text)) break;
            as.lst.listing_show_address = false;
            // No expansion is open on this path: the line is the file's own.
            if (parse_line_here()) process_line_here(location(), true);
            if (drv.pass_number == 2 && as.options.listing_enabled) as.lst.list_line();
            as.lst.listing_count = 0;
        }
        as.mac.leave_file(mark);
        --include_depth;
        if (text.stream) check_stream_read(path, text);
        as.emit.flush_section();
    }

    set_place(outer.file, outer.line);
    text_ = outer_text;
    plain_reads_ = false;
    as.options.listing_enabled = saved_listing;
}

inline bool SourceReader::read_logical_line_here(SourceText& file) {
    if (as.drv.end_seen) return false;
    // The usual line: all of it in view, its newline within the first piece
    // read_physical would cut, and no continuation. It is taken in one step;
    // anything else goes the long way below, which takes the same decisions.
    constexpr size_t first_piece = LINE_BUFFER_SIZE - 3;
    {
        const char* from;
        size_t avail;
        bool in_view;
        if (file.stream) {
            from = file.window.get() + file.window_pos;
            avail = file.window_end - file.window_pos;
            in_view = avail >= first_piece;  // otherwise read_physical would refill first
        } else {
            from = file.text->data() + file.pos;
            avail = file.text->size() - file.pos;
            in_view = avail > 0;
        }
        if (in_view) {
            char* const line = line_buffer;
            size_t n = 0;
#if defined(__SSE2__)
            // Most lines have at most 64 characters: they go as four blocks of
            // sixteen, searched for the newline on the way.
            if (avail >= 64) {
                const __m128i newline = _mm_set1_epi8('\n');
                for (size_t i = 0; i < 64; i += 16) {
                    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i), block);
                    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, newline)));
                    if (mask != 0) {
                        n = i + static_cast<size_t>(std::countr_zero(mask)) + 1;
                        break;
                    }
                }
            }
#endif
            if (n == 0) {
                const size_t limit = avail < first_piece ? avail : first_piece;
                const char* newline = static_cast<const char*>(std::memchr(from, '\n', limit));
                if (newline) {
                    n = static_cast<size_t>(newline - from) + 1;
                    // A short line is copied as a fixed block, which compiles
                    // to a few moves, when the text has that much in view.
                    constexpr size_t block = 64;
                    if (n <= block && avail >= block)
                        std::memcpy(line, from, block);
                    else
                        std::memcpy(line, from, n);
                }
            }
            if (n != 0 && (n <= 2 || from[n - 2] != '\\')) {
                line[n] = '\0';
                // The fields are read in blocks of sixteen, which may run on
                // past the line's end: only where the text goes on that far.
                parse_from_ = avail >= n + 16 ? from : nullptr;
                if (file.stream)
                    file.window_pos += n;
                else
                    file.pos += n;
                step_line();
                return true;
            }
        }
    }
    return read_pieces(file);
}

void CommentTracker::feed(char c) {
    switch (phase_) {
    case LINE_START:
        phase_ = c == '*' || c == ';' || c == '#' ? COMMENT : is_white(c) ? BEFORE_MNEMONIC : LABEL;
        break;
    case LABEL:
        if (is_white(c)) phase_ = BEFORE_MNEMONIC;
        break;
    case BEFORE_MNEMONIC:
        if (!is_white(c)) phase_ = c == '*' || c == ';' || c == '#' ? COMMENT : MNEMONIC;
        break;
    case MNEMONIC:
        if (c == ';') phase_ = COMMENT;
        else if (is_white(c)) phase_ = BEFORE_OPERANDS;
        break;
    case BEFORE_OPERANDS:
        if (is_white(c)) break;
        phase_ = OPERANDS;
        [[fallthrough]];
    case OPERANDS:
        if (quote_ != 0) {
            if (c == quote_) quote_ = 0;
            break;
        }
        if (is_white(c)) {
            if (nesting_ == 0 && !(c == ' ' && after_comma_)) phase_ = COMMENT;
            after_comma_ = false;
            break;
        }
        after_comma_ = c == ',';
        if (c == '"' || c == '\'') quote_ = c;
        else if (c == ';') phase_ = COMMENT;
        else if (c == '(' || c == '<') ++nesting_;
        else if ((c == ')' || c == '>') && nesting_ > 0) --nesting_;
        break;
    case COMMENT:
        break;
    }
}

void SourceReader::reserve_line(size_t size, size_t keep) {
    if (size <= line_capacity_) return;
    size_t capacity = line_capacity_;
    while (capacity < size) capacity *= 2;
    auto grown = std::make_unique<char[]>(capacity + FIELD_SLACK);
    std::memcpy(grown.get(), line_storage_.get(), keep);
    line_storage_ = std::move(grown);
    line_capacity_ = capacity;
    line_buffer = line_storage_.get();
    statement.line = line_buffer;
    statement.cursor.begin = line_buffer;
    // The fields keep up with the line, so that any field cut from it fits.
    grow_label(capacity, label_capacity_);
    grow_mnemonic(capacity);
}

void SourceReader::grow_label(size_t size, size_t keep) {
    if (size <= label_capacity_) return;
    auto grown = std::make_unique<char[]>(size + FIELD_SLACK);
    std::memcpy(grown.get(), label_storage_.get(), keep);
    label_storage_ = std::move(grown);
    label_capacity_ = size;
    label_field = label_storage_.get();
}

void SourceReader::grow_mnemonic(size_t size) {
    if (size <= mnemonic_capacity_) return;
    auto grown = std::make_unique<char[]>(size + FIELD_SLACK);
    std::memcpy(grown.get(), mnemonic_storage_.get(), mnemonic_capacity_);
    mnemonic_storage_ = std::move(grown);
    mnemonic_capacity_ = size;
    mnemonic_field = mnemonic_storage_.get();
}

void SourceReader::set_line(std::string_view text) {
    reserve_line(text.size() + 2, 0);
    parse_from_ = nullptr;
    std::memcpy(line_buffer, text.data(), text.size());
    line_buffer[text.size()] = '\n';
    line_buffer[text.size() + 1] = '\0';
}

// A logical line piece by piece: continuations, long lines, and a stream
// window that needs refilling first. A physical line longer than the buffer
// makes it grow; no line is cut.
bool SourceReader::read_pieces(SourceText& file) {
    parse_from_ = nullptr;
    // A piece never asks for more than a stream window can hold at once.
    constexpr size_t most_per_read = STREAM_WINDOW / 4;
    size_t len = 0;
    CommentTracker comments;
    bool joined = false;
    for (;;) {
        const size_t start = len;  // where this physical line begins
        bool read_any = false;
        for (;;) {
            // Room for the piece and its NUL, and for the newline and NUL added at the end.
            if (line_capacity_ - len < 16) reserve_line(line_capacity_ * 2, len);
            const size_t room = line_capacity_ - len - 3;
            const int max_chars = static_cast<int>(room < most_per_read ? room : most_per_read);
            int n = 0;
            if (!file.read_physical(line_buffer + len, max_chars, &n)) break;
            read_any = true;
            len += static_cast<size_t>(n);
            if (n < max_chars || line_buffer[len - 1] == '\n') break;
        }
        // The end of the file; a backslash just before it drops the text it gathered.
        if (!read_any) return false;
        step_line();
        const size_t n = len - start;
        if (n <= 2 || line_buffer[len - 2] != '\\') break;
        // A backslash in a comment is only the comment's last character.
        comments.feed(line_buffer + start, n - 2);
        if (comments.in_comment()) break;
        // The line continues: the next physical line overwrites the backslash and newline.
        len -= 2;
        joined = true;
    }
    if (joined) joined_at_ = location();
    // Every logical line ends with a newline.
    if (len == 0 || line_buffer[len - 1] != '\n') {
        line_buffer[len] = '\n';
        line_buffer[len + 1] = '\0';
    }
    return true;
}

namespace {

// Copies the field at `from` into `to` through `chars` (a field table: the
// character kept, or 0 where the field ends) and returns its length.
// lower: the field is a mnemonic, whose letters are lowered and which ';' ends.
// Sixteen characters go in one step where the processor has the instructions
// for it; `from` and `to` then take up to sixteen bytes past the field's end,
// which the line buffer and the fields have room for (FIELD_SLACK).
template <bool lower>
inline size_t copy_field(const char* from, char* to, const char* chars) {
    size_t n = 0;
#if defined(__SSE2__)
    for (;;) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n));
        // Bytes up to a blank (NUL, blanks, line ends and the other control
        // characters) and, for a mnemonic, ';' are where the field may end.
        __m128i ends = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(' ')), v);
        if constexpr (lower) {
            ends = _mm_or_si128(ends, _mm_cmpeq_epi8(v, _mm_set1_epi8(';')));
            const __m128i from_a = _mm_sub_epi8(v, _mm_set1_epi8('A'));
            const __m128i upper = _mm_cmpeq_epi8(_mm_min_epu8(from_a, _mm_set1_epi8('Z' - 'A')), from_a);
            v = _mm_or_si128(v, _mm_and_si128(upper, _mm_set1_epi8('a' - 'A')));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n), v);
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ends));
        if (mask == 0) {
            n += 16;
            continue;
        }
        n += static_cast<size_t>(std::countr_zero(mask));
        if (chars[static_cast<uint8_t>(from[n])] == '\0') return n;
        break;  // a control character inside the field: the rest one at a time
    }
#endif
    for (char c; (c = chars[static_cast<uint8_t>(from[n])]) != '\0'; ++n) to[n] = c;
    return n;
}

} // namespace

inline bool SourceReader::parse_line_here() {
    // The fields are read from where the line was copied from when it is
    // still in view: the copy's stores are then not waited for.
    const char* const text = parse_from_ ? parse_from_ : line_buffer;
    parse_from_ = nullptr;
    mnemonic_word_of_ = nullptr;
    const char* p = text;
    // One table test per line for comment and blank lines, and one for the
    // mnemonic's place.
    const uint8_t* const classes = charclass::table.bits;
    if (classes[static_cast<uint8_t>(*p)] & charclass::NO_FIELD) return false;

    // The fields are never smaller than the line buffer and the line ends in a
    // NUL, which ends both fields: the copies need no count. The pointers are
    // read once, since the stores could alias them.
    char* const label = label_field;
    char* const mnemonic = mnemonic_field;
    Statement& st = statement;

    // Label: only in the first column.
    size_t n = 0;
    const char* const label_chars = charclass::fields.label;
    if (label_chars[static_cast<uint8_t>(*p)]) n = copy_field<false>(p, label, label_chars);
    p += n;
    if (n > 0 && label[n - 1] == ':') --n;
    label[n] = '\0';
    st.label = std::string_view(label, n);

    while (classes[static_cast<uint8_t>(*p)] & charclass::SPACING) ++p;

    n = 0;
    if (!(classes[static_cast<uint8_t>(*p)] & charclass::NO_FIELD)) {
        n = copy_field<true>(p, mnemonic, charclass::fields.mnemonic);
        p += n;
        // Its first eight bytes for the lookup, read now: once the NULs below
        // are stored, a read of the word would wait for them to reach the cache.
        std::memcpy(&mnemonic_word_, mnemonic, 8);
        mnemonic_word_of_ = mnemonic;
    } else if (label[0] == '\0') {
        mnemonic[0] = '\0';
        st.mnemonic = std::string_view(mnemonic, 0);
        return false;
    }
    mnemonic[n] = '\0';

    // The mnemonic is lower case already, so is its suffix.
    st.suffix = 'u';
    if (n > 2 && mnemonic[n - 2] == '.' && is_name_start(mnemonic[n - 1])) {
        st.suffix = mnemonic[n - 1];
        mnemonic[n - 2] = '\0';
        n -= 2;
    }
    st.mnemonic = std::string_view(mnemonic, n);

    while (classes[static_cast<uint8_t>(*p)] & charclass::SPACING) ++p;
    p = line_buffer + (p - text);
    st.operand_start = p;
    st.cursor.at = p;

    if (as.options.debug_flags & DBG_PARSE)
        as.con.print("Parseline: <%s> <%s.%c> <%s", label_field, mnemonic_field, st.suffix, p);
    return true;
}

// rts written in the first column is a label of that name, and the line
// does nothing: the subroutine runs on into the next one. An instruction
// that would be a whole line by itself is most likely such a slip; a
// directive's name (end, even) is a fair name for a label that is used.
[[gnu::cold]] void SourceReader::check_label_alone(std::string_view label) {
    char lower[16];
    for (size_t i = 0; i < label.size(); ++i)
        lower[i] = (label[i] >= 'A' && label[i] <= 'Z') ? static_cast<char>(label[i] - 'A' + 'a') : label[i];
    const MnemonicEntry* entry = find_mnemonic({lower, label.size()});
    if (!entry || entry->variants[0].signature[0] != CLS_NONE || !is_instruction(entry->variants[0].handler())) return;
    const std::string name(label);
    const std::string text = "label: " + name + " in the first column is a label; indent the line to assemble " + name +
                             ", or write " + name + ": to keep the label";
    as.report_warning(msg::LABEL_ALONE_IS_A_MNEMONIC_BUILT.with(text.c_str()));
}

void SourceReader::define_line_label() {
    if (label_field[0] == '\0') return;
    as.sym.install(statement.label, as.drv.location_counter, TYPE_USER, KIND_RELOCATABLE);
    line_label_ = as.sym.last_installed();
}

void SourceReader::grow_global_label(size_t size) {
    const size_t capacity = std::max(size, 2 * global_label_capacity_);
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (global_label_length_ != 0) std::memcpy(grown.get(), global_label_.get(), global_label_length_);
    global_label_ = std::move(grown);
    global_label_capacity_ = capacity;
}

inline void SourceReader::process_line_here(SourceLocation at, bool own) {
    Driver& drv = as.drv;
    line_label_ = nullptr;
    drv.line_start_address = drv.location_counter;
    drv.note_line_address(at);
    Statement& st = statement;
    st.size = suffix_mask(st.suffix);
    as.ev.begin_line();
    st.operand_count = 0;
    st.in_question = nullptr;

    // Local labels (.x and 1$) are qualified by the last global label.
    if (label_field[0] != '\0') {
        if ((label_field[0] >= '0' && label_field[0] <= '9') || label_field[0] == '.') {
            const size_t have = st.label.size();
            const size_t add = global_label_length_;
            if (have + add >= label_capacity_) grow_label(have + add + 1, have);
            if (add != 0) std::memcpy(label_field + have, global_label_.get(), add);
            label_field[have + add] = '\0';
            st.label = std::string_view(label_field, have + add);
        } else {
            set_last_global_label(st.label);
        }
        if (drv.pass_number == 1) as.sym.prefetch_slot(st.label);
    }

    if (mnemonic_field[0] == '\0') {
        // In both passes: the warning of pass 1 keeps the line out of the
        // records, so that pass 2 reads it and says so.
        const bool bare = st.label.size() <= 12 && line_buffer[st.label.size()] != ':' && is_name_start(line_buffer[0]);
        // A label alone has its record too, so that pass 2 can step over it.
        if (own && as.replay.writing()) {
            const LineReplay::Mark mark = as.replay.open_line(at);
            if (drv.assembling()) {
                if (bare) [[unlikely]]
                    check_label_alone(st.label);
                define_line_label();
            }
            as.replay.close_label_line(mark);
            return;
        }
        if (bare && drv.assembling()) [[unlikely]]
            check_label_alone(st.label);
        if (own && as.replay.reading()) as.replay.pass_label_line(at);
        if (label_field[0] != '\0' && drv.assembling()) define_line_label();
        return;
    }
    // A file's own lines have records: pass 1 writes them, pass 2 emits the
    // bytes of a line from its record where it can.
    if (own) {
        if (as.replay.reading()) {
            if (as.replay.replay_line(at)) return;
        } else if (as.replay.writing()) {
            const LineReplay::Mark mark = as.replay.open_line(at);
            const Variant* v = ahead_ ? take_from_ahead() : nullptr;
            if (!v) v = process_statement(st);
            as.replay.close_line(mark, v);
            // After the line, so that a new look-ahead is set up with what
            // the line itself changed.
            if (!ahead_ && text_ == ahead_text_ && text_read() >= ahead_restart_at_) [[unlikely]]
                restart_look_ahead();
            return;
        }
    }
    process_statement(st);
}

inline SourceReader::MnemonicVariants SourceReader::look_up_mnemonic(const Statement& st) {
    // The operands are scanned during matching, so the handler row of the
    // mnemonic's first variant says how they read numbers.
    MnemonicVariants found;
    const size_t n = st.mnemonic.size();
    if (n - 1 < SHORT_MNEMONIC) {
        // The mnemonic field has room past any name.
        uint64_t word = mnemonic_word_;
        if (st.mnemonic.data() != mnemonic_word_of_) std::memcpy(&word, st.mnemonic.data(), 8);
        if (const ShortMnemonicSlot* slot = find_short_mnemonic(word, n)) {
            found.first = slot->variants;
            found.count = slot->variant_count;
            found.numbers = slot->numbers;
        }
    } else if (const MnemonicEntry* entry = find_mnemonic(st.mnemonic)) {
        found.first = entry->variants;
        found.count = entry->variant_count;
        found.numbers = handler_row(found.first[0].handler()).operands;
    }
    mnemonic_word_of_ = nullptr;
    return found;
}

inline const Variant* SourceReader::process_statement(Statement& st) {
    Driver& drv = as.drv;
    const auto [variants, variant_count, numbers] = look_up_mnemonic(st);
    if (!variants) {
        if (as.mac.call(st)) return nullptr;
        as.report_error_arg(msg::PROCESS_UNRECOGNIZED_MNEMONIC_FMT, mnemonic_field);
        return nullptr;
    }
    const Variant* v = as.scan.match(st, variants, variant_count, numbers);
    if (!v) {
        // No one operand is to blame.
        st.in_question = nullptr;
        as.report_error(msg::PROCESS_BAD_SIZE_OR_WRONG_OPERANDS);
        return nullptr;
    }
    if (label_field[0] != '\0' && handler_row(v->handler()).label == LABEL_HERE && drv.assembling())
        define_line_label();
    as.enc.dispatch_handler(st, *v);
    return v;
}

void SourceReader::start_look_ahead(const SourceText& text, const std::string& path) {
    ahead_text_ = &text;
    ahead_restarts_ = 0;
    ahead_restart_at_ = UINT64_MAX;
    try {
        ahead_path_ = path;
    } catch (const std::bad_alloc&) {
        ahead_text_ = nullptr;
        return;
    }
    if (!run_look_ahead(0)) ahead_text_ = nullptr;
}

// A look-ahead from `offset` on, its assembler set up as things stand now.
bool SourceReader::run_look_ahead(uint64_t offset) {
    try {
        auto ahead = std::make_unique<LookAhead>(as, as.check_look_ahead);
        if (!ahead->start(*ahead_text_, ahead_path_, offset)) return false;
        ahead_ = std::move(ahead);
    } catch (const std::bad_alloc&) {
        return false;  // the file is assembled without it
    }
    ahead_changes_ = state_changes;
    return true;
}

// Past a change that ended the last look-ahead: a new one reads on from the
// line after this one, as long as enough of the file is left to be worth it.
void SourceReader::restart_look_ahead() {
    ahead_restart_at_ = UINT64_MAX;
    const uint64_t at = text_read();
    const uint64_t size = text_->size();
    if (size < at || size - at < as.look_ahead_size || ahead_restarts_ >= LOOK_AHEAD_RESTARTS) return;
    ++ahead_restarts_;
    if (!run_look_ahead(at)) ahead_text_ = nullptr;
}

// The label of a line from the look-ahead, defined where a line assembled
// here defines it: after matching, whose operand in question a message
// about the label points at.
void SourceReader::define_line_label_after(const LookAhead::Line& line) {
    Statement& st = statement;
    st.in_question = line.in_question >= 0 ? &st.operands[line.in_question] : nullptr;
    define_line_label();
    st.in_question = nullptr;
}

// The look-ahead is no longer right for the lines that follow; another may
// start further on.
void SourceReader::stop_look_ahead() {
    if (!ahead_) return;
    ahead_->stop();
    ahead_.reset();
    ahead_restart_at_ = ahead_text_->consumed() + std::min(LOOK_AHEAD_GAP, as.look_ahead_size / 8);
}

// The file's reading ends.
void SourceReader::end_look_ahead() {
    if (ahead_) ahead_->stop();
    ahead_.reset();
    ahead_text_ = nullptr;
    ahead_restart_at_ = UINT64_MAX;
}

inline const Variant* SourceReader::take_from_ahead() {
    Driver& drv = as.drv;
    // Something that may change how lines assemble: the lines are assembled
    // here until a new look-ahead starts.
    if (state_changes != ahead_changes_) [[unlikely]] {
        stop_look_ahead();
        return nullptr;
    }
    // An included file's lines: the look-ahead reads on in the file that
    // includes it.
    if (text_ != ahead_text_) [[unlikely]]
        return nullptr;
    // Its bytes stand as they are where the line would emit them with no
    // check of its place: at an even address of a section that keeps bytes.
    if (!drv.assembling() || (drv.location_counter & 1) || !as.emit.stores_bytes(drv.current_section)) return nullptr;
    const LookAhead::Line* line = ahead_->take(text_read(), line_buffer);
    if (!line) return nullptr;
    ++lines_ahead;
    if (as.check_look_ahead) [[unlikely]]
        return check_ahead_line(*line);
    mnemonic_word_of_ = nullptr;
    if (label_field[0] != '\0') define_line_label_after(*line);
    as.fwd.number_expressions_at(drv.condition_level, line->evals);
    as.emit.emit_bytes(line->bytes, line->count);
    return line->variant;
}

const Variant* SourceReader::check_ahead_line(const LookAhead::Line& line) {
    LineReplay& replay = as.replay;
    // The label as a taken line defines it; what it does to the line (a
    // redefinition's error) is the same either way and is kept apart.
    if (label_field[0] != '\0') define_line_label_after(line);
    const bool label_settled = replay.settled();
    replay.settle();
    replay.note_trial_start();
    const char label_start = label_field[0];
    label_field[0] = '\0';
    const Variant* v = process_statement(statement);
    label_field[0] = label_start;
    if (replay.trial_pure(v) && v == line.variant && replay.trial_count() == line.count &&
        replay.trial_evals() == line.evals && std::memcmp(replay.trial_bytes(), line.bytes, line.count) == 0) {
        if (!label_settled) replay.unsettle();
        return v;
    }
    std::fprintf(stderr, "tobra: the line encoded ahead differs: %s,%u: %s", as.file_name(location()).c_str(),
                 location().line, line_buffer);
    std::abort();
}

const Variant* SourceReader::trial_line() {
    Statement& st = statement;
    if (mnemonic_field[0] == '\0') return nullptr;
    Driver& drv = as.drv;
    drv.location_counter = drv.line_start_address = 0;
    drv.current_section = 0;
    st.size = suffix_mask(st.suffix);
    as.ev.begin_line();
    st.operand_count = 0;
    st.in_question = nullptr;
    const auto [variants, variant_count, numbers] = look_up_mnemonic(st);
    if (!variants) return nullptr;
    const Variant* v = as.scan.match(st, variants, variant_count, numbers);
    trial_in_question = -1;
    for (int i = 0; i < MAX_INSTRUCTION_OPERANDS; ++i)
        if (st.in_question == &st.operands[i]) trial_in_question = i;
    // Only what the line may be taken for runs: never a directive.
    if (!v || !line_records::replayable_handlers[v->handler()]) return nullptr;
    as.enc.dispatch_handler(st, *v);
    return v;
}

void SourceReader::note_include(const char* name, bool found) {
    as.collector->included(name, found ? opened_path : std::string());
}

bool SourceReader::read_logical_line(SourceText& file) {
    // Read on another road than the file's own loop: the line may be
    // collected into a block, with no record of its own.
    plain_reads_ = false;
    return read_logical_line_here(file);
}
bool SourceReader::parse_line() { return parse_line_here(); }
void SourceReader::process_line(bool own) { process_line_here(as.here(), own); }

} // namespace tobra
