// Every program that writes a file, run while the disk gives out: a write,
// a flush or a close fails at a chosen byte, or the last step, the replace,
// is refused. Whatever fails, the inputs stay as they were, the user is told
// which file failed, and nothing short is passed off as a whole result.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "csplit.h"
#include "engine.h"
#include "fileout.h"
#include "linediff.h"
#include "outtext.h"
#include "search.h"
#include "split.h"
#include "strscan.h"
#include "unit_support.h"
#include "viewfile.h"

namespace {

// Whether text matches pattern, in which '*' stands for any run of
// characters (a temporary file's name).
bool Matches(const char* pattern, const char* text)
{
    if (*pattern == 0)
        return *text == 0;
    if (*pattern == '*')
        return Matches(pattern + 1, text) || (*text && Matches(pattern, text + 1));
    return *pattern == *text && Matches(pattern + 1, text + 1);
}

// Lines of text, CR LF ended, about bytes long in all.
std::string Lines(size_t bytes)
{
    std::string text;
    for (int n = 10000; text.size() < bytes; ++n)
        text += "line " + std::to_string(n) + " of a text that fills the disk\r\n";
    return text;
}

const std::string kBig = Lines(100200);

std::string WithLineFeeds(std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

class WriteFaultTest : public ::testing::Test {
protected:
    void TearDown() override { ArmWriteFault(WriteFault::kNone); }

    std::vector<std::string> Files(const std::string& pattern = "*") const { return FilesIn(m_dir.path(), pattern); }

    TempDir m_dir;
    CurrentDirectory m_here{m_dir.path()};
    MessageRecorder m_messages;
};

struct Operation {
    const char* name;
    std::map<std::string, std::string> inputs;   // made before the run, checked after it
    std::function<std::string()> run;            // the output text, for the programs that show one
    const char* message;                         // '*' for a temporary name or a part's letters
    bool spills;                                 // the results go to a spill file the message names
};

std::string RunQuarn()
{
    CQuarnSearch search;
    search.m_fileMasks = "big.txt";
    search.m_patternsText = "line";
    search.ResetResults();
    search.SplitPatterns();
    search.RunSearch(CQuarnSearch::CurrentDirectoryLower());
    return static_cast<const char*>(search.m_resultText);
}

std::string RunStrings()
{
    StringsRun(CurrentDirectoryName().c_str(), "big.txt", {4, kOffsetsNone});
    return static_cast<const char*>(g_outputText);
}

bool EditInPlace(const char* script)
{
    return EditFiles("big.txt", "", CString(script));
}

const Operation kOperations[] = {
    {"vantic in place",
     {{"big.txt", kBig}},
     [] {
         EXPECT_FALSE(EditInPlace("s/line/LINE/"));
         return "";
     },
     "Cant write temporary file - big.txt not replaced",
     false},
    {"vantic output file",
     {{"big.txt", kBig}},
     [] {
         EXPECT_FALSE(EditFiles("big.txt", "out.txt", CString("p")));
         return "";
     },
     "Cant write output file out.txt",
     false},
    {"vantic w file",
     {{"big.txt", kBig}},
     [] {
         VanticOptions options;
         options.suppressOutput = true;
         EXPECT_FALSE(EditFiles("big.txt", "out.txt", CString("w w.txt"), options));
         return "";
     },
     "cant write file w.txt",
     false},
    {"ombrix spill", {{"big.txt", kBig}}, RunStrings, "Cant write output file *tm* - results incomplete", true},
    {"quarn spill", {{"big.txt", kBig}}, RunQuarn, "Cant write output file tm* - results incomplete", true},
    {"diff spill",
     {{"big.txt", kBig}, {"empty.txt", ""}},
     [] { return std::string(DiffFiles("empty.txt", "big.txt")); },
     "Cant write output file tm* - results incomplete",
     true},
    {"split",
     {{"big.txt", kBig}},
     [] {
         SplitRun("big.txt", "xaa", {kSplit, kSplitBytes, 16384});
         return "";
     },
     "cant write output file big.xa*",
     false},
    {"unsplit",
     {{"j.xaa", kBig.substr(0, 40000)}, {"j.xab", kBig.substr(40000)}, {"j.txt", "keep"}},
     [] {
         SplitRun("j.txt", "xaa", {kUnsplit, kSplitLines, 1});
         return "";
     },
     "cant write output file j.txt",
     false},
    {"csplit",
     {{"big.txt", kBig}},
     [] {
         CsplitRun("big.txt", "500 1000", "xx", 2);
         return "";
     },
     "Can't write output file xx0*",
     false},
    {"save as",
     {{"saved.out", "keep"}},
     [] {
         SaveOutputText("saved.out", kBig.c_str(), static_cast<int>(kBig.size()));
         return "";
     },
     "cant write output file saved.out",
     false},
};

TEST_F(WriteFaultTest, AFailedWriteFlushOrCloseKeepsTheInputsAndIsReported)
{
    struct Fault {
        WriteFault kind;
        long long at;
    } faults[] = {
        {WriteFault::kWrite, 0},       // a full disk
        {WriteFault::kWrite, 20480},   // a disk that fills during the run
        {WriteFault::kFlush, 0},
        {WriteFault::kClose, 0},
    };
    for (const Operation& op : kOperations) {
        for (const Fault& fault : faults) {
            SCOPED_TRACE(std::string(op.name) + ", fault " + std::to_string(static_cast<int>(fault.kind)) + " at " +
                         std::to_string(fault.at));
            for (const std::string& name : Files())
                std::remove(name.c_str());
            for (const auto& input : op.inputs)
                WriteFileBytes(input.first, input.second);
            m_messages.clear();
            ResetOutput();

            ArmWriteFault(fault.kind, fault.at);
            std::string text = op.run();
            ArmWriteFault(WriteFault::kNone);

            ASSERT_EQ(1u, m_messages.messages().size());
            EXPECT_TRUE(Matches(op.message, m_messages.messages()[0].c_str())) << m_messages.messages()[0];
            for (const auto& input : op.inputs)
                EXPECT_EQ(input.second, ReadFileBytes(input.first)) << input.first;
            // A window never sends the user to a file as if it held
            // everything; a spill file stays, named as incomplete. No other
            // temporary file is left behind.
            EXPECT_EQ(std::string::npos, text.find("Results written to file"));
            std::vector<std::string> temporary = Files("tm*");
            if (op.spills) {
                EXPECT_NE(std::string::npos, text.find("**** Results incomplete")) << text;
                ASSERT_EQ(1u, temporary.size());
                EXPECT_NE(std::string::npos, m_messages.messages()[0].find(temporary[0]));
            } else {
                EXPECT_EQ(std::vector<std::string>(), temporary);
            }
            // Every part still there is whole: the one that failed is gone.
            for (const std::string& name : Files()) {
                if (op.inputs.count(name) || name.compare(0, 2, "tm") == 0 || name == "out.txt" || name == "w.txt")
                    continue;
                // csplit writes its parts in text mode, whose line end is the
                // system's.
                std::string part = ReadFileBytes(name);
                EXPECT_NE(std::string::npos, WithLineFeeds(kBig).find(WithLineFeeds(part))) << name;
                if (name.find(".xa") != std::string::npos) {
                    EXPECT_EQ(16384u, part.size()) << name;
                }
            }
        }
    }
}

TEST_F(WriteFaultTest, ARefusedReplaceKeepsTheInputAndSaysSo)
{
    struct Case {
        const char* name;
        std::map<std::string, std::string> inputs;
        std::function<void()> run;
        const char* message;
        bool resultKept;   // the whole result stays in the temporary file the message names
    } cases[] = {
        {"vantic in place",
         {{"big.txt", kBig}},
         [] { EXPECT_FALSE(EditInPlace("s/line/LINE/")); },
         "Cant replace input file, result left in tm*",
         true},
        {"unsplit",
         {{"j.xaa", "one\r\n"}, {"j.xab", "two\r\n"}, {"j.txt", "keep"}},
         [] {
             SplitRun("j.txt", "xaa", {kUnsplit, kSplitLines, 1});
         },
         "cant create output file",
         false},
        {"save as",
         {{"saved.out", "keep"}},
         [] { SaveOutputText("saved.out", "new", 3); },
         "cant create output file",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : Files())
            std::remove(name.c_str());
        for (const auto& input : c.inputs)
            WriteFileBytes(input.first, input.second);
        m_messages.clear();
        ArmWriteFault(WriteFault::kReplace);
        c.run();
        ArmWriteFault(WriteFault::kNone);
        ASSERT_EQ(1u, m_messages.messages().size());
        EXPECT_TRUE(Matches(c.message, m_messages.messages()[0].c_str())) << m_messages.messages()[0];
        for (const auto& input : c.inputs)
            EXPECT_EQ(input.second, ReadFileBytes(input.first)) << input.first;
        std::vector<std::string> left = Files("tm*");
        if (c.resultKept) {
            ASSERT_EQ(1u, left.size());
            EXPECT_EQ(m_messages.messages()[0], "Cant replace input file, result left in " + left[0]);
            std::string edited = kBig;
            for (size_t at = edited.find("line"); at != std::string::npos; at = edited.find("line", at))
                edited.replace(at, 4, "LINE");
            EXPECT_EQ(edited, ReadFileBytes(left[0]));
        } else {
            EXPECT_EQ(std::vector<std::string>(), left);
        }
    }
}

}   // namespace
