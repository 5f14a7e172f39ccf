// The output text of a tool run. Results are appended chunk by chunk; once
// they would pass what the output view holds, everything goes to a spill
// file and the text becomes a notice that names it.
//
// ombrix, quarn and diff each keep one; they differ only in where the spill
// file is made (SetSpillDirectory).
#ifndef TAMREL_OUTTEXT_H
#define TAMREL_OUTTEXT_H

#include <cstddef>
#include <cstdio>
#include <vector>

#include "afxstr.h"

class COutputText {
public:
    // Most characters the text holds before the run spills.
    enum { kCap = 32767 };

    COutputText() = default;
    ~COutputText();
    COutputText(const COutputText&) = delete;
    COutputText& operator=(const COutputText&) = delete;

    // Where the next spill file goes. Null: the bare name, so the current
    // directory. Otherwise the directory, then a backslash unless it ends in
    // one; an empty directory therefore means the root of the current drive.
    // The directory may also be written straight into m_spillDir.
    void SetSpillDirectory(const char* directory);

    void Append(const char* text);
    void Append(const char* text, size_t length);

    // Start of a run: no text, no spill file.
    void Reset();

    // End of a run: writes out and closes the spill file, if one was made.
    // False, after telling the user, when the file did not receive every
    // byte; the text then says the results are incomplete instead of
    // saying where they were written.
    bool CloseSpill();

    bool Spilling() const { return m_file != nullptr; }
    // The last spill file made.
    const char* SpillName() const { return m_spillName; }

    CString m_text;   // what the output view shows
    char m_spillDir[260] = {};

private:
    bool BuildSpillName();
    bool StartSpill(const char* text, size_t length);
    void Write(const char* data, size_t length);
    void ShowNotice(const char* label, const char* after);
    void WriteFailed();

    FILE* m_file = nullptr;
    bool m_spillHere = false;
    bool m_failed = false;   // the open spill file missed a write
    char m_spillName[260] = {};
    std::vector<char> m_buffer;
    size_t m_used = 0;
};

// ombrix's output text, and the names its utilities know it by.
extern COutputText g_output;
extern CString& g_outputText;
extern char (&g_outputDir)[260];   // where a spill file is made; empty = root of the current drive

// Most characters g_outputText holds before the run spills.
const int kOutputTextCap = COutputText::kCap;

inline void AppendOutput(const char* text)
{
    if (text)
        g_output.Append(text);
}

// Lower-cases in place every byte isupper accepts.
void LowercaseText(char* text);

// Start of a run: no text, no spill file.
void ResetOutput();

// End of a run: closes the spill file if one was opened. False after a
// failed write, which the user has been told of.
bool CloseOutputSpill();

#endif
