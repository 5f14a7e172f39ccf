// diff's own output text for the line comparison. It works like the tool
// library's output text, except that the spill file is always made in the
// current directory and the text, stream and name are diff's own.
#ifndef DIFF_DIFFOUT_H
#define DIFF_DIFFOUT_H

#include <cstdio>

#include "afxstr.h"

extern CString g_diffOutput;        // what the output view shows
extern FILE* g_diffSpillFile;       // open spill file of the current run, or null
extern char g_diffSpillName[260];   // name of the last spill file made

// Most characters g_diffOutput holds before the run spills.
const int kDiffOutputCap = 32767;

void AppendDiffOutput(const char* text);
void AppendDiffOutput(const char* text, int length);

// Start of a run: no text, no spill file.
void ResetDiffOutput();

// End of a run: closes the spill file if one was opened.
void CloseDiffSpill();

#endif
