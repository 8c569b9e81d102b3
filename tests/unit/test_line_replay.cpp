// Pass 2 emits a line from pass 1's record only where that gives what
// assembling the line again gives: every run here is made both ways and must
// agree byte for byte and message for message; the counts pin which lines
// come from their records, so that a lost fast path shows too.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "driver/assembler.h"

namespace tobra {
namespace {

struct Run {
    int exit_code = 0;
    std::string out;
    std::string bytes;
    uint64_t replayed = 0;
};

Run run(const std::string& source, std::vector<std::string> args, bool records,
        const std::vector<std::pair<std::string, std::string>>& extra = {}) {
    Assembler as(nullptr);
    as.write_files = false;
    as.line_records = records;
    as.memory_files["t.s"] = source;
    for (const auto& [name, text] : extra) as.memory_files[name] = text;
    std::vector<const char*> argv{"tobra"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back("t.s");
    Run r;
    r.exit_code = as.run(static_cast<int>(argv.size()), argv.data());
    r.out = as.con.captured();
    r.bytes = as.emit.output_data;
    r.replayed = as.replay.replayed();
    return r;
}

// The lines taken from records, after checking that the run gives what the
// run without records gives.
uint64_t replayed_alike(const std::string& source, std::vector<std::string> args,
                        const std::vector<std::pair<std::string, std::string>>& extra = {}) {
    const Run with = run(source, args, true, extra);
    const Run without = run(source, args, false, extra);
    EXPECT_EQ(with.exit_code, without.exit_code) << source;
    EXPECT_EQ(with.out, without.out) << source;
    EXPECT_EQ(with.bytes, without.bytes) << source;
    EXPECT_EQ(without.replayed, 0u);
    return with.replayed;
}

TEST(LineReplay, LinesAroundWhatPass2MustSettle) {
    // An equate waiting for a later label: the lines after the label are read
    // by another road in pass 1 than in pass 2, and still have their records.
    const std::string equate = "SIZE equ END-START\n"
                               "START: moveq #1,d0\n"
                               " move.l #SIZE,d1\n"  // SIZE waits in pass 1: assembled again
                               " nop\n"
                               " lea START,a0\n"
                               "END:\n"
                               " moveq #3,d3\n"
                               " add.l d0,d1\n";
    EXPECT_EQ(replayed_alike(equate, {"-b"}), 6u);  // END alone too

    // Local labels under two global ones of the same local names; a forward
    // branch settles its displacement, a set name is assembled again.
    const std::string locals = "G1: nop\n"
                               ".l moveq #1,d0\n"
                               " bra .l\n"
                               " bra .f\n"  // forward
                               ".f nop\n"
                               "G2: nop\n"
                               ".l moveq #2,d0\n"
                               " bra .l\n"
                               "V set 4\n"
                               " moveq #V,d1\n"  // set name
                               " dc.w 1,2,G1\n";
    EXPECT_EQ(replayed_alike(locals, {"-b"}), 9u);

    // An object file's label uses come out with the fixups pass 1 kept for
    // them; a listing reads every line.
    const std::string object = "TOP: nop\n lea TOP,a0\n moveq #1,d0\n dc.l TOP\n";
    EXPECT_EQ(replayed_alike(object, {"-o"}), 4u);
    EXPECT_EQ(replayed_alike(object, {"--elf"}), 4u);
    EXPECT_EQ(replayed_alike(object, {"-b", "-l"}), 0u);

    // Relocations of every width and both kinds, across sections, in both
    // object formats; a field a format refuses is assembled again so that
    // its error is made, and an external name always is.
    const std::string fields = " section data\n"
                               "D: dc.l D\n"
                               " dc.b D\n"             // byte: -o refuses
                               " section code\n"
                               "C: nop\n"
                               " move.l D,d0\n"        // long, into data
                               " move.w #D,d1\n"       // word immediate
                               " move.b #C,d2\n"       // byte: -o relocates its word
                               " lea (D,pc),a0\n"      // PC-relative into data: -o refuses
                               " bra C\n"              // within the section: no fixup
                               " dc.w C,D\n"
                               " dc.l C,D,D+8,C-4\n"
                               " xref EXT\n"
                               " jsr EXT\n"           // an external name: assembled again
                               " section data\n"
                               " dc.l C,D\n";
    EXPECT_EQ(replayed_alike(fields, {"--elf"}), 11u);  // D: dc.l D reads D before it is defined
    EXPECT_EQ(replayed_alike(fields, {"-o"}), 9u);
    // A late opt that chooses the object file: the lines before it encode
    // otherwise in pass 2.
    EXPECT_EQ(replayed_alike("L: dc.l L\n lea L,a0\n opt o\n dc.l L\n lea L,a1\n", {}), 2u);

    // Branches to names met later settle their displacement from the
    // name's value, in every form; whatever would give a message, or reads
    // more than a plain label of the place, is assembled again.
    const std::string forward = "S: bra F1\n"           // word
                                " bsr.l F2\n"           // long
                                " bra.s F3\n"           // byte
                                " bne.s F4\n"           // byte to the next word: 0 is no displacement
                                "F4: bra 1$\n"          // numeric local
                                " beq .d\n"             // dot local
                                " nop\n"
                                "1$: nop\n"
                                ".d: bra F1+2\n"        // not a name alone
                                " bra E\n"              // an equate
                                " bra FAR\n"            // out of reach of a word
                                " bra.s F1\n"           // in reach of a byte
                                " ifne 1\n bra F2\n endc\n"
                                " bra NONE\n"           // never defined
                                " bra D\n"              // another section
                                "F1: nop\nF2: nop\nF3: nop\n"
                                " dcb.b 40000,0\n"
                                "FAR: nop\n"
                                "E equ 16\n"
                                " section data\n"
                                "D: dc.w 0\n";
    EXPECT_EQ(replayed_alike(forward, {"-b", "-c5407"}), 14u);
    EXPECT_EQ(replayed_alike(forward, {"--elf", "-c5407"}), 14u);
    // A run without errors, every line from its record.
    const std::string settled = forward.substr(0, forward.find(" bne.s")) + "F1: nop\nF2: nop\nF3: nop\n";
    EXPECT_EQ(replayed_alike(settled, {"-c5407"}), 6u);
    EXPECT_EQ(replayed_alike(settled, {"--ihex", "-c5407"}), 6u);

    // Long addresses of names met later: instructions and dc.l. In an object
    // file such a field is relocated, as the line's only fixup.
    const std::string addresses = " jsr F1\n"
                                  " lea F2,a0\n"
                                  " move.l #F3,d0\n"
                                  " move.l F3,d1\n"
                                  " dc.l F1,2,F1\n"        // the name twice
                                  " dc.l 1,F2\n"
                                  " move.l #F1+4,d2\n"     // not a name alone
                                  " move.w #F1,d3\n"       // a word: the value is checked
                                  " lea D,a1\n"            // data: the binary image notes it
                                  "F1: nop\nF2: nop\nF3: nop\n"
                                  " section data\n"
                                  "D: dc.l F1\n";
    EXPECT_EQ(replayed_alike(addresses, {}), 10u);
    EXPECT_EQ(replayed_alike(addresses, {"-b"}), 9u);
    EXPECT_EQ(replayed_alike(addresses, {"--elf"}), 10u);
    EXPECT_EQ(replayed_alike(addresses, {"-o"}), 10u);

    // Long runs of lines taken one after the other, labels and local names
    // among them, inside a condition and out: a line in the middle whose
    // name pass 2 reads otherwise ends the run there, and the lines after it
    // are taken again.
    const std::string runs = " ifne 1\n"
                             "T: moveq #1,d0\n"
                             " moveq #2,d2\n"
                             "U: move.w #3,d3\n"
                             " move.l #K,d1\n"      // K is met later: assembled again
                             ".l nop\n"
                             " bra .l\n"
                             " move.l #T,d4\n"
                             " endc\n"
                             "V: moveq #4,d4\n"
                             ".l move.l #K,d5\n"
                             " bra .l\n"
                             " dc.w 1,2,3\n"
                             "W:\n"
                             ".m nop\n"
                             " bra.s .m\n"
                             "K equ 5\n";
    EXPECT_EQ(replayed_alike(runs, {"-b"}), 12u);
    EXPECT_EQ(replayed_alike(runs, {"--elf"}), 12u);

    // A file included twice: each inclusion has its own records.
    EXPECT_EQ(replayed_alike(" include i.s\n moveq #5,d5\n include i.s\n", {"-b"}, {{"i.s", " nop\n rts\n"}}), 5u);
}

// Pass 2 steps over the text of the lines it takes from records. A file
// large enough to be streamed, with CRLF ends, continuations, comments, blank
// lines, labels alone, macros, conditionals and an include between the
// lines taken, must come out as when every line is read again.
TEST(LineReplay, StepsOverTextOfALargeFile) {
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "/replay_large.s";
    const std::string include = dir + "/replay_inc.s";
    {
        std::ofstream inc(include, std::ios::binary);
        inc << " nop\n moveq #9,d1\n";
    }
    std::string text = "twice macro\r\n moveq #\\1,d0\r\n moveq #\\1,d1\r\n endm\r\n";
    int blocks = 0;
    for (int i = 0; text.size() < (size_t{1} << 20) + 4096; i = ++blocks) {
        const std::string n = std::to_string(i);
        text += "* block " + n + "\r\nG" + n + ":\r\n.a moveq #1,d0\r\n bra.s .a ; back\r\n\t\r\n";
        text += " move.l #G" + n + ",d1\r\n dc.w 1,2,\\\r\n3,4\r\n lea .a(pc),a0\r\nL" + n + " nop\r\n";
        text += " ifne " + std::to_string(i % 2) + "\r\n addq.l #1,d2\r\n endc\r\n twice 3\r\n";
        if (i % 500 == 250) text += " include " + include + "\r\n";
        text += " bra.w F" + n + "\r\nF" + n + "\r\n";
    }
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-b"}, {"--elf", "-g"}}) {
        tobra::Run runs[2];
        for (int records = 0; records < 2; ++records) {
            Assembler as(nullptr);
            as.write_files = false;
            as.line_records = records == 1;
            std::vector<const char*> argv{"tobra"};
            for (const std::string& a : args) argv.push_back(a.c_str());
            argv.push_back(path.c_str());
            runs[records].exit_code = as.run(static_cast<int>(argv.size()), argv.data());
            runs[records].out = as.con.captured();
            runs[records].bytes = as.emit.output_data;
            runs[records].replayed = as.replay.replayed();
        }
        EXPECT_EQ(runs[0].exit_code, 0) << runs[0].out;
        EXPECT_EQ(runs[1].exit_code, runs[0].exit_code);
        EXPECT_TRUE(runs[1].out == runs[0].out) << runs[1].out.substr(0, 2000);
        EXPECT_TRUE(runs[1].bytes == runs[0].bytes) << args[0];
        // Most of each block's lines with bytes or a label alone come from
        // their records; the macro's lines do not, nor in an object file the
        // lines that relocate.
        const unsigned per_block = args[0] == "-b" ? 7 : 5;
        EXPECT_GT(runs[1].replayed, per_block * static_cast<unsigned>(blocks)) << args[0];
    }
    std::remove(path.c_str());
    std::remove(include.c_str());
}

} // namespace
} // namespace tobra
