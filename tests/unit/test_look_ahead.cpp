// Pass 1 takes a large file's plain lines from a second thread only where
// that gives what assembling them gives. Each source here is assembled with
// no look-ahead, with the look-ahead checked (every line the thread encodes
// is assembled here too and compared, which aborts on a difference), and
// with its lines taken; the three runs must agree byte for byte and message
// for message, and the checked run counts the lines the thread could give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/assembler.h"

namespace tobra {
namespace {

enum class Ahead { none, check, take };

struct Run {
    int exit_code = 0;
    std::string out, bytes;
    uint64_t ahead = 0;
};

Run run(const std::string& source, const std::vector<std::string>& args, Ahead mode) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files["t.s"] = source;
    as.memory_files["inc.i"] = " moveq #1,d1\n nop\n";
    as.look_ahead_size = mode == Ahead::none ? UINT64_MAX : 0;
    as.check_look_ahead = mode == Ahead::check;
    std::vector<const char*> argv{"tobra"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back("t.s");
    Run r;
    r.exit_code = as.run(static_cast<int>(argv.size()), argv.data());
    r.out = as.con.captured() + as.err.captured();
    r.bytes = as.emit.output_data;
    r.ahead = as.src.lines_ahead;
    return r;
}

// The lines the thread gave, after checking the three runs agree.
uint64_t ahead_alike(const std::string& source, const std::vector<std::string>& args) {
    const Run none = run(source, args, Ahead::none);
    const Run check = run(source, args, Ahead::check);
    const Run take = run(source, args, Ahead::take);
    for (const Run* r : {&check, &take}) {
        EXPECT_EQ(r->exit_code, none.exit_code) << source;
        EXPECT_EQ(r->out, none.out) << source;
        EXPECT_EQ(r->bytes, none.bytes) << source;
    }
    EXPECT_EQ(none.ahead, 0u);
    return check.ahead;
}

TEST(LookAhead, OnlyLinesOfTheirOwnTextAreTaken) {
    // Taken: registers, numbers, immediates, dc of numbers, with or without
    // a label, a line joined from two, and a line after even (seven lines). Not taken: a name, *, a string,
    // a distance from the line's place, a warning, a line that is too long.
    const std::string source = "N equ 5\n"
                               "start: moveq #1,d0\n"
                               " move.l d0,-8(a6,d1.l*2)\n"
                               ".loc add.l #-528,d3\n"
                               " dc.w 1,2,$ffff\n"
                               " lea start,a0\n"            // a name
                               " moveq #N,d2\n"             // an equate is a name too
                               " dc.l *\n"                  // the place
                               " dc.b 'ab'\n"               // a string
                               " lea 8(pc),a1\n"            // a distance from its place
                               " bra $100\n"
                               " moveq #200,d4\n"           // a warning in pass 2
                               " bra .fwd\n"
                               ".fwd move.l d1,\\\n d2\n"   // joined
                               " move.l #$12345678,d3 ; a comment long enough to pass the line length kept\n"
                               " dc.b 1\n"
                               " nop\n"                     // at an odd address: refused
                               " even\n"
                               " rts\n";
    EXPECT_EQ(ahead_alike(source, {"-b", "-c5407"}), 7u);
    for (const char* format : {"", "--elf", "-o", "-l"}) ahead_alike(source, {format});
    ahead_alike(source + " end\n moveq #2,d0\n", {"-b"});
    ahead_alike("\r\n nop\r\n moveq #3,d0\r\n", {"-b"});
    // A label defined again: the line's error is the label's, and its bytes
    // still come from the thread.
    // Its message points where it points when the line is assembled here.
    EXPECT_EQ(ahead_alike("a: nop\na moveq #1,d0\n nop\n", {"-b"}), 3u);
    EXPECT_EQ(ahead_alike("a: nop\na moveq #1,d0\n nop\n", {"-b", "--diagnostics=json"}), 3u);
}

TEST(LookAhead, GoesOnPastPlacesAndStartsAnewAfterChanges) {
    const std::string tail = " moveq #1,d0\n mulu d1,d2\n mulu d3,d4\n rts\n";
    // An include, a section, an org, an alignment or names: the same
    // look-ahead goes on (the included lines are assembled here). Not an
    // unsized multiplication, whose warning pass 2 decides on.
    for (const char* alike : {" include \"inc.i\"\n", " section data\n", " org $400\n", " cnop 0,4\n",
                              "X set 3\n xdef X\n"}) {
        const std::string source = " nop\n nop\n" + std::string(alike) + tail;
        EXPECT_EQ(ahead_alike(source, {"-b"}), 4u) << alike;
    }
    // After an opt, a cpu, a conditional or a macro the lines are assembled
    // here until a new look-ahead, set up as things then stand, starts.
    // (The add after an opt that turns its quick form off tells an old
    // look-ahead from a new one.)
    for (const char* change : {" opt nomuldivwarn\n", " opt optimise=noaddq\n", " cpu 5407\n",
                               " ifne 1\n nop\n endc\n", "m macro\n nop\n endm\n m\n"}) {
        const std::string source = " nop\n nop\n" + std::string(change) + tail + " add.l #1,d0\n rts\n";
        EXPECT_GT(ahead_alike(source, {"-b"}), 3u) << change;
    }
    // A new one at most every so often: one change after another leaves the
    // lines to the main loop after the last restart.
    std::string many = " nop\n";
    for (int i = 0; i < 20; ++i) many += " ifne 1\n nop\n endc\n";
    ahead_alike(many + tail, {"-b"});
    ahead_alike(many + tail, {"-l"});
}

} // namespace
} // namespace tobra
