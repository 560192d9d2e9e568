// Writes the first inputs of the text, command-line, number and plug-in table fuzzers: a
// short Japanese text in every encoding the detector knows (made from JIS codes through the
// core's own CP932 table, so that all encodings carry the same characters), and a few
// inputs of each other target's own layout.
//   seed_corpus TARGET DIRECTORY

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/jis_tables.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A character of the sample text: ASCII, or a JIS X 0208 code (row and cell bytes
// 0x21..0x7E, as iso-2022-jp writes them).
struct Item {
    std::uint16_t ascii;
    std::uint8_t row = 0;
    std::uint8_t cell = 0;
};

Item J(std::uint16_t code) {
    return {0, static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF)};
}

std::vector<Item> Ascii(std::string_view text) {
    std::vector<Item> items;
    for (const char c : text) {
        items.push_back({static_cast<std::uint16_t>(c)});
    }
    return items;
}

// 今日は良い天気ですね。 テキスト, with ASCII and every kind of line break around it.
std::vector<Item> SampleText() {
    std::vector<Item> text = Ascii("Nerula 0.1\r\n");
    for (const std::uint16_t code :
         {0x3A23, 0x467C, 0x244F, 0x4E49, 0x2424, 0x4537, 0x3524, 0x2447, 0x244D, 0x2123}) {
        text.push_back(J(code));
    }
    for (const Item& item : Ascii("\n")) {
        text.push_back(item);
    }
    for (const std::uint16_t code : {0x2546, 0x252D, 0x2539, 0x2548}) {
        text.push_back(J(code));
    }
    for (const Item& item : Ascii(" (ok)\r")) {
        text.push_back(item);
    }
    return text;
}

void SjisPair(const Item& item, std::uint8_t& lead, std::uint8_t& trail) {
    const int row = item.row - 0x20;
    const int cell = item.cell - 0x20;
    lead = static_cast<std::uint8_t>((row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0));
    trail = static_cast<std::uint8_t>(row % 2 == 1 ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E);
}

char16_t Unicode(const Item& item) {
    if (item.row == 0) {
        return static_cast<char16_t>(item.ascii);
    }
    std::uint8_t lead;
    std::uint8_t trail;
    SjisPair(item, lead, trail);
    return nerula::Cp932DoubleByte(lead, trail);
}

enum class Form { Sjis, EucJp, Iso2022Jp, Utf8, Utf16Le, Utf16Be };

Bytes Encode(const std::vector<Item>& text, Form form) {
    Bytes out;
    bool jis = false;
    for (const Item& item : text) {
        const char16_t c = Unicode(item);
        switch (form) {
        case Form::Sjis:
            if (item.row == 0) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else {
                std::uint8_t lead;
                std::uint8_t trail;
                SjisPair(item, lead, trail);
                out.insert(out.end(), {lead, trail});
            }
            break;
        case Form::EucJp:
            if (item.row == 0) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else {
                out.insert(out.end(), {static_cast<std::uint8_t>(item.row | 0x80),
                                       static_cast<std::uint8_t>(item.cell | 0x80)});
            }
            break;
        case Form::Iso2022Jp:
            if ((item.row != 0) != jis) {
                jis = item.row != 0;
                out.insert(out.end(), {0x1B, static_cast<std::uint8_t>(jis ? '$' : '('), 'B'});
            }
            if (item.row == 0) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else {
                out.insert(out.end(), {item.row, item.cell});
            }
            break;
        case Form::Utf8:
            if (c < 0x80) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else if (c < 0x800) {
                out.insert(out.end(), {static_cast<std::uint8_t>(0xC0 | c >> 6),
                                       static_cast<std::uint8_t>(0x80 | (c & 0x3F))});
            } else {
                out.insert(out.end(), {static_cast<std::uint8_t>(0xE0 | c >> 12),
                                       static_cast<std::uint8_t>(0x80 | (c >> 6 & 0x3F)),
                                       static_cast<std::uint8_t>(0x80 | (c & 0x3F))});
            }
            break;
        case Form::Utf16Le:
            out.insert(out.end(), {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>(c >> 8)});
            break;
        case Form::Utf16Be:
            out.insert(out.end(), {static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c & 0xFF)});
            break;
        }
    }
    if (jis) {
        out.insert(out.end(), {0x1B, '(', 'B'});
    }
    return out;
}

Bytes Join(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Bytes FromText(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::vector<Bytes> EveryEncoding() {
    const std::vector<Item> text = SampleText();
    std::vector<Bytes> seeds;
    for (const Form form :
         {Form::Sjis, Form::EucJp, Form::Iso2022Jp, Form::Utf8, Form::Utf16Le, Form::Utf16Be}) {
        seeds.push_back(Encode(text, form));
    }
    return seeds;
}

std::vector<Bytes> DetectorSeeds() {
    std::vector<Bytes> seeds = EveryEncoding();
    seeds.push_back(Join({0xEF, 0xBB, 0xBF}, Encode(SampleText(), Form::Utf8)));
    seeds.push_back(Join({0xFF, 0xFE}, Encode(SampleText(), Form::Utf16Le)));
    seeds.push_back(Join({0xFE, 0xFF}, Encode(SampleText(), Form::Utf16Be)));
    seeds.push_back(FromText("plain ASCII text\r\n"));
    // The fuzzer's layout for a long ASCII head ("A", its length in 23 bits and whether it
    // counts from 32 KiB before the megabyte in the 24th, four bytes of its text) before
    // Shift-JIS text: past the first window, and just before the megabyte's end.
    for (const std::uint32_t head : {20000u, 0x800000u | (32u * 1024u - 40u)}) {
        const Bytes layout{'A',
                           static_cast<std::uint8_t>(head),
                           static_cast<std::uint8_t>(head >> 8),
                           static_cast<std::uint8_t>(head >> 16),
                           'a',
                           'b',
                           ' ',
                           'c'};
        seeds.push_back(Join(layout, Encode(SampleText(), Form::Sjis)));
    }
    return seeds;
}

std::vector<Bytes> Iso2022JpSeeds() {
    std::vector<Bytes> seeds{Encode(SampleText(), Form::Iso2022Jp)};
    // Every designation, the shifts, JIS X 0212, raw katakana and a cut sequence.
    seeds.push_back(FromText("\x1B$@\x30\x33\x1B(Ja\\~\x1B(I\x31\x5F\x1B&@\x1B$B\x24\x22\x0E\x31\x0F\x24\x24"
                             "\x1B$(D\x30\x21\x1B$(B\x24\x22\x1B(B\xB1\xDF\r\n\x1B$"));
    return seeds;
}

std::vector<Bytes> LoadingSeeds() {
    std::vector<Bytes> seeds = {Encode(SampleText(), Form::Utf16Le), Encode(SampleText(), Form::Utf16Be)};
    seeds.push_back(Join({0xFF, 0xFE}, seeds[0]));
    seeds.push_back(Join({0xFE, 0xFF}, seeds[1]));
    // NULs and lone breaks of every kind, and a last odd byte.
    seeds.push_back(FromText(std::string("a\0\r\0\n\0\n\0\r\0\0\0b\0\r", 17)));
    return seeds;
}

// The command-line fuzzer reads switches (code page, line, column: four bytes each), a
// path's length and units, then the command line, one byte per unit.
std::vector<Bytes> CommandLineSeeds() {
    Bytes request{0xA4, 0x03, 0, 0, 12, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::string path = "C:\\My Files\\a b.txt";
    request.push_back(static_cast<std::uint8_t>(path.size()));
    request.insert(request.end(), path.begin(), path.end());
    std::vector<Bytes> seeds;
    for (const std::string_view line :
         {"\"C:\\Program Files\\Nerula\\Nerula.exe\" /C932 -l10 /D$1F \"C:\\a b\\c.txt\" d.txt /c0x3A4 e",
          "n.exe \"\" \"\"\"\" pre\"fix suf\"fix \"C:\\dir\\\" /Lx /D-5 \"unclosed"}) {
        seeds.push_back(Join(request, FromText(line)));
    }
    return seeds;
}

// One text to read as a number, a line feed, then a value near an edge of the ranges.
std::vector<Bytes> IntegerSeeds() {
    std::vector<Bytes> seeds;
    for (const std::string_view text :
         {"932", "  -2147483648", "+$FFFFFFFF", "0x7fffffff", "X1A", "4294967296", "-0", "0x", "$"}) {
        seeds.push_back(Join(FromText(text), {'\n', 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 1, 3}));
    }
    return seeds;
}

// Filter and library pairs, an empty field, then names and paths, all in lines.
std::vector<Bytes> PluginTableSeeds() {
    return {FromText("*.pic;*.Pi2\nC:\\plugins\\ifpic.spi\n*.jpg;*.jpeg;\nD:\\spi\\ifjpeg.spi\n\n"
                     "C:\\pics\\a.PIC\n.jpeg\n\nC:\\pics.d\\noext\n\\\\server\\share\nC:relative;C:\\x"),
            FromText("*.bmp\nC:\\b.spi\nno equals sign\nD:\\a=b.spi\n\n.BMP\nx.dib\n")};
}

} // namespace

int main(int argc, char** argv) {
    const std::map<std::string, std::vector<Bytes> (*)()> targets{
        {"code_page_detector_fuzz", DetectorSeeds}, {"iso2022jp_decoder_fuzz", Iso2022JpSeeds},
        {"encoding_readings_fuzz", EveryEncoding},  {"text_loading_fuzz", LoadingSeeds},
        {"command_line_fuzz", CommandLineSeeds},    {"integer_text_fuzz", IntegerSeeds},
        {"plugin_table_fuzz", PluginTableSeeds},
    };
    const auto target = argc == 3 ? targets.find(argv[1]) : targets.end();
    if (target == targets.end()) {
        std::fprintf(stderr, "usage: seed_corpus TARGET DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path directory(argv[2]);
    std::filesystem::create_directories(directory);
    const std::vector<Bytes> seeds = target->second();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(directory / ("seed-" + std::to_string(i)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[i].data()),
                  static_cast<std::streamsize>(seeds[i].size()));
    }
    std::printf("%zu seeds in %s\n", seeds.size(), directory.string().c_str());
    return 0;
}
