// Pass 1 of a large file on two cores. A second thread reads the file's
// lines ahead of the assembly and, with an assembler of its own set up as
// the file begins, encodes each line that reads nothing but its own text: an
// instruction or dc line with no name, no * and no distance to its own
// place, which assembles to the same bytes wherever it stands. The file's
// loop takes those lines' bytes instead of reading their operands and
// encoding them, as long as nothing that may change how lines assemble (an
// opt, a cpu, a conditional, an include) has come since the file began.
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "isa/handlers.h"

namespace tobra {

class Assembler;
struct SourceText;
struct Variant;

// Handlers after which the lines that follow assemble as before: the lines
// encoded ahead, and the directives that only define names, move the place,
// reserve or fill room, or name files and sections (a line encoded ahead
// reads no name, and its place and section are judged where it stands; the
// lines of an included file are not taken). Any other handler (an opt, a
// cpu, a conditional, a macro or rept) ends the look-ahead; a new one may
// start further on (SourceReader::restart_look_ahead).
inline constexpr auto leaves_lines_alike = [] {
    std::array<bool, 256> t{};
    for (const HandlerRow& row : handler_rows) {
        switch (row.handler) {
        case H_DC: case H_DS: case H_DCB: case H_EQU: case H_SET: case H_LABEL:
        case H_ORG: case H_SECTION: case H_EVEN: case H_CNOP: case H_ALIGN:
        case H_XDEF: case H_XREF: case H_IDNT: case H_PAGE: case H_IGNORED:
        case H_INCLUDE: case H_INCDIR: case H_INCBIN:
            t[row.handler] = true;
            break;
        default:
            t[row.handler] = is_instruction(row.handler);
        }
    }
    return t;
}();

// After a look-ahead ends, the main loop goes on alone for this much text
// (or an eighth of the size that starts one) before it starts another, at
// most this many times in a file: each costs about 0.1 ms, and changes come
// in clusters (an if, its lines, its endc).
inline constexpr uint64_t LOOK_AHEAD_GAP = 64 << 10;
inline constexpr int LOOK_AHEAD_RESTARTS = 8;

// Files smaller than this are assembled without a second thread: starting
// it and its assembler costs about 0.1 ms, which a smaller file does not
// win back.
inline constexpr uint64_t LOOK_AHEAD_SIZE = 512 << 10;

class LookAhead {
public:
    static constexpr size_t MAX_TEXT = 64;
    static constexpr uint32_t MAX_BYTES = 24;

    // A line encoded ahead.
    struct Line {
        uint64_t text_end;  // where its text ends in the file, as SourceText::consumed counts
        const Variant* variant;
        uint8_t length;  // of the line's text, which `text` holds
        uint8_t count;   // bytes
        uint8_t evals;   // expressions it numbered
        // The operand matching left a message about, which a message about
        // the line's label then points at (-1: none).
        int8_t in_question;
        uint8_t bytes[MAX_BYTES];
        char text[MAX_TEXT];
    };

    // main: the assembler whose file is read; its state now is the state
    // the lines are encoded in.
    // wait: the main loop waits for the thread to come to each line, so
    // that every line it encodes is taken (a check of the look-ahead, which
    // then does not depend on how fast each side runs).
    LookAhead(const Assembler& main, bool wait);
    ~LookAhead() { stop(); }
    LookAhead(const LookAhead&) = delete;
    LookAhead& operator=(const LookAhead&) = delete;

    // Starts the thread on the file's text (held, or streamed from path)
    // from `offset`, a line's start as SourceText::consumed counts. False
    // when no thread could be started.
    bool start(const SourceText& file, const std::string& path, uint64_t offset);
    // Stops the thread and waits for it; no line is taken after.
    void stop();

    // The main loop, after reading the line whose text ends at text_end and
    // is `line` (NUL-terminated): the line as encoded ahead, or nullptr.
    // What it points to holds until the next call.
    const Line* take(uint64_t text_end, const char* line);

private:
    static constexpr size_t RING = 4096;  // a power of two
    // The lines come from the other core's cache: the main loop asks for
    // them this many lines before it comes to them.
    static constexpr uint64_t FETCH_AHEAD = 32;
    void run();
    bool encode(Line& out);
    void fetch_ahead();

    std::unique_ptr<Assembler> shadow_;
    std::unique_ptr<SourceText> text_;
    uint64_t offset_ = 0;
    std::unique_ptr<Line[]> ring_;
    std::thread thread_;
    // Each side tells the other how far it got only every few lines, and
    // each counter has a cache line of its own: a line of memory that both
    // cores write on every line would cost more than the line's assembly.
    static constexpr uint64_t TELL_EVERY = 64;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};  // the thread has written its last line
    const bool wait_;
    // Lines written by the thread and taken by the main loop, counted from
    // the start; each side writes its own.
    alignas(64) std::atomic<uint64_t> written_{0};
    alignas(64) std::atomic<uint64_t> taken_{0};
    // The count of lines taken the thread waits for, asleep (UINT64_MAX: it
    // is not asleep).
    alignas(64) std::atomic<uint64_t> wake_at_{UINT64_MAX};
    // Where the main loop has read to: the thread steps over lines before it.
    alignas(64) std::atomic<uint64_t> main_at_{0};
    // The main loop's own: the next line to look at, the lines known to be
    // written, and the count last told.
    alignas(64) uint64_t next_ = 0;
    uint64_t ready_ = 0;
    uint64_t told_ = 0;
    uint64_t fetched_ = 0;  // lines asked for
};

} // namespace tobra
