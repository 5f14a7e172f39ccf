// The one way a file is replaced: a new file made beside the target under a
// name no file had, written whole, then moved over the target. Files that
// happen to lie beside the target, whatever their names, stay as they were,
// also when the replacement fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fileout.h"
#include "unit_support.h"

namespace {

// The name CreateReplacement tries first (attempt 0) and next.
std::string Candidate(unsigned attempt)
{
    char name[] = "tmXXXXXX";
    TempNameCandidate(name, attempt);
    return name;
}

bool LooksTemporary(const std::string& name)
{
    if (name.size() != 8 || name.compare(0, 2, "tm") != 0)
        return false;
    for (size_t i = 2; i < name.size(); ++i)
        if (!std::islower(static_cast<unsigned char>(name[i])) && !std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

class FileOutTest : public ::testing::Test {
protected:
    void TearDown() override { ArmWriteFault(WriteFault::kNone); }

    TempDir m_dir;
    CurrentDirectory m_here{m_dir.path()};
    MessageRecorder m_messages;
};

TEST_F(FileOutTest, NamesTriedAreTemporaryNamesOfTheirOwn)
{
    EXPECT_TRUE(LooksTemporary(Candidate(0))) << Candidate(0);
    EXPECT_EQ(Candidate(0), Candidate(0));
    std::vector<std::string> seen;
    for (unsigned attempt = 0; attempt < 200; ++attempt) {
        std::string name = Candidate(attempt);
        EXPECT_TRUE(LooksTemporary(name)) << name;
        EXPECT_EQ(std::find(seen.begin(), seen.end(), name), seen.end()) << name << " tried twice";
        seen.push_back(name);
    }
}

TEST_F(FileOutTest, FilesBesideTheTargetAreNeverTouched)
{
    struct Case {
        const char* what;
        std::vector<std::string> neighbours;   // files there before, each holding its own name
        bool directoryFirst;                   // a directory has the first name tried
    } cases[] = {
        {"a <name>.tmp neighbour", {"saved.out.tmp", "saved.tmp"}, false},
        {"another program's scratch names", {"saved.out.zo$", "saved.out~1", "tmXXXXXX"}, false},
        {"the first name tried", {Candidate(0)}, false},
        {"the first names tried", {Candidate(0), Candidate(1), Candidate(2)}, false},
        {"a directory of the first name", {}, true},
    };
    enum Ending { kWhole, kWriteFails, kReplaceRefused };
    for (const Case& c : cases) {
        for (Ending ending : {kWhole, kWriteFails, kReplaceRefused}) {
            SCOPED_TRACE(std::string(c.what) + ", ending " + std::to_string(ending));
            for (const std::string& name : FilesIn(m_dir.path()))
                std::remove(name.c_str());
            RemoveTree(Candidate(0));
            for (const std::string& name : c.neighbours)
                WriteFileBytes(name, "keep " + name);
            if (c.directoryFirst)
                MakeDirectory(Candidate(0));
            WriteFileBytes("saved.out", "old");
            m_messages.clear();

            char temporary[260];
            FILE* file = CreateReplacement("saved.out", temporary);
            ASSERT_NE(file, nullptr);
            EXPECT_TRUE(LooksTemporary(temporary)) << temporary;
            for (const std::string& name : c.neighbours)
                EXPECT_NE(temporary, name) << "made over a file that was there";
            if (c.directoryFirst) {
                EXPECT_NE(temporary, Candidate(0)) << "made over a directory";
            }
            if (ending == kWriteFails)
                ArmWriteFault(WriteFault::kWrite, 2);
            if (ending == kReplaceRefused)
                ArmWriteFault(WriteFault::kReplace);
            bool written = WriteBytes(file, "new", 3);
            EXPECT_EQ(written, ending != kWriteFails);
            Replacement outcome = FinishReplacement(file, temporary, "saved.out", written);
            ArmWriteFault(WriteFault::kNone);

            EXPECT_EQ(outcome,
                      ending == kWhole        ? Replacement::kDone
                      : ending == kWriteFails ? Replacement::kWriteFailed
                                              : Replacement::kReplaceFailed);
            EXPECT_EQ(ReadFileBytes("saved.out"), ending == kWhole ? "new" : "old");
            for (const std::string& name : c.neighbours)
                EXPECT_EQ(ReadFileBytes(name), "keep " + name) << name;
            if (c.directoryFirst) {
                EXPECT_TRUE(FileExists(Candidate(0)));
            }
            // The temporary file has either become the target or is gone.
            std::vector<std::string> expected = c.neighbours;
            expected.push_back("saved.out");
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(FilesIn(m_dir.path()), expected);
            EXPECT_TRUE(m_messages.messages().empty());
        }
    }
}

TEST_F(FileOutTest, TheNewFileIsMadeInTheTargetsDirectory)
{
    MakeDirectory("sub");
    WriteFileBytes(std::string("sub") + kPathSeparator + Candidate(0), "keep");
    const std::string target = std::string("sub") + kPathSeparator + "x.txt";
    char temporary[260];
    FILE* file = CreateReplacement(target.c_str(), temporary);
    ASSERT_NE(file, nullptr);
    const std::string made = temporary;
    EXPECT_EQ(made.substr(0, 4), std::string("sub") + kPathSeparator);
    EXPECT_TRUE(LooksTemporary(made.substr(4))) << made;
    EXPECT_TRUE(FileExists(made));
    ASSERT_TRUE(WriteBytes(file, "x", 1));
    EXPECT_EQ(FinishReplacement(file, temporary, target.c_str()), Replacement::kDone);
    EXPECT_EQ(ReadFileBytes(target), "x");
    EXPECT_EQ(ReadFileBytes(std::string("sub") + kPathSeparator + Candidate(0)), "keep");
    EXPECT_EQ(FilesIn("sub"), (std::vector<std::string>{Candidate(0), "x.txt"}));
}

TEST_F(FileOutTest, NoFileWhereNoneCanBeMade)
{
    struct Case {
        const char* what;
        std::string name;
    } cases[] = {
        {"a missing directory", std::string("missing") + kPathSeparator + "tmXXXXXX"},
        {"no template", "tmXXXXX"},
        {"too short", "XXXXX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<char> name(c.name.begin(), c.name.end());
        name.push_back(0);
        EXPECT_EQ(CreateUniqueFile(name.data()), nullptr);
        EXPECT_EQ(std::string(name.data()), c.name);   // given back as it was
    }
    char temporary[260];
    const std::string target = std::string("missing") + kPathSeparator + "x.txt";
    EXPECT_EQ(CreateReplacement(target.c_str(), temporary), nullptr);
    EXPECT_EQ(FilesIn(m_dir.path()), std::vector<std::string>());
}

}   // namespace
