#include "app/command_line.h"

#include <gtest/gtest.h>

#include "test_text.h"

namespace nerula {
namespace {

using Args = std::vector<std::u16string>;

struct SplitCase {
    const char16_t* commandLine;
    Args expected;
};

TEST(SplitCommandLineTest, SplitsAsTheProgramReadsIt) {
    const SplitCase cases[] = {
        {u"nerula.exe", {u"nerula.exe"}},
        {u"\"C:\\Program Files\\nerula.exe\" a.txt", {u"C:\\Program Files\\nerula.exe", u"a.txt"}},
        {u"n.exe  a.txt\tb.txt\r\nc.txt", {u"n.exe", u"a.txt", u"b.txt", u"c.txt"}},
        // A quoted run belongs to its argument, without the quotes.
        {u"n.exe \"C:\\My Documents\\a b.txt\"", {u"n.exe", u"C:\\My Documents\\a b.txt"}},
        {u"n.exe pre\"fix suf\"fix", {u"n.exe", u"prefix suffix"}},
        // A pair of quotes standing alone where an argument would begin is skipped.
        {u"n.exe \"\" a.txt", {u"n.exe", u"a.txt"}},
        {u"n.exe \"\"\"\" a.txt", {u"n.exe", u"a.txt"}},
        {u"n.exe \"\"a.txt", {u"n.exe", u"a.txt"}},
        // No escape character: a backslash before a quote is an ordinary character.
        {u"n.exe \"C:\\dir\\\" next", {u"n.exe", u"C:\\dir\\", u"next"}},
        // An unterminated quote runs to the end; alone at the end it makes an empty argument.
        {u"n.exe \"a b", {u"n.exe", u"a b"}},
        {u"n.exe a.txt \"", {u"n.exe", u"a.txt", u""}},
        // Control characters 1..32 separate; characters above do not.
        {u"n.exe a\x01"
         u"b\x1F"
         u"c",
         {u"n.exe", u"a", u"b", u"c"}},
        {u"n.exe \u3042\u3044.txt", {u"n.exe", u"\u3042\u3044.txt"}},
        {u"", {}},
        {u"   ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.commandLine), c.expected) << test::Printable(c.commandLine);
    }
}

TEST(SplitCommandLineTest, StopsAtAnEmbeddedNul) {
    const std::u16string line(u"n.exe a.txt\0b.txt", 17);
    EXPECT_EQ(SplitCommandLine(line), (Args{u"n.exe", u"a.txt"}));
}

struct SwitchCase {
    const char16_t* argument;
    FileSwitches expected;
};

TEST(ApplySwitchTest, SetsTheSwitchNamedByTheSecondCharacter) {
    const SwitchCase cases[] = {
        {u"/C932", {932, 1, 1}},
        {u"-c932", {932, 1, 1}},
        {u"/C$3A4", {932, 1, 1}},
        {u"/C0x3A4", {932, 1, 1}},
        {u"/C4294967295", {4294967295u, 1, 1}},
        {u"/Cabc", {0, 1, 1}},
        {u"/C-932", {0, 1, 1}},
        {u"/C", {0, 1, 1}},
        {u"-l120", {0, 120, 1}},
        {u"/L0", {0, 0, 1}},
        {u"/L-7", {0, -7, 1}},
        {u"/L", {0, 1, 1}},
        {u"/Lx", {0, 1, 1}},
        {u"/Line5", {0, 1, 1}}, // only two characters decide: "ine5" is no number
        {u"/d5", {0, 1, 5}},
        {u"-D$10", {0, 1, 16}},
        {u"/Dz", {0, 1, 1}},
        // Unknown letters and a bare prefix are ignored.
        {u"/X5", {0, 1, 1}},
        {u"/", {0, 1, 1}},
        {u"-", {0, 1, 1}},
    };
    for (const auto& c : cases) {
        FileSwitches switches;
        ApplySwitch(c.argument, switches);
        EXPECT_EQ(switches, c.expected) << test::Printable(c.argument);
    }
}

TEST(ApplySwitchTest, AnInvalidValueResetsOnlyItsOwnSwitch) {
    FileSwitches switches{932, 10, 3};
    ApplySwitch(u"/Lbad", switches);
    EXPECT_EQ(switches, (FileSwitches{932, 1, 3}));
    ApplySwitch(u"/Q9", switches);
    EXPECT_EQ(switches, (FileSwitches{932, 1, 3}));
}

struct WalkCase {
    Args arguments;
    std::vector<FileRequest> expected;
};

TEST(WalkArgumentsTest, PairsEachFileWithTheSwitchesBeforeIt) {
    const WalkCase cases[] = {
        {{u"n.exe"}, {}},
        {{u"n.exe", u"a.txt", u"b.txt", u"c.txt"},
         {{u"a.txt", {0, 1, 1}}, {u"b.txt", {0, 1, 1}}, {u"c.txt", {0, 1, 1}}}},
        // Switches are forgotten after the file they apply to.
        {{u"n.exe", u"/C932", u"a.txt", u"b.txt"}, {{u"a.txt", {932, 1, 1}}, {u"b.txt", {0, 1, 1}}}},
        {{u"n.exe", u"a.txt", u"/L10", u"/D3", u"b.txt"}, {{u"a.txt", {0, 1, 1}}, {u"b.txt", {0, 10, 3}}}},
        // Switches after the last file, or alone, have no effect.
        {{u"n.exe", u"/L5"}, {}},
        {{u"n.exe", u"a.txt", u"/C932"}, {{u"a.txt", {0, 1, 1}}}},
        // A later switch of the same letter wins.
        {{u"n.exe", u"/L5", u"/L7", u"a.txt"}, {{u"a.txt", {0, 7, 1}}}},
        // A name that begins with "-" or "/" is taken for a switch.
        {{u"n.exe", u"-notes.txt", u"/x.txt"}, {}},
        // An empty argument (an unclosed quote at the end) names no file and keeps the switches.
        {{u"n.exe", u"a.txt", u""}, {{u"a.txt", {0, 1, 1}}}},
        {{u"n.exe", u"/C932", u"", u"b.txt"}, {{u"b.txt", {932, 1, 1}}}},
        // Argument 0 is the program, never a file, even when it looks like one.
        {{u"a.txt", u"b.txt"}, {{u"b.txt", {0, 1, 1}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WalkArguments(c.arguments), c.expected)
            << (c.arguments.size() > 1 ? test::Printable(c.arguments[1]) : std::string("(none)"));
    }
}

} // namespace
} // namespace nerula
