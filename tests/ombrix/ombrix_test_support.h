// What the tests of ombrix's utilities share: a fixture that runs each test
// in a fresh current directory with the tool messages recorded and the
// output text emptied, and small text helpers.
#ifndef OMBRIX_TEST_SUPPORT_H
#define OMBRIX_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit_support.h"

class UtilityTest : public ::testing::Test {
protected:
    UtilityTest();
    ~UtilityTest() override;

    // Writes a file of the test directory, byte for byte.
    void Make(const std::string& name, const std::string& bytes) const;
    // The bytes of a file of the test directory; fails the test when it
    // cannot be read.
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names of the test directory's files that match the pattern, sorted.
    std::vector<std::string> Files(const std::string& pattern = "*") const;
    std::string Output() const;
    // The whole output of the run: the text, or, when it spilled, what the
    // spill file named by the notice holds. Closes the spill file.
    std::string Everything() const;
    const std::vector<std::string>& Messages() const { return m_messages.messages(); }

    TempDir m_dir;
    CurrentDirectory m_inside;
    MessageRecorder m_messages;
};

// Lines 'first' to 'last' of the form "line N" with the given line end.
std::string NumberedLines(int first, int last, const std::string& end = "\r\n");
std::vector<std::string> SplitLines(const std::string& text);   // at "\r\n"

#endif
