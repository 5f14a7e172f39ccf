// What the skeleton's end-to-end test needs to know of each tool program
// with an output view. Each program's row lives in a source of its own,
// which alone includes that program's resource.h: the programs give the
// same names to different ids.
#ifndef TESTS_E2E_SKELETON_E2E_H
#define TESTS_E2E_SKELETON_E2E_H

#include <string>

#include "auto.h"

struct ToolUnderTest {
    std::string program;        // "quarn.exe"
    std::string aboutCaption;   // the About box's caption
    std::string versionLine;    // its first line
    std::string saveAsName;     // the name the Save As dialog offers
    int viewFileCommand;
    int saveAsCommand;
    // Starts the program in `directory` (fixture files of its own go there)
    // and takes it through its dialog to the window of results.
    tamrel_auto::Window (*runToResults)(tamrel_auto::Process& process, const tamrel_auto::TempDir& directory);
};

// Presses OK in a tool's dialog and returns the window of results, whose
// caption ends with `frameEnd`, once the dialog is gone.
tamrel_auto::Window AcceptToResults(const tamrel_auto::Process& process, const tamrel_auto::Window& dialog,
                                    const std::string& frameEnd);

ToolUnderTest OmbrixUnderTest();
ToolUnderTest QuarnUnderTest();
ToolUnderTest DiffUnderTest();

#endif
