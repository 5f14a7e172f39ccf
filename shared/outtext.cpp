#include "outtext.h"

#include <cstring>

#include "fileout.h"
#include "message.h"
#include "names.h"
#include "sysio.h"

COutputText g_output;
CString& g_outputText = g_output.m_text;
char (&g_outputDir)[260] = g_output.m_spillDir;

namespace {
const char kSpillTemplate[] = "tmXXXXXX";
const char kNoticeHead[] = "****\r\n**** Too much output (>32kb)\r\n";
// Results reach the file in blocks of this size rather than chunk by chunk.
const size_t kSpillBuffer = 1 << 20;
}

COutputText::~COutputText()
{
    if (m_file)
        CloseStream(m_file);
}

void COutputText::SetSpillDirectory(const char* directory)
{
    m_spillHere = directory == nullptr;
    if (!directory)
        directory = "";
    std::snprintf(m_spillDir, sizeof m_spillDir, "%s", directory);
}

// Builds the spill name into m_spillName. False when the directory,
// separator and template do not fit.
bool COutputText::BuildSpillName()
{
    if (m_spillHere) {
        std::memcpy(m_spillName, kSpillTemplate, sizeof kSpillTemplate);
        return true;
    }
    size_t dirLength = strnlen(m_spillDir, sizeof m_spillDir);
    // An empty directory still gets the separator, which puts the file in
    // the root of the current drive.
    bool needSeparator = dirLength == 0 || m_spillDir[dirLength - 1] != kDirSeparator;
    size_t total = dirLength + (needSeparator ? 1 : 0) + (sizeof kSpillTemplate - 1);
    if (total + 1 > sizeof m_spillName)
        return false;
    std::memcpy(m_spillName, m_spillDir, dirLength);
    size_t at = dirLength;
    if (needSeparator)
        m_spillName[at++] = kDirSeparator;
    std::memcpy(m_spillName + at, kSpillTemplate, sizeof kSpillTemplate);
    return true;
}

// The text after a spill: the notice's head, the line that names the file
// between label and after, and its last line.
void COutputText::ShowNotice(const char* label, const char* after)
{
    m_text.Empty();
    m_text += kNoticeHead;
    m_text += label;
    m_text += m_spillName;
    m_text += after;
    m_text += "****\r\n";
}

// Moves the run's output to a new spill file. False when no file could be
// made; the caller then keeps going in memory.
bool COutputText::StartSpill(const char* text, size_t length)
{
    if (!BuildSpillName())
        return false;
    FILE* file = CreateUniqueFile(m_spillName);
    if (!file)
        return false;
    m_file = file;
    m_failed = false;
    m_used = 0;
    if (m_buffer.size() < kSpillBuffer)
        m_buffer.resize(kSpillBuffer);
    Write(m_text, static_cast<size_t>(m_text.GetLength()));
    ShowNotice("**** Results written to file: ", "\r\n**** Use Zodo to display this file\r\n");
    Write(text, length);
    return true;
}

void COutputText::Write(const char* data, size_t length)
{
    if (m_failed)
        return;
    if (m_used + length > m_buffer.size()) {
        if (m_used && !WriteBytes(m_file, m_buffer.data(), m_used))
            m_failed = true;
        m_used = 0;
        if (!m_failed && length > m_buffer.size() && !WriteBytes(m_file, data, length))
            m_failed = true;
        if (m_failed || length > m_buffer.size())
            return;
    }
    std::memcpy(m_buffer.data() + m_used, data, length);
    m_used += length;
}

void COutputText::Append(const char* text)
{
    if (text)
        Append(text, std::strlen(text));
}

void COutputText::Append(const char* text, size_t length)
{
    if (!text)
        return;
    if (m_file) {
        Write(text, length);
        return;
    }
    // Added up rather than subtracted from the cap: after a failed spill the
    // text may already be longer than the cap, and then every chunk must try
    // to spill again.
    size_t held = static_cast<size_t>(m_text.GetLength());
    if (held <= static_cast<size_t>(kCap) && length <= static_cast<size_t>(kCap) - held) {
        m_text.Append(text, static_cast<int>(length));
        return;
    }
    if (StartSpill(text, length))
        return;
    ToolMessage("Too much output - results truncated");
    m_text.Empty();
    m_text.Append(text, static_cast<int>(length));
}

// The spill file is short: the notice must not send the user to it as if
// it held everything.
void COutputText::WriteFailed()
{
    CString message("Cant write output file ");
    message += m_spillName;
    message += " - results incomplete";
    ToolMessage(message);
    ShowNotice("**** Cant write output file: ", "\r\n**** Results incomplete\r\n");
}

bool COutputText::CloseSpill()
{
    if (!m_file)
        return true;
    if (!m_failed && m_used && !WriteBytes(m_file, m_buffer.data(), m_used))
        m_failed = true;
    m_used = 0;
    if (!CloseStream(m_file))
        m_failed = true;
    m_file = nullptr;
    bool ok = !m_failed;
    m_failed = false;
    if (!ok)
        WriteFailed();
    return ok;
}

void COutputText::Reset()
{
    // A spill file left open by a run that did not finish is closed rather
    // than leaked.
    CloseSpill();
    m_text.Empty();
}

void LowercaseText(char* text)
{
    if (text)
        LowerBytes(text, std::strlen(text));
}

void ResetOutput()
{
    g_output.Reset();
}

bool CloseOutputSpill()
{
    return g_output.CloseSpill();
}
