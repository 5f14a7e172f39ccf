// The stream editor's compiler and execution cycle, run through the file
// driver over real files in text mode: input "in.txt", output "out.txt".
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine.h"
#include "vantic_support.h"

namespace {

struct Outcome {
    bool edited;
    std::string output;
    std::vector<std::string> messages;
};

class VanticEngine : public ::testing::Test {
protected:
    // Runs the script (its "\n" sent as CR LF, as the script field holds it)
    // over input into a fresh output file.
    Outcome Run(const std::string& script, const std::string& input, bool suppress = false)
    {
        WriteFileText("in.txt", input);
        std::remove("out.txt");
        messages.clear();
        std::string crlf = WithCrLf(script);
        CString text(crlf.data(), static_cast<int>(crlf.size()));
        Outcome outcome;
        VanticOptions options;
        options.suppressOutput = suppress;
        outcome.edited = EditFiles("in.txt", "out.txt", text, options);
        outcome.output = FileExists("out.txt") ? ReadFileText("out.txt") : "<no output file>";
        outcome.messages = messages.messages();
        return outcome;
    }

    struct Case {
        const char* name;
        std::string script;
        std::string input;
        std::string expected;
    };

    // Each case runs without a message and writes exactly what it expects.
    void RunCases(const std::vector<Case>& cases)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            Outcome outcome = Run(c.script, c.input);
            EXPECT_TRUE(outcome.edited);
            EXPECT_EQ(std::vector<std::string>(), outcome.messages);
            EXPECT_EQ(c.expected, outcome.output);
        }
    }

    ScratchDir dir;
    MessageRecorder messages;
};

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// ------------------------------------------------------------ compile errors

TEST_F(VanticEngine, EveryCompileErrorHasItsMessageAndStopsTheRun)
{
    const std::string tooMany = Repeat("p\n", 1025);
    const std::string longExpression = "/" + std::string(40, 'a') + "/p";
    const std::string longPattern = "s/" + std::string(40, 'a') + "/b/";
    const std::string longReplacement = "s/a/" + std::string(40, 'b') + "/";
    const std::string longLine = "s/a/b/" + std::string(510, ' ');
    const std::string longYLine = "y/a/b/" + std::string(510, ' ');
    const std::string longOther = "p" + std::string(520, ' ');
    struct Row {
        std::string script;
        std::string message;
    } rows[] = {
        {tooMany, "Too many commands (>1024)"},
        {"1{\n2{\np\n}\n", "Nested command-lists not supported"},
        {"1{{p", "Nested command-lists not supported"},
        {"/abc", "Error on regular expression"},
        {"\\", "Error on regular expression"},
        {"/a/,\\", "Error on regular expression"},
        {"\\xabc", "Error on regular expression"},
        {"/[a/p", "Error in Regular Expression"},
        {"/a/,/[b/p", "Error in Regular Expression"},
        {longExpression, "Error in Regular Expression"},
        {"s/[a/b/", "Error in Regular Expression"},
        {longPattern, "Error in Regular Expression"},
        {"s/a", "Error in substitute command"},
        {"s", "Error in substitute command"},
        {"2s", "Error in substitute command"},
        {longReplacement, "Error in substitute command"},
        {longLine, "Error in substitute command"},
        {"y/abc/xy/", "Error in transliteration command"},
        {"y", "Error in transliteration command"},
        {"y/", "Error in transliteration command"},
        {"y/abc", "Error in transliteration command"},
        {longYLine, "Error in transliteration command"},
        {longOther, "Invalid command: p"},
        {"w nodir/x.txt", "cant open file nodir/x.txt"},
        {"s/a/b/w nodir/y.txt", "cant open file nodir/y.txt"},
        {"1# note", "1 or more addesses given when 0 expected"},
        {"/x/:label", "1 or more addesses given when 0 expected"},
        {"2,5=", "2 addresses given when at most 1 expected"},
        {"1,2a\\\ntext", "2 addresses given when at most 1 expected"},
        {"1,2i\\\ntext", "2 addresses given when at most 1 expected"},
        {"1,$q", "2 addresses given when at most 1 expected"},
        {"/a/,/b/r in.txt", "2 addresses given when at most 1 expected"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script.substr(0, 60));
        Outcome outcome = Run("p\n" + row.script, "line\n");
        EXPECT_FALSE(outcome.edited);
        EXPECT_EQ(std::vector<std::string>{row.message}, outcome.messages);
        EXPECT_EQ("", outcome.output);
    }
}

TEST_F(VanticEngine, ScriptsAtTheLimitsCompile)
{
    RunCases({
        {"1024 commands", Repeat("=\n", 1023) + "d", "x\n", Repeat("1\n", 1023)},
        {"s without closing delimiter", "s/a/b", "aa\n", "ba\n"},
        {"y without closing delimiter", "y/abc/xyz", "cab\n", "zxy\n"},
        {"one address on =", "2=", "a\nb\n", "a\n2\nb\n"},
        {"39-character expression", "/" + std::string(39, 'a') + "/d", std::string(39, 'a') + "\nb\n", "b\n"},
        {"39-character replacement", "s/a/" + std::string(39, 'b') + "/", "a\n", std::string(39, 'b') + "\n"},
        {"511-character line", "s/a/b/" + std::string(505, ' '), "a\n", "b\n"},
        {"blanks before # compile a comment", "  # note\n1d", "a\nb\n", "b\n"},
        {"comment lines of any length", "#" + std::string(600, 'x') + "\n1d", "a\nb\n", "b\n"},
        {"flags in any order, unknown ones passed over", "s/o/0/ pg", "foo\n", "f00\nf00\n"},
    });
}

// A script's text keeps its line ends exactly, whatever they are.
TEST_F(VanticEngine, BareLineFeedsAndCrLfCompileAlike)
{
    WriteFileText("in.txt", "a\nb\n");
    CString lf("1s/a/x/\n2d\n");
    ASSERT_TRUE(EditFiles("in.txt", "out.txt", lf));
    EXPECT_EQ("x\n", ReadFileText("out.txt"));
}

// -------------------------------------------------------------- execution

TEST_F(VanticEngine, AddressesAndRanges)
{
    RunCases({
        {"$p on three lines", "$p", "1\n2\n3\n", "1\n2\n3\n3\n"},
        {"$p on an empty file", "$p", "", ""},
        {"line number", "2d", "1\n2\n3\n", "1\n3\n"},
        {"numeric range", "2,3d", "1\n2\n3\n4\n", "1\n4\n"},
        {"negated range", "2,3!d", "1\n2\n3\n4\n", "2\n3\n"},
        {"range ending before it starts", "3,2d", "1\n2\n3\n4\n", "1\n2\n3\n4\n"},
        {"expression", "/b/d", "ab\nc\nbb\n", "c\n"},
        {"other delimiter", "\\,a/b,d", "a/b\nab\n", "ab\n"},
        {"a star cannot match nothing at the line start", "/a*b/p", "b\nxb\n", "b\nxb\nxb\n"},
        {"expression range, reopened", "/a/,/b/d", "x\nab\ny\na\nz\nb\nw\n", "x\ny\nw\n"},
        {"number to expression closing at once", "2,/x/d", "1\nx\n3\nx\n5\n", "1\n3\nx\n5\n"},
        {"expression to number past it", "/a/,3p", "1\n2\n3\n4\na\n6\na\n", "1\n2\n3\n4\na\na\n6\na\n"},
        {"expression to $", "/b/,$d", "a\nb\nc\n", "a\n"},
        {"$ alone", "$d", "a\nb\n", "a\n"},
        {"$ first, number second", "$,1d", "a\nb\nc\n", "a\nb\n"},
        // A "$" second address leaves the first alone.
        {"n,$ past the end", "5,$d", "1\n2\n3\n", "1\n2\n3\n"},
        {"n,$", "2,$d", "1\n2\n3\n", "1\n"},
        {"unmatched expression to $", "/nomatch/,$d", "1\n2\n3\n", "1\n2\n3\n"},
        // The end of a range is looked for only on lines it holds.
        {"end expression before the range", "3,/x/d", "x\n2\n3\n4\nx\n6\n", "x\n2\n6\n"},
        {"empty expression repeats the last", "s/x/y/\ns//z/", "xx\n", "yz\n"},
    });
}

TEST_F(VanticEngine, TextCommands)
{
    RunCases({
        {"a without backslash appends nothing", "1a hello", "1\n2\n", "1\n2\n"},
        {"a with continued lines", "1a\\\none\\\ntwo", "1\n2\n", "1\none\ntwo\n2\n"},
        {"text after the backslash is ignored", "1a\\ ignored\nA", "1\n", "1\nA\n"},
        {"i before, a after", "2a\\\nA\n2i\\\nI", "1\n2\n3\n", "1\nI\n2\nA\n3\n"},
        {"a replaces pending text", "1a\\\nX\n1a\\\nY", "1\n2\n", "1\nY\n2\n"},
        {"a on the last line", "$a\\\nend", "1\n2\n", "1\n2\nend\n"},
        {"c on a range writes once", "2,4c\\\nnew", "1\n2\n3\n4\n5\n", "1\nnew\n5\n"},
        {"c on an expression writes each time", "/x/c\\\nnew", "x1\n2\nx3\n", "new\n2\nnew\n"},
        {"c with no address writes after the last line", "c\\\nnew", "1\n2\n3\n", "new\n"},
        {"c on n,$", "2,$c\\\nnew", "1\n2\n3\n", "1\nnew\n"},
        {"c on an expression range", "/a/,/b/c\\\nnew", "1\na\n2\nb\n3\n", "1\nnew\n3\n"},
        {"c inside a list takes the list's range", "2,3{\nc\\\nnew\n}", "1\n2\n3\n4\n", "1\nnew\n4\n"},
        {"a script ending in a backslash line", "1i\\\nlast\\", "1\n", "last\n1\n"},
        // The text lives on the heap in a block of its own size: under
        // the address sanitizer a scan past its end stops the run.
        {"i with a one-character text", "i\\\nx", "a\n", "x\na\n"},
    });
}

TEST_F(VanticEngine, SpacesAndCycle)
{
    RunCases({
        {"line numbers", "=", "a\nb\n", "1\na\n2\nb\n"},
        {"h and G", "1h\n2G", "a\nb\n", "a\nb\na\n"},
        {"H, x at the end", "H\n$!d\nx", "a\nb\n", "\na\nb\n"},
        {"g", "1h\n2g", "a\nb\n", "a\na\n"},
        {"x swaps", "x", "a\nb\n", "\na\n"},
        {"N joins", "N\ns/\\n/+/", "a\nb\nc\nd\n", "a+b\nc+d\n"},
        {"N on the last line ends without output", "N", "1\n2\n3\n", "1\n2\n"},
        {"n writes and reads", "n\nd", "1\n2\n3\n4\n5\n", "1\n3\n5\n"},
        {"P writes the first line", "N\nP\nd", "a\nb\n", "a\n"},
        // "$" is known again after N, so the last line is kept.
        {"$!N, P, D", "$!N\nP\nD", "a\nb\n", "a\nb\n"},
        {"$!N, P, D on three lines", "$!N\nP\nD", "a\nb\nc\n", "a\nb\nc\n"},
        {"D restarts without reading", "1{\nN\nN\n}\nP\nD", "a\nb\nc\n", "a\nb\nc\n"},
        {"q writes nothing of its line", "2q", "1\n2\n3\n", "1\n"},
        {"list", "2,3{\np\n}", "1\n2\n3\n4\n", "1\n2\n2\n3\n3\n4\n"},
        {"member on the brace's line", "2{p\n}", "1\n2\n3\n", "1\n2\n2\n3\n"},
        {"member addresses have no effect", "2{\n/x/,3p\n}", "1\n2\n3\n", "1\n2\n2\n3\n"},
        {"unclosed list stays open", "2{\np", "1\n2\n3\n", "1\n2\n2\n3\n3\n"},
        {"d ends the list", "1{\nd\n}\np", "1\n2\n", "2\n2\n"},
        {"b without label", "b\nd", "1\n2\n", "1\n2\n"},
        {"b to an unknown label goes on", "b nowhere\ns/a/X/", "a\n", "X\n"},
        {"b to a label", "b skip\ns/a/X/\n:skip\ns/a/Y/", "a\n", "Y\n"},
        {"backward branch", ":top\ns/aa/a/\nt top", "aaaa\n", "a\n"},
        {"t only after a substitution", "s/a/A/\nt done\ns/$/ no/\n:done", "a\nb\n", "A\nb no\n"},
        {"branch out of a list", "1{\nb out\np\n}\n:out\np", "1\n2\n", "1\n1\n2\n2\n"},
        {"a comment with an address-free letter", "#comment\np", "1\n", "1\n1\n"},
    });
}

TEST_F(VanticEngine, SubstituteAndTransliterate)
{
    RunCases({
        {"first", "s/o/0/", "foo\n", "f0o\n"},
        {"second occurrence", "s/o/0/2", "foo\n", "fo0\n"},
        {"global", "s/o/0/g", "foo\n", "f00\n"},
        {"occurrence past the last", "s/o/0/3", "foo\n", "foo\n"},
        {"ampersand and escapes", "s/b/[&\\&\\\\\\n\\t\\x]/", "abc\n", "a[b&\\\n\tx]c\n"},
        {"no group references", "s/\\(a\\)b/\\1/", "ab\n", "1\n"},
        {"trailing backslash dropped", "s/a/b\\", "a\n", "b\n"},
        {"anchored stops after one", "s/^a/X/g", "aaa\n", "Xaa\n"},
        {"end anchor", "s/a$/X/g", "aaa\n", "aaX\n"},
        {"empty match with g ends", "s/\\(\\)/-/g", "ab\n", "-a-b-\n"},
        {"empty match on an empty line", "s/\\(\\)/-/g", "\n", "-\n"},
        {"empty match skipped by occurrence", "s/\\(\\)/-/2", "ab\n", "a-b\n"},
        {"star with g", "s/x*/-/g", "abc\n", "a-b-c-\n"},
        {"p flag", "s/a/b/p", "a\nc\n", "b\nb\nc\n"},
        {"p flag after t reset", "s/a/b/\nt x\n:x\ns/c/d/p", "ac\n", "bd\nbd\n"},
        {"transliterate cabbage", "y/abc/xyz/", "cabbage\n", "zxyyxge\n"},
        {"first place in the source wins", "y/aab/xyz/", "aabb\n", "xxzz\n"},
        {"transliterate with another delimiter", "y,a/,b|,", "a/\n", "b|\n"},
        {"two transliterations in turn", "y/a/b/\ny/b/c/", "ab\nba\n", "cc\ncc\n"},
        {"first character found late", "s/ab/X/g", "aab xab\n", "aX xX\n"},
        {"first character, then a closure", "s/ab*/X/g", "abbb a\n", "X X\n"},
        {"address by a later character", "/ab/d", "aab\naa\n", "aa\n"},
    });
}

TEST_F(VanticEngine, ListWritesEveryByteVisibly)
{
    Outcome outcome = Run("l", std::string("a\tb\\") + '\xc8' + "\x01\x7f" + "\a\b\v\f\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("a\\tb\\\\\\310\\001\\177\\a\\b\\v\\f$\n" + std::string("a\tb\\") + '\xc8' + "\x01\x7f\a\b\v\f\n",
              outcome.output);

    outcome = Run("N\nl\nd", "a\nb\n");
    EXPECT_EQ("a\nb$\n", outcome.output);
}

TEST_F(VanticEngine, SuppressedOutput)
{
    struct Row {
        const char* name;
        std::string script;
        bool suppress;
        std::string expected;
    } rows[] = {
        {"check box", "2p", true, "2\n"},
        {"#n after a comment line", "# comment\n#n\n2p", false, "2\n"},
        {"#n after a command does nothing", "2p\n#n", false, "1\n2\n2\n3\n"},
        {"#n with more on its line is a comment", "#n more\n2p", false, "1\n2\n2\n3\n"},
        {"n does not write", "n\np", true, "2\n"},
        {"every writing command still writes",
         "1=\n1l\n1P\n2i\\\nI\n2a\\\nA\n2r data.txt\n3s/3/x/pw w.txt\n3c\\\nC\n1w w.txt",
         true,
         "1\n1$\n1\nI\nA\nD\nx\nC\n"},
    };
    WriteFileText("data.txt", "D\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Outcome outcome = Run(row.script, "1\n2\n3\n", row.suppress);
        EXPECT_TRUE(outcome.edited);
        EXPECT_EQ(row.expected, outcome.output);
    }
    EXPECT_EQ("1\nx\n", ReadFileText("w.txt"));
}

TEST_F(VanticEngine, InvalidCommandsFailWhenSelected)
{
    struct Row {
        std::string script;
        std::string message;
        std::string output;
    } rows[] = {
        {"2k", "Invalid command: k", "1\n"},
        {"1p\n   ", "Invalid command: ", "1\n"},
        {"2", "Invalid command: ", "1\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        Outcome outcome = Run(row.script, "1\n2\n3\n");
        EXPECT_FALSE(outcome.edited);
        EXPECT_EQ(std::vector<std::string>{row.message}, outcome.messages);
        EXPECT_EQ(row.output, outcome.output);
    }
    // Never selected, never reported.
    Outcome outcome = Run("5k", "1\n2\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("1\n2\n", outcome.output);
}

TEST_F(VanticEngine, LongInputLinesAreReadInPieces)
{
    std::string longLine = std::string(511, 'a') + "bbb";
    Outcome outcome = Run("=", longLine + "\nc\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("1\n" + std::string(511, 'a') + "\n2\nbbb\n3\nc\n", outcome.output);
}

TEST_F(VanticEngine, SpacesThatWouldOverflowAreRefused)
{
    const std::string line500 = std::string(500, 'a') + "\n";
    struct Row {
        const char* name;
        std::string script;
        std::string input;
        std::string message;
    } rows[] = {
        {"G", "h\n" + Repeat("G\n", 17), line500, "Pattern space full (>8191 characters)"},
        {"H", "H\n$!d", Repeat(line500, 17), "Hold space full (>8191 characters)"},
        {"N", ":a\nN\nba", Repeat(line500, 17), "Pattern space full (>8191 characters)"},
        {"s", "s/a/&&&&&&&&&&&&&&&&&/g", std::string(500, 'a') + "\n", "Pattern space full (>8191 characters)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Outcome outcome = Run(row.script, row.input);
        EXPECT_FALSE(outcome.edited);
        EXPECT_EQ(std::vector<std::string>{row.message}, outcome.messages);
    }
    // Just below the limit: 16 lines of 500 and 15 newlines join to 8015.
    Outcome outcome = Run("h\n" + Repeat("G\n", 15) + "s/a*/x/g", line500);
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ(std::vector<std::string>(), outcome.messages);
}

// N reads a line straight into the pattern space while a whole input piece
// fits after it, and through the scratch buffer near the limit; both must
// give what joining the pieces gives, up to exactly 8191 characters.
TEST_F(VanticEngine, NJoinsLinesUpToTheLimitOfThePatternSpace)
{
    // count lines of up to 510 characters (one input piece with the line
    // feed), `total` characters in all.
    auto lines = [](int count, int total) {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i) {
            int length = total / count + (i < total % count ? 1 : 0);
            out.push_back(std::string(static_cast<size_t>(length), static_cast<char>('a' + i % 26)));
        }
        return out;
    };
    auto join = [](const std::vector<std::string>& pieces, const std::string& between) {
        std::string text;
        for (size_t i = 0; i < pieces.size(); ++i)
            text += (i ? between : "") + pieces[i];
        return text;
    };
    const std::string gather = ":a\n$!N\n$!ba\ns/\\n/+/g";
    struct Row {
        const char* name;
        std::vector<std::string> lines;
        bool fits;
    } rows[] = {
        {"16 lines of 510", lines(16, 16 * 510), true},
        {"17 lines, 8191 joined", lines(17, 8191 - 16), true},
        {"17 lines, 8192 joined", lines(17, 8192 - 16), false},
        {"40 short lines", lines(40, 400), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Outcome outcome = Run(gather, join(row.lines, "\n") + "\n");
        EXPECT_EQ(row.fits, outcome.edited);
        if (row.fits) {
            EXPECT_EQ(std::vector<std::string>(), outcome.messages);
            EXPECT_EQ(join(row.lines, "+") + "\n", outcome.output);
        } else {
            EXPECT_EQ(std::vector<std::string>{"Pattern space full (>8191 characters)"}, outcome.messages);
        }
    }

    // Lines longer than an input piece come in pieces of 511 characters, the
    // line feed counted (a line of 511 is followed by an empty piece); $!N,
    // P and D write every piece once, an empty line and a last line without
    // a line feed included.
    std::vector<std::string> input = {"",
                                      "x",
                                      std::string(510, 'b'),
                                      std::string(511, 'c'),
                                      std::string(700, 'd'),
                                      std::string(1030, 'e'),
                                      "",
                                      "last"};
    std::vector<std::string> pieces;
    for (size_t i = 0; i < input.size(); ++i) {
        size_t at = 0;
        size_t withEnd = input[i].size() + (i + 1 < input.size() ? 1 : 0);
        while (withEnd - at > 511) {
            pieces.push_back(input[i].substr(at, 511));
            at += 511;
        }
        pieces.push_back(input[i].substr(at));
    }
    Outcome outcome = Run("$!N\nP\nD", join(input, "\n"));
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ(join(pieces, "\n") + "\n", outcome.output);
}

TEST_F(VanticEngine, ReadAndWriteFiles)
{
    WriteFileText("data.txt", "d1\nd2\n");
    RunCases({
        {"r after the line", "1r data.txt", "1\n2\n", "1\nd1\nd2\n2\n"},
        {"r on every line", "r data.txt", "1\n2\n", "1\nd1\nd2\n2\nd1\nd2\n"},
        {"r of a missing file does nothing", "r missing.txt", "1\n", "1\n"},
        {"a replaces what r read", "1r data.txt\n1a\\\nA", "1\n", "1\nA\n"},
        {"r adds to what a set", "1a\\\nA\n1r data.txt", "1\n", "1\nA\nd1\nd2\n"},
    });

    // Two w commands and a w flag naming one file share its stream.
    Outcome outcome = Run("/a/w both.txt\n/b/w BOTH.txt\ns/c/C/w both.txt", "a\nb\nc\nab\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("a\nb\nC\nab\nab\n", ReadFileText("both.txt"));

    // r past 32767 characters.
    WriteFileText("big.txt", Repeat(std::string(99, 'x') + "\n", 330));
    outcome = Run("r big.txt", "1\n");
    EXPECT_FALSE(outcome.edited);
    EXPECT_EQ(std::vector<std::string>{"r: read file must be <= 32kb"}, outcome.messages);
    WriteFileText("big.txt", Repeat(std::string(99, 'x') + "\n", 327));
    outcome = Run("r big.txt", "1\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("1\n" + Repeat(std::string(99, 'x') + "\n", 327), outcome.output);
}

TEST_F(VanticEngine, OutputIsWrittenInTextMode)
{
    Outcome outcome = Run("1a\\\nx", "1\n2\n");
    ASSERT_TRUE(outcome.edited);
    EXPECT_EQ(std::string("1") + kTextLineEnd + "x" + kTextLineEnd + "2" + kTextLineEnd, ReadFileBytes("out.txt"));
}

// Each run builds its own tables: nothing of one script's commands is used
// by the next script compiled into the same places.
TEST_F(VanticEngine, EachRunUsesItsOwnScript)
{
    struct Row {
        std::string script;
        std::string expected;
    } rows[] = {
        {"y/a/b/", "bb\n"},
        {"y/a/c/", "bc\n"},
        {"/a/s/a/d/", "bd\n"},
        {"/a/s/a/e/", "be\n"},
        {"s/^c/x/", "ba\n"},
        {"s/a/f/", "bf\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        Outcome outcome = Run(row.script, "ba\n");
        EXPECT_TRUE(outcome.edited);
        EXPECT_EQ(row.expected, outcome.output);
    }
}

// Pending text that q leaves behind is dropped with its file's run.
TEST_F(VanticEngine, PendingTextDoesNotOutliveItsRun)
{
    Outcome outcome = Run("1a\\\nA\n1q", "1\n2\n");
    EXPECT_TRUE(outcome.edited);
    EXPECT_EQ("", outcome.output);
    outcome = Run("p", "1\n");
    EXPECT_EQ("1\n1\n", outcome.output);
}

}   // namespace
