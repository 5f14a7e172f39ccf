// The file driver: input lists, an output file, editing in place, and what
// survives each failure.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine.h"
#include "fileout.h"
#include "sysio.h"
#include "vantic_support.h"

namespace {

class VanticEditFiles : public ::testing::Test {
protected:
    bool Edit(const char* inputs, const char* output, const char* script)
    {
        messages.clear();
        return EditFiles(inputs, output, CString(script));
    }

    std::vector<std::string> TemporaryFiles() const
    {
        std::vector<std::string> found;
        for (const std::string& name : dir.files()) {
            if (name.compare(0, 2, "tm") == 0)
                found.push_back(name);
        }
        return found;
    }

    ScratchDir dir;
    MessageRecorder messages;
};

TEST_F(VanticEditFiles, OutputFileCollectsEveryResultInListOrder)
{
    WriteFileText("b.txt", "b1\nb2\n");
    WriteFileText("a.txt", "a1\n");
    WriteFileText("out.txt", "kept\n");
    ASSERT_TRUE(Edit("b.txt a.txt", "out.txt", "s/1/one/\r\n"));
    EXPECT_EQ("kept\nbone\nb2\naone\n", ReadFileText("out.txt"));
    // A wildcard lists its names sorted; a second run appends again.
    ASSERT_TRUE(Edit("?.txt", "out.txt", "1!d\r\n"));
    EXPECT_EQ("kept\nbone\nb2\naone\na1\nb1\n", ReadFileText("out.txt"));
    EXPECT_EQ("b1\nb2\n", ReadFileText("b.txt"));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(VanticEditFiles, InPlaceReplacesEachFileAndLeavesNoTemporaryFile)
{
    WriteFileText("one.txt", "foo\nboo\n");
    WriteFileText("two.txt", "moo\n");
    ASSERT_TRUE(Edit("one.txt two.txt", "", "s/o/0/g"));
    EXPECT_EQ("f00\nb00\n", ReadFileText("one.txt"));
    EXPECT_EQ("m00\n", ReadFileText("two.txt"));
    EXPECT_EQ(std::vector<std::string>(), TemporaryFiles());
    EXPECT_EQ((std::vector<std::string>{"one.txt", "two.txt"}), dir.files());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(VanticEditFiles, InPlaceLeavesAFileWithTheFirstTemporaryNameAsItWas)
{
    char first[] = "tmXXXXXX";
    TempNameCandidate(first, 0);
    WriteFileText(first, "planted\n");
    WriteFileText("one.txt", "foo\n");
    ASSERT_TRUE(Edit("one.txt", "", "s/o/0/g"));
    EXPECT_EQ("f00\n", ReadFileText("one.txt"));
    EXPECT_EQ("planted\n", ReadFileText(first));
    EXPECT_EQ(std::vector<std::string>{first}, TemporaryFiles());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(VanticEditFiles, QuitInPlaceKeepsOnlyTheLinesBefore)
{
    WriteFileText("f.txt", "1\n2\n3\n");
    ASSERT_TRUE(Edit("f.txt", "", "2q"));
    EXPECT_EQ("1\n", ReadFileText("f.txt"));
}

TEST_F(VanticEditFiles, FailureOnTheSecondFileKeepsTheFirstEditedAndTheSecondWhole)
{
    WriteFileText("a.txt", "x\n");
    WriteFileText("b.txt", "x\ny\n");
    ASSERT_FALSE(Edit("a.txt b.txt", "", "2k"));
    EXPECT_EQ(std::vector<std::string>{"Invalid command: k"}, messages.messages());
    EXPECT_EQ("x\n", ReadFileText("a.txt"));
    EXPECT_EQ("x\ny\n", ReadFileText("b.txt"));
    // The temporary file of the failed file stays behind with what was written.
    std::vector<std::string> left = TemporaryFiles();
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ("x\n", ReadFileText(left[0]));
}

TEST_F(VanticEditFiles, ScriptErrorLeavesTheInputUntouched)
{
    WriteFileText("a.txt", "x\n");
    ASSERT_FALSE(Edit("a.txt", "", "s/x"));
    EXPECT_EQ(std::vector<std::string>{"Error in substitute command"}, messages.messages());
    EXPECT_EQ("x\n", ReadFileText("a.txt"));
}

TEST_F(VanticEditFiles, FailuresToOpenAreReportedAndCloseWhatWasOpen)
{
    WriteFileText("a.txt", "x\n");
    struct Row {
        const char* inputs;
        const char* output;
        const char* message;
    } rows[] = {
        {"none.txt", "out.txt", "Cant open specified input file"},
        {"", "out.txt", "Cant open specified input file"},
        {"a.txt", "nodir/out.txt", "Cant create output file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_FALSE(Edit(row.inputs, row.output, "p"));
        EXPECT_EQ(std::vector<std::string>{row.message}, messages.messages());
    }
    // The input stream was closed: the file can go.
    EXPECT_EQ(0, std::remove("a.txt"));
}

TEST_F(VanticEditFiles, InputThatCannotBeReplacedKeepsBothFiles)
{
    WriteFileText("ro.txt", "abc\n");
    ASSERT_EQ(0, _chmod("ro.txt", _S_IREAD));
    ASSERT_FALSE(Edit("ro.txt", "", "s/b/B/"));
    std::vector<std::string> left = TemporaryFiles();
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ(std::vector<std::string>{"Cant replace input file, result left in " + left[0]}, messages.messages());
    EXPECT_EQ("abc\n", ReadFileText("ro.txt"));
    EXPECT_EQ("aBc\n", ReadFileText(left[0]));
}

// In place, a line that does not fit the input buffer whole would come out
// cut in two: the run stops and the file stays as it was. An output file
// gets the pieces, as before.
TEST_F(VanticEditFiles, LinesTooLongToReadWholeStopAnInPlaceEdit)
{
    const std::string fits(510, 'f');
    const std::string full(511, 'g');   // with its line feed one more than the buffer holds
    const std::string longer(600, 'h');
    struct Row {
        const char* label;
        std::string input;
        const char* output;   // "" in place
        bool edited;
        std::string result;   // of the input in place, else of out.txt
        const char* message;
    } rows[] = {
        {"510 characters fit", fits + "\n", "", true, fits + "\n", nullptr},
        {"511 and a line feed do not",
         "a\n" + full + "\nb\n",
         "",
         false,
         "a\n" + full + "\nb\n",
         "Line 2 too long (>511 characters) - file not replaced"},
        {"600 on the first line",
         longer + "\n",
         "",
         false,
         longer + "\n",
         "Line 1 too long (>511 characters) - file not replaced"},
        {"a last line without a line feed, read whole", "a\n" + full, "", true, "a\n" + full + "\n", nullptr},
        {"an output file gets the pieces",
         longer + "\n",
         "out.txt",
         true,
         std::string(511, 'h') + "\n" + std::string(89, 'h') + "\n",
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WriteFileText("long.txt", row.input);
        std::remove("out.txt");
        EXPECT_EQ(row.edited, Edit("long.txt", row.output, "s/x/y/"));
        EXPECT_EQ(row.result, ReadFileText(*row.output ? row.output : "long.txt"));
        if (*row.output) {
            EXPECT_EQ(row.input, ReadFileText("long.txt"));
        }
        EXPECT_EQ(row.message ? std::vector<std::string>{row.message} : std::vector<std::string>(),
                  messages.messages());
        for (const std::string& name : TemporaryFiles())
            std::remove(name.c_str());
    }
}

// A w file is made anew for every input file.
TEST_F(VanticEditFiles, WriteFilesStartAfreshForEveryInputFile)
{
    WriteFileText("a.txt", "a\n");
    WriteFileText("b.txt", "b\n");
    ASSERT_TRUE(Edit("a.txt b.txt", "out.txt", "w w.txt"));
    EXPECT_EQ("b\n", ReadFileText("w.txt"));
    EXPECT_EQ("a\nb\n", ReadFileText("out.txt"));
}

// "#n" switches the default output off for the rest of the run: every
// file of the list, not only the first.
TEST_F(VanticEditFiles, HashNSuppressesOutputForEveryFile)
{
    WriteFileText("a.txt", "a\n");
    WriteFileText("b.txt", "b\n");
    ASSERT_TRUE(Edit("a.txt b.txt", "out.txt", "#n\r\np\r\n"));
    EXPECT_EQ("a\nb\n", ReadFileText("out.txt"));
}

TEST(VanticCommandLine, PresetIsTheLastComponentLowerCased)
{
    struct Row {
        const char* cmdLine;
        const char* preset;
    } rows[] = {
        {"c:\\work\\notes.txt", "notes.txt"},
        {"C:\\Work\\NOTES.TXT", "notes.txt"},
        {"notes.txt", ""},
        {"", ""},
        {"c:\\work\\", ""},
        {"c:\\my dir\\a b.txt", "a b.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cmdLine);
        EXPECT_EQ(std::string(row.preset), std::string(InputPresetFromCommandLine(row.cmdLine)));
    }
}

}   // namespace
