#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>

#include <string>
#include <vector>

#include "csplit.h"
#include "ombrix_test_support.h"
#include "samefile.h"

namespace {
class CsplitTest : public UtilityTest {
protected:
    void Clean()
    {
        for (const std::string& name : Files())
            std::remove(m_dir.file(name).c_str());
        m_messages.clear();
    }
    // Runs over in.txt and returns the parts left, in order of name.
    std::vector<std::string> Parts(const std::string& arguments, const char* prefix = "xx", int digits = 2)
    {
        CsplitRun("in.txt", arguments.c_str(), prefix, digits);
        std::vector<std::string> parts;
        for (const std::string& name : Files(std::string(prefix) + "*"))
            parts.push_back(name + "=" + Read(name));
        return parts;
    }
};

// A part as the test expects it, its CR LF written as the system's text
// mode ends a line.
std::string Part(const std::string& name, std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, kTextLineEnd);
        at += sizeof kTextLineEnd - 1;
    }
    return name + "=" + text;
}

TEST_F(CsplitTest, LineNumbersAndRepeatsCutAtTheSameLinesWhateverTheLineEnds)
{
    const std::vector<std::string> expected = {Part("xx00", NumberedLines(1, 99)),
                                               Part("xx01", NumberedLines(100, 199)),
                                               Part("xx02", NumberedLines(200, 299)),
                                               Part("xx03", NumberedLines(300, 350))};
    for (const char* end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end[0] == '\r' ? "CR LF" : "LF");
        Clean();
        Make("in.txt", NumberedLines(1, 350, end));
        // Parts are written as text, with CR LF line ends.
        EXPECT_EQ(expected, Parts("100 {2}"));
        EXPECT_TRUE(Messages().empty());
    }

    // Long enough that the places kept lie in earlier stretches of the
    // file than the ones read last.
    for (const char* end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end[0] == '\r' ? "CR LF, long" : "LF, long");
        Clean();
        std::string text;
        std::string expectedText[4];
        for (int i = 1; i <= 9000; ++i) {
            std::string line = "L" + std::to_string(i) + ":" + std::string(static_cast<size_t>(i % 50), '-');
            text += line + end;
            if (i < 6000 || i >= 6500)
                expectedText[i < 2000 ? 0 : i < 6000 ? 1 : i < 7000 ? 2 : 3] += line + "\r\n";
        }
        Make("in.txt", text);
        EXPECT_EQ((std::vector<std::string>{Part("xx00", expectedText[0]),
                                            Part("xx01", expectedText[1]),
                                            Part("xx02", expectedText[2]),
                                            Part("xx03", expectedText[3])}),
                  Parts("2000 /^L6000:/ %^L6500:% /^L6999:/+1"));
    }
}

TEST_F(CsplitTest, ArgumentForms)
{
    const std::string chapters = "intro\nChapter 1\none\nChapter 2\ntwo\nChapter 3\nthree\n";
    const size_t two = chapters.find("two");
    const size_t chapter2 = chapters.find("Chapter 2");
    auto crlf = [](std::string text) {
        std::string out;
        for (char c : text)
            out += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return out;
    };
    struct Case {
        const char* label;
        std::string input;
        const char* arguments;
        std::vector<std::string> parts;
    } cases[] = {
        {"a pattern starts the next part",
         chapters,
         "/^Chapter/",
         {Part("xx00", "intro\r\n"), Part("xx01", crlf(chapters.substr(6)))}},
        {"a pattern matching the first line gives an empty part, which goes",
         chapters.substr(6),
         "/^Chapter/",
         {Part("xx00", crlf(chapters.substr(6)))}},
        {"a repeat after a pattern finds the same line again",
         chapters,
         "/^Chapter/ {2}",
         {Part("xx00", "intro\r\n"), Part("xx01", crlf(chapters.substr(6)))}},
        {"a positive offset",
         chapters,
         "/^Chapter.2/+1",
         {Part("xx00", crlf(chapters.substr(0, two))), Part("xx01", crlf(chapters.substr(two)))}},
        {"a negative offset",
         chapters,
         "/^two/-1",
         {Part("xx00", crlf(chapters.substr(0, chapter2))), Part("xx01", crlf(chapters.substr(chapter2)))}},
        {"an offset before the current line is ignored",
         chapters,
         "/^Chapter.1/-5",
         {Part("xx00", "intro\r\n"), Part("xx01", crlf(chapters.substr(6)))}},
        {"skip, then through the first line after it",
         "a\nb\nBegin\nc\nEnd\nd\n",
         "%^Begin% /^End/+1",
         {Part("xx00", "Begin\r\nc\r\nEnd\r\n"), Part("xx01", "d\r\n")}},
        {"a skip with an offset", "a\nb\nBegin\nc\nd\n", "%^Begin%+1", {Part("xx00", "c\r\nd\r\n")}},
        {"skip mode ends with its argument",
         "a\nb\nc\nd\n",
         "%^b% 4",
         {Part("xx00", "b\r\nc\r\n"), Part("xx01", "d\r\n")}},
        {"a pattern that matches nothing takes the rest", "a\nb\n", "/^zzz/ 1", {Part("xx00", "a\r\nb\r\n")}},
        {"an offset after a pattern that matches nothing still takes the rest",
         NumberedLines(1, 5, "\n"),
         "/nomatch/-2",
         {Part("xx00", NumberedLines(1, 5))}},
        {"so does an offset past the end",
         NumberedLines(1, 5, "\n"),
         "2 /nomatch/+3",
         {Part("xx00", NumberedLines(1, 1)), Part("xx01", NumberedLines(2, 5))}},
        {"a number below the current line takes the rest",
         NumberedLines(1, 9, "\n"),
         "5 3",
         {Part("xx00", NumberedLines(1, 4)), Part("xx01", NumberedLines(5, 9))}},
        {"a number equal to the current line makes an empty part, which goes",
         NumberedLines(1, 9, "\n"),
         "5 5 7",
         {Part("xx00", NumberedLines(1, 4)), Part("xx01", NumberedLines(5, 6)), Part("xx02", NumberedLines(7, 9))}},
        {"a number past the end takes the rest and ends the run",
         NumberedLines(1, 9, "\n"),
         "50 60",
         {Part("xx00", NumberedLines(1, 9))}},
        {"a repeat of 0 does nothing",
         NumberedLines(1, 9, "\n"),
         "3 {0} 6",
         {Part("xx00", NumberedLines(1, 2)), Part("xx01", NumberedLines(3, 5)), Part("xx02", NumberedLines(6, 9))}},
        {"blanks between arguments",
         NumberedLines(1, 5, "\n"),
         "  3   ",
         {Part("xx00", NumberedLines(1, 2)), Part("xx01", NumberedLines(3, 5))}},
        {"text that is no number reads as 0", NumberedLines(1, 3, "\n"), "abc", {Part("xx00", NumberedLines(1, 3))}},
        {"a line of more than 511 characters counts as several",
         std::string(600, 'x') + "\ny\n",
         "2",
         {Part("xx00", std::string(511, 'x')), Part("xx01", std::string(89, 'x') + "\r\ny\r\n")}},
        {"Ctrl+Z ends the text",
         "a\nb\n\x1a"
         "c\n",
         "2",
         {Part("xx00", "a\r\n"), Part("xx01", "b\r\n")}},
        {"a lone carriage return stays in its line",
         "a\rb\nc\n",
         "2",
         {Part("xx00", "a\rb\r\n"), Part("xx01", "c\r\n")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Clean();
        Make("in.txt", c.input);
        EXPECT_EQ(c.parts, Parts(c.arguments));
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(c.input, Read("in.txt"));
    }
}

TEST_F(CsplitTest, PrefixAndDigitsNameTheParts)
{
    Make("in.txt", NumberedLines(1, 4, "\n"));
    EXPECT_EQ((std::vector<std::string>{Part("part000", NumberedLines(1, 1)),
                                        Part("part001", NumberedLines(2, 2)),
                                        Part("part002", NumberedLines(3, 4))}),
              Parts("2 3", "part", 3));
    Clean();
    Make("in.txt", NumberedLines(1, 24, "\n"));
    std::vector<std::string> parts = Parts("2 {11}", "p", 1);
    // Sorted by name: p0, p1, p10, p11, p12, p2, ...
    ASSERT_EQ(13u, parts.size());
    EXPECT_EQ(Part("p0", NumberedLines(1, 1)), parts[0]);
    EXPECT_EQ(Part("p10", NumberedLines(20, 21)), parts[2]);
    EXPECT_EQ(Part("p11", NumberedLines(22, 23)), parts[3]);
    EXPECT_EQ(Part("p12", NumberedLines(24, 24)), parts[4]);
    EXPECT_EQ(Part("p9", NumberedLines(18, 19)), parts[12]);
}

TEST_F(CsplitTest, ErrorsEndTheRunAndKeepWhatWasWritten)
{
    std::string many;
    for (int i = 1; i <= 99; ++i)
        many += std::to_string(i) + " ";
    struct Case {
        const char* label;
        std::string arguments;
        const char* message;   // "" for none
        std::vector<std::string> parts;
    } cases[] = {
        {"a repeat first", "{2}", "Invalid first token specified", {}},
        {"two repeats in a row after a number",
         "3 {2} {3}",
         "Invalid token specified",
         {Part("xx00", NumberedLines(1, 2)), Part("xx01", NumberedLines(3, 5)), Part("xx02", NumberedLines(6, 8))}},
        {"a pattern without its closing delimiter",
         "3 /^line",
         "Invalid token specified",
         {Part("xx00", NumberedLines(1, 2))}},
        {"an empty pattern", "//", "Invalid token specified", {}},
        {"a pattern the engine refuses", "/[ab/", "Invalid token specified", {}},
        {"a negative repeat", "3 {-1}", "Invalid token specified", {Part("xx00", NumberedLines(1, 2))}},
        {"100 arguments", many + "100", "Too many input arguments [>100]", {}},
        {"99 arguments", many, "", {}},
        {"only blanks", "   ", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Clean();
        Make("in.txt", NumberedLines(1, 20, "\n"));
        std::vector<std::string> parts = Parts(c.arguments);
        if (std::string(c.label) == "99 arguments") {
            // Parts of one line each, then the rest.
            ASSERT_EQ(20u, parts.size());
            EXPECT_EQ(Part("xx19", NumberedLines(20, 20)), parts[19]);
        } else {
            EXPECT_EQ(c.parts, parts);
        }
        std::vector<std::string> messages;
        if (*c.message)
            messages.push_back(c.message);
        EXPECT_EQ(messages, Messages());
    }

    Clean();
    CsplitRun("missing.txt", "3", "xx", 2);
    EXPECT_EQ(std::vector<std::string>{"Can't open input file"}, Messages());

#ifdef _WIN32
    // A part that cannot be created: held open with no sharing, which only
    // Windows knows.
    Clean();
    Make("in.txt", NumberedLines(1, 9, "\n"));
    Make("xx01", "locked");
    HANDLE lock = CreateFileA(
        m_dir.file("xx01").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    CsplitRun("in.txt", "3 6", "xx", 2);
    CloseHandle(lock);
    EXPECT_EQ(std::vector<std::string>{"Can't create output file"}, Messages());
    EXPECT_EQ(NumberedLines(1, 2), Read("xx00"));
    EXPECT_EQ("locked", Read("xx01"));
#endif
}

TEST_F(CsplitTest, NoPartReplacesTheFileBeingRead)
{
    const std::string text = NumberedLines(1, 9, "\n");
    Make("xx00", text);
    CsplitRun("xx00", "3", "xx", 2);
    EXPECT_EQ(std::vector<std::string>{kOutputIsInputMessage}, Messages());
    EXPECT_EQ(text, Read("xx00"));

    // The input met later, as the second part.
    Clean();
    Make("xx01", text);
    CsplitRun("XX01", "3", "xx", 2);
    EXPECT_EQ(std::vector<std::string>{kOutputIsInputMessage}, Messages());
    EXPECT_EQ(text, Read("xx01"));
    EXPECT_EQ(NumberedLines(1, 2), Read("xx00"));
}
}   // namespace
