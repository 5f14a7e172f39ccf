// The output text of a tool run. Results are appended chunk by chunk; once
// they would pass what the output view holds, everything goes to a spill
// file and the text becomes a notice that names it.
#ifndef TAMREL_OUTTEXT_H
#define TAMREL_OUTTEXT_H

#include <cstdio>

#include "afxstr.h"

extern CString g_outputText;       // what the output view shows
extern FILE* g_outputSpillFile;    // open spill file of the current run, or null
extern char g_outputDir[260];      // where a spill file is made; empty = root of the current drive

// Most characters g_outputText holds before the run spills.
const int kOutputTextCap = 32767;

void AppendOutput(const char* text);

// Lower-cases in place every byte isupper accepts.
void LowercaseText(char* text);

// Start of a run: no text, no spill file.
void ResetOutput();

// End of a run: closes the spill file if one was opened.
void CloseOutputSpill();

#endif
