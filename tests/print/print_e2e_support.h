// What the end-to-end printing tests share: the test printer installed for
// the whole test program, and reading back what a job spooled.
#ifndef TAMREL_PRINT_E2E_SUPPORT_H
#define TAMREL_PRINT_E2E_SUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "auto.h"
#include "print_support.h"

namespace print_support {

// Adds the test printer before the first test and removes it after the last.
class PrinterEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    bool installed_ = false;
};

// The lines of a CR LF text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);
// Waits until the job has spooled completely into `path`.
PsDocument WaitSpooled(const std::string& path);
// The text of every printed row, page after page.
std::vector<std::string> RowTexts(const PsDocument& doc);
// Prints from the frame's menu to the test printer, spooled to `spool`,
// with the Print dialog's OK, and returns the job once it is complete.
PsDocument PrintFromMenu(const tamrel_auto::Process& process, const tamrel_auto::Window& frame,
                         const std::string& spool);
// Prints the results shown in the output view of `frame` to the test
// printer, spooled to `spool`, and checks that every line with text is
// printed once, in order.
void PrintAndCompare(const tamrel_auto::Process& process, const tamrel_auto::Window& frame, const std::string& spool);

// Presses a button of the print preview and returns the page text once it
// differs from `before` (or what it is after a few seconds).
std::string PressAndRead(const tamrel_auto::Window& preview, int button, const std::string& before);
// Counts the preview's pages by pressing Next Page until it is disabled,
// checking the page text on the way.
int CountPreviewPages(const tamrel_auto::Window& preview);

}   // namespace print_support

#endif
