// The cross-check data files: one instruction form per line, compared between
// tobra and the GNU m68k assembler.
//
//   # comment
//   cores: 5206 5307 5407                 the cores of the lines that follow
//   move.l d0,d1                          both give the same bytes
//   mac.w d1.l,d2.l | gnu: mac.w d1l,d2l  GNU spells it differently, same bytes
//   and.l #1,d0 | words: c0bc 0000 0001 | why: ...
//                                         tobra gives these words, GNU another
//                                         valid encoding (the reason is required)
//   mov3q #1,d0 | refused                 both refuse it on these cores
//   cmpa.w a0,a1 | gnu refuses | words: b2c8 | why: ...
//   move.l usp,a0 | tobra refuses | why: ...
//                                         only one side refuses (reason required);
//                                         words are optional with "gnu refuses"
//   ... | cores: 5282                     this line only on these cores
//   ... | pending: <reason>               a known gap: reported, never failing
//   pending: <reason>                     the same for the lines that follow,
//   pending:                              up to an empty "pending:"
//
// A form may start with a label ("back: nop"); other lines are assembled
// indented. GNU spellings may hold several statements separated by ';'.
// Keep the forms between a label and a branch or PC-relative use of it to forms
// both sides accept: a refused form drops out of that side's run and would
// change the distance. A label on the using line itself ("f1: fadd.d f1(pc),fp2")
// is always safe.
#pragma once

#include <string>
#include <vector>

namespace xcheck {

enum class Expect {
    same,           // both accept, same bytes
    words,          // both accept, tobra gives `words`, GNU something else
    refused,        // both refuse
    tobra_refuses,  // GNU accepts, tobra refuses
    gnu_refuses,    // tobra accepts (giving `words` when listed), GNU refuses
};

struct Form {
    std::string file;   // data file name, for messages
    int line = 0;       // line in the data file
    std::vector<std::string> cores;
    std::string tobra;  // tobra's source text
    std::string gnu;    // GNU's source text (tobra's unless spelled differently)
    Expect expect = Expect::same;
    std::string words;  // expected bytes as lower-case hex without blanks
    std::string why;
    std::string pending;

    bool tobra_accepts() const { return expect != Expect::refused && expect != Expect::tobra_refuses; }
    bool gnu_accepts() const { return expect != Expect::refused && expect != Expect::gnu_refuses; }
    bool runs_on(const std::string& core) const;
};

struct DataFile {
    std::string name;
    std::vector<Form> forms;
    std::vector<std::string> errors;  // malformed lines, as "file:line: text"
};

DataFile parse_data(const std::string& name, const std::string& text);

// The parts file (parts.groups) groups the parts whose core-table rows gate
// the same features:
//
//   group: 5208 5207 5214 ...      the first part stands for the others: the data
//                                  files check it; the rest must treat every probe
//                                  as it does, in tobra and in GNU
//   gnu name: 521x 5216            GNU's name for a part it spells differently
//   probe: divu.w d0,d1            a probe form, written as in the data files
struct PartGroup {
    int line = 0;
    std::string representative;
    std::vector<std::string> members;
};

struct PartGroups {
    std::vector<PartGroup> groups;
    std::vector<std::pair<std::string, std::string>> gnu_names;
    DataFile probes;                  // the probe forms; their cores are not used
    std::vector<std::string> errors;  // malformed lines, as "file:line: text"

    // The name to give GNU's -mcpu for this part.
    std::string gnu_name(const std::string& part) const;
};

PartGroups parse_groups(const std::string& name, const std::string& text);

// A results file holds what one assembler made of a list of forms, one line
// per form in the order of that list:
//
//   # comment
//   add.l d1,d2 | d401                          the same on every core
//   mov3q #1,d0 | 5206 5307: refused | 5407: a340
//                                               per core where they differ
//
// An outcome is the bytes as hex words, "refused", or "empty" (accepted with
// no bytes). The recorded GNU results (name.gnu beside name.txt) list the data
// file's forms in GNU's spelling; the pinned tobra results (generated.pins)
// list the generated forms that some core accepts.
struct Result {
    int line = 0;
    std::string source;
    std::vector<std::pair<std::string, std::string>> outcomes;  // core -> outcome

    // The outcome on `core`, or nullptr when none is recorded.
    const std::string* on(const std::string& core) const;
};

struct ResultFile {
    std::vector<Result> results;
    std::vector<std::string> errors;  // malformed lines, as "file:line: text"
};

ResultFile parse_results(const std::string& name, const std::string& text);

// One line of a results file; outcomes in the order of `cores`.
std::string result_line(const std::string& source, const std::vector<std::string>& cores,
                        const std::vector<std::string>& outcomes);

// Every core that some form of the file runs on, in first-seen order.
std::vector<std::string> cores_of(const DataFile& data);

std::string to_hex(const std::string& bytes);

// Hex in words of four digits ("4e71 0001"), "empty" for no bytes.
std::string spaced_hex(const std::string& hex);

} // namespace xcheck
