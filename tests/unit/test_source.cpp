// Large sources are streamed from disk; small ones are held in memory. Both
// readers must hand the assembler the same lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "driver/stream_check.h"
#include "test_util.h"

namespace tobra::test {
namespace {

// Over the streaming size, with every line-end oddity placed so that some of
// them fall on the reader's window edges: CRLF, lone CR, NUL, lines longer
// than the line buffer, continuations, and a CR as the very last byte.
std::string awkward_source() {
    std::mt19937 rnd(7);
    std::string s;
    int n = 0;
    while (s.size() < 2 * STREAM_THRESHOLD) {
        const std::string tag = std::to_string(n++);
        const char* end = rnd() % 2 ? "\r\n" : "\n";
        switch (rnd() % 6) {
        case 0: s += " dc.b 'a\rb" + tag + "'" + end; break;
        case 1: s += std::string(" dc.b 'n") + '\0' + tag + "'" + end; break;
        case 2: s += " dc.b 2 ;" + tag + std::string(300, ' ') + end; break;  // cut in its blanks
        case 3: s += " dc.b 1,\\" + std::string(end) + " 2," + tag + end; break;
        default: s += "L" + tag + ": dc.l L" + tag + end; break;
        }
    }
    return s + " dc.b 9\r";
}

TEST(SourceReading, StreamedFileReadsLikeHeldText) {
    const std::string source = awkward_source();
    const RunResult held = assemble(source, {"-b"});

    const auto dir = std::filesystem::temp_directory_path() / ("tobra-stream-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "big.s").string();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(source.data(), 1, source.size(), f), source.size());
        std::fclose(f);
    }
    Assembler as(nullptr);
    as.write_files = false;
    const char* argv[] = {"tobra", "-b", path.c_str()};
    const int code = as.run(3, argv);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(code, held.exit_code);
    EXPECT_EQ(as.emit.output_data, held.bytes);
    // The messages name the file; only the held run's name differs.
    std::string out = as.con.captured(), expected = held.out;
    for (size_t at; (at = out.find(path)) != std::string::npos;) out.replace(at, path.size(), "t.s");
    EXPECT_EQ(out, expected);
    EXPECT_GT(held.bytes.size(), 100000u) << held.out.substr(0, 2000);
}

// Every line, as the reader hands it over, with pieces of at most 255 characters.
std::vector<std::string> read_lines(Assembler& as, const std::string& path) {
    SourceText text;
    std::vector<std::string> lines;
    if (!as.src.open_source(path.c_str(), text)) return lines;
    char buf[LINE_BUFFER_SIZE];
    int n = 0;
    while (text.read_physical(buf, 255, &n)) lines.emplace_back(buf, static_cast<size_t>(n));
    return lines;
}

std::vector<std::string> expected_lines(const std::string& raw) {
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i] == '\0' ? ' ' : raw[i];
    }
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t nl = text.find('\n', at);
        size_t n = std::min<size_t>(nl == std::string::npos ? text.size() - at : nl - at + 1, 255);
        lines.push_back(text.substr(at, n));
        at += n;
    }
    return lines;
}

TEST(SourceReading, LineEndsOnTheWindowEdge) {
    const auto dir = std::filesystem::temp_directory_path() / ("tobra-edge-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "edge.s").string();
    Assembler as(nullptr);
    // A CRLF, a lone CR and a NUL slid across the end of the first read, in a
    // file long enough to be streamed; the file's last byte is a CR.
    for (size_t at = STREAM_WINDOW - 4; at <= STREAM_WINDOW + 2; ++at) {
        for (const std::string& mark : {std::string("\r\n"), std::string("\rx"), std::string(1, '\0')}) {
            std::string raw(STREAM_THRESHOLD + 300, 'a');
            for (size_t i = 97; i < raw.size(); i += 97) raw[i] = '\n';
            raw.replace(at, mark.size(), mark);
            raw.back() = '\r';
            {
                std::FILE* f = std::fopen(path.c_str(), "wb");
                ASSERT_NE(f, nullptr);
                std::fwrite(raw.data(), 1, raw.size(), f);
                std::fclose(f);
            }
            EXPECT_EQ(read_lines(as, path), expected_lines(raw)) << "mark at " << at;
        }
    }
    std::filesystem::remove_all(dir);
}

// A read that fails partway through a streamed file is not the file's end:
// the reader tells the two apart (the run then stops with a message rather
// than assemble the part it read).
TEST(SourceReading, ReadErrorIsNotTheEnd) {
    struct Disk {
        size_t left;
        bool fails;
        size_t at = 0;
    };
    cookie_io_functions_t io{};
    io.read = [](void* cookie, char* buf, size_t size) -> ssize_t {
        auto* disk = static_cast<Disk*>(cookie);
        if (disk->left == 0) {
            if (!disk->fails) return 0;
            errno = EIO;
            return -1;
        }
        const size_t n = std::min(size, disk->left);
        for (size_t i = 0; i < n; ++i) buf[i] = ++disk->at % 10 == 0 ? '\n' : 'x';
        disk->left -= n;
        return static_cast<ssize_t>(n);
    };
    for (const bool fails : {false, true}) {
        Disk disk{3 * STREAM_WINDOW + 40, fails};
        SourceText text;
        text.stream.reset(fopencookie(&disk, "r", io));
        ASSERT_TRUE(text.stream);
        text.window = std::make_unique<char[]>(STREAM_WINDOW);
        char buf[LINE_BUFFER_SIZE];
        int n = 0;
        size_t lines = 0;
        while (text.read_physical(buf, 255, &n)) ++lines;
        EXPECT_EQ(lines, (3 * STREAM_WINDOW + 40 + 9) / 10);  // the last line without its newline
        text.read_rest();
        EXPECT_EQ(text.read_failed, fails);
    }
}

} // namespace
} // namespace tobra::test

// The sum that tells a large source changed between two readings: the same
// bytes in pieces of any size give the same sum; a changed byte, two words
// swapped, or one more zero byte give another.
TEST(ByteSum, SameBytesSameSumWhateverThePieces) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += static_cast<char>(i * 7 + i / 13);
    auto sum = [](const std::string& bytes, size_t piece) {
        tobra::ByteSum s;
        for (size_t at = 0; at < bytes.size(); at += piece) s.feed(bytes.data() + at, std::min(piece, bytes.size() - at));
        return s.value();
    };
    const uint64_t whole = sum(text, text.size());
    for (size_t piece : {size_t{1}, size_t{3}, size_t{15}, size_t{16}, size_t{17}, size_t{64}, size_t{4093}}) EXPECT_EQ(sum(text, piece), whole) << piece;

    std::string changed = text;
    changed[2500] ^= 1;
    EXPECT_NE(sum(changed, 17), whole);
    std::string swapped = text;
    std::swap_ranges(swapped.begin() + 16, swapped.begin() + 24, swapped.begin() + 48);
    EXPECT_NE(sum(swapped, 17), whole);
    EXPECT_NE(sum(text + '\0', 17), whole);
    EXPECT_NE(sum(std::string(17, '\0'), 17), sum(std::string(16, '\0'), 16));
}
