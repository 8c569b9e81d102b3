// The instruction format table of the explanation, held to real encodings:
// every encoding the GNU assembler gave for the cross-check lines must find
// its format row, and the row must account for every word of it. A row whose
// mask is too wide, or whose extension words are miscounted, fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/explain.h"

namespace {

struct Encoding {
    std::string line;
    std::vector<uint8_t> bytes;
};

// "add.l 8(a1),d2 | d4a9 0008" lines of the recorded GNU results.
std::vector<Encoding> recorded_encodings() {
    std::vector<Encoding> all;
    for (const auto& entry : std::filesystem::directory_iterator(TOBRA_XCHECK_DIR)) {
        if (entry.path().extension() != ".gnu") continue;
        std::ifstream in(entry.path());
        std::string text;
        while (std::getline(in, text)) {
            const size_t bar = text.rfind(" | ");
            // Directives and two instructions on one line are no one encoding.
            if (text.empty() || text[0] == '#' || text[0] == '.' || bar == std::string::npos ||
                text.find(';') != std::string::npos)
                continue;
            Encoding e{text.substr(0, bar), {}};
            std::istringstream words(text.substr(bar + 3));
            std::string w;
            bool hex = true;
            while (words >> w) {
                if (w.size() % 2 != 0 || w.find_first_not_of("0123456789abcdef") != std::string::npos) hex = false;
                for (size_t i = 0; hex && i < w.size(); i += 2)
                    e.bytes.push_back(static_cast<uint8_t>(std::stoul(w.substr(i, 2), nullptr, 16)));
            }
            if (hex && e.bytes.size() >= 2) all.push_back(std::move(e));
        }
    }
    return all;
}

const tobra::ExplainField* field(const tobra::ExplainWord& w, const std::string& name) {
    for (const tobra::ExplainField& f : w.fields)
        if (f.name == name) return &f;
    return nullptr;
}

}  // namespace

TEST(ExplainFormats, EveryRecordedEncodingFindsItsRowAndEveryWord) {
    const std::vector<Encoding> all = recorded_encodings();
    ASSERT_GT(all.size(), 1000u);
    for (const Encoding& e : all) {
        std::vector<tobra::ExplainWord> words;
        const std::string format = tobra::decode_instruction(e.bytes, words);
        EXPECT_FALSE(format.empty()) << e.line;
        int covered = 0;
        for (const tobra::ExplainWord& w : words) {
            covered += w.bytes;
            // Only the MAC unit's second word goes unnamed.
            if (format != "MAC unit") {
                EXPECT_NE(w.what, "extension word") << e.line;
            }
        }
        EXPECT_EQ(covered, static_cast<int>(e.bytes.size())) << e.line;
    }
}

// A register a field names ("d2", or the "a1" of "(d16,a1)") is one the line
// itself names: a field read from the wrong bits names another register.
TEST(ExplainFormats, RegisterFieldsNameTheLinesRegisters) {
    const std::regex reg_name("^(d|a|fp)[0-7]$");
    const std::regex mode_name("^[0-7] \\(?(d8,|d16,)?(a[0-7]|d[0-7])\\b");
    int checked = 0;
    for (Encoding& e : recorded_encodings()) {
        std::string line = e.line;
        for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        line = std::regex_replace(line, std::regex("\\bsp\\b"), "a7");
        // Register lists name ranges; the mask's bits are not single registers.
        if (line.find('-') != std::string::npos && line.find("movem") != std::string::npos) continue;
        std::vector<tobra::ExplainWord> words;
        const std::string format = tobra::decode_instruction(e.bytes, words);
        for (const tobra::ExplainWord& w : words) {
            for (const tobra::ExplainField& f : w.fields) {
                std::smatch m;
                std::string reg;
                if (std::regex_match(f.meaning, reg_name))
                    reg = f.meaning;
                else if (std::regex_search(f.meaning, m, mode_name))
                    reg = m[2];
                if (reg.empty()) continue;
                // A floating-point operation between registers leaves its
                // effective address 0; the format field may be a format.
                if (format == "floating point" &&
                    (f.name.rfind("ea ", 0) == 0 || f.name.find("format") != std::string::npos))
                    continue;
                ++checked;
                EXPECT_TRUE(std::regex_search(line, std::regex("\\b" + reg + "\\b")))
                    << e.line << ": " << f.name << " reads " << f.meaning;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

// An operation a field names is the line's own (addi for add #data,Dn).
TEST(ExplainFormats, OperationFieldsNameTheLinesMnemonic) {
    int checked = 0;
    for (const Encoding& e : recorded_encodings()) {
        std::string line = e.line.substr(e.line.find(':') == std::string::npos ? 0 : e.line.find(':') + 2);
        const std::string mnemonic = line.substr(0, line.find_first_of(". "));
        std::vector<tobra::ExplainWord> words;
        tobra::decode_instruction(e.bytes, words);
        for (const tobra::ExplainField& f : words[0].fields) {
            if ((f.name != "operation" && f.name != "opmode") || f.meaning[0] == '$') continue;
            const std::string op = f.meaning.substr(0, f.meaning.find('.'));
            ++checked;
            EXPECT_TRUE(op.rfind(mnemonic, 0) == 0 || mnemonic.rfind(op, 0) == 0) << e.line << ": " << f.meaning;
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(ExplainFormats, FieldsReadTheBitsTheManualGives) {
    // GNU as -mcpu=5208: move.l (8,a1,d2.l*4),d3 is 2631 2c08.
    std::vector<tobra::ExplainWord> words;
    EXPECT_EQ(tobra::decode_instruction({0x26, 0x31, 0x2C, 0x08}, words), "move <ea>,<ea>");
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(field(words[0], "size")->meaning, "long");
    EXPECT_EQ(field(words[0], "destination mode")->meaning, "0 d3");
    EXPECT_EQ(field(words[0], "source mode")->meaning, "6 (d8,a1,Xi)");
    EXPECT_EQ(words[1].what, "brief index word of the source");
    EXPECT_EQ(field(words[1], "index register")->meaning, "d2");
    EXPECT_EQ(field(words[1], "scale")->meaning, "*4");
    EXPECT_EQ(field(words[1], "displacement")->meaning, "8");

    // subq.l #8,d1 is 5181: a quick 0 reads as 8; mov3q #-1,d0 is a140.
    words.clear();
    tobra::decode_instruction({0x51, 0x81}, words);
    EXPECT_EQ(field(words[0], "data")->meaning, "8");
    EXPECT_EQ(field(words[0], "subtract")->value, 1u);
    words.clear();
    tobra::decode_instruction({0xA1, 0x40}, words);
    EXPECT_EQ(field(words[0], "data")->meaning, "-1");

    // bne.w is 6600 and a word; a long branch 60ff and a long.
    words.clear();
    tobra::decode_instruction({0x66, 0x00, 0x00, 0x10}, words);
    EXPECT_EQ(field(words[0], "condition")->meaning, "ne");
    EXPECT_EQ(words.at(1).what, "16-bit displacement");
    words.clear();
    tobra::decode_instruction({0x60, 0xFF, 0x00, 0x01, 0x00, 0x00}, words);
    EXPECT_EQ(words.at(1).bytes, 4);
}

TEST(Explain, TheRecordHoldsWhatThePrinterShows) {
    tobra::ExplainRequest request;
    request.text = "move.l d1,(a0)";
    const tobra::Explanation e = tobra::explain(request);
    EXPECT_TRUE(e.accepted);
    EXPECT_EQ(e.part, "5206");
    EXPECT_EQ(e.bytes, (std::vector<uint8_t>{0x20, 0x81}));
    ASSERT_EQ(e.parts.size(), 12u);  // one group per feature set, all accepting
    for (const tobra::PartGroup& g : e.parts) EXPECT_TRUE(g.accepted);

    request.text = "mov3q #1,d0";
    request.part = "5208";
    const tobra::Explanation refused = tobra::explain(request);
    EXPECT_FALSE(refused.accepted);
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_EQ(refused.nearest_kind, "parts");
}
