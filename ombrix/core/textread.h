// Line-by-line reading through one large buffer, giving the lines that the C
// runtime's fgets would give with a buffer of the same size: in text mode
// carriage return and line feed read as one line feed and Ctrl+Z ends the
// text; in binary mode the bytes are as they are. Positions are byte offsets
// of the file in both modes, so a place kept can be returned to exactly
// (the runtime's own text-mode positions cannot be trusted for that on
// files whose lines end in a line feed alone).
#ifndef OMBRIX_TEXTREAD_H
#define OMBRIX_TEXTREAD_H

#include <cstddef>
#include <cstdio>
#include <vector>

class LineReader {
public:
    // The file is opened in binary mode by the caller, who also closes it.
    LineReader(FILE* file, bool textMode);

    // Reads at most size - 1 characters, up to and including a line feed,
    // into line and ends them with a NUL; their number (NUL bytes of the
    // file included) in *length. False at the end of the input.
    bool ReadLine(char* line, size_t size, size_t* length);

    long long Tell() const { return m_bufferStart + static_cast<long long>(m_at); }
    void Seek(long long position);

private:
    bool Fill();

    FILE* m_file;
    bool m_text;
    std::vector<unsigned char> m_buffer;
    long long m_bufferStart = 0;   // file offset of m_buffer[0]
    size_t m_at = 0;
    size_t m_end = 0;
    bool m_ended = false;   // Ctrl+Z met in text mode
};

#endif
