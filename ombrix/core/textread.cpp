#include "textread.h"

#include <cstring>

#include "bytescan.h"
#include "sysio.h"

namespace {
const size_t kBuffer = 1 << 16;
const unsigned char kTextEnd = 0x1a;
}

LineReader::LineReader(FILE* file, bool textMode) : m_file(file), m_text(textMode), m_buffer(kBuffer) {}

bool LineReader::Fill()
{
    if (m_ended)
        return false;
    m_bufferStart += static_cast<long long>(m_end);
    m_at = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    return m_end > 0;
}

void LineReader::Seek(long long position)
{
    m_ended = false;
    if (position >= m_bufferStart && position <= m_bufferStart + static_cast<long long>(m_end)) {
        m_at = static_cast<size_t>(position - m_bufferStart);
        return;
    }
    _fseeki64(m_file, position, SEEK_SET);
    m_bufferStart = position;
    m_at = m_end = 0;
}

bool LineReader::ReadLine(char* line, size_t size, size_t* length)
{
    size_t n = 0;
    const size_t limit = size - 1;
    while (n < limit && !m_ended) {
        if (m_at == m_end && !Fill())
            break;
        const unsigned char* data = m_buffer.data() + m_at;
        size_t span = m_end - m_at < limit - n ? m_end - m_at : limit - n;
        if (!m_text) {
            const char* start = reinterpret_cast<const char*>(data);
            const char* feed = ScanByte(start, start + span, '\n');
            size_t take = feed ? static_cast<size_t>(feed - start) + 1 : span;
            CopyBytes(line + n, start, take);
            n += take;
            m_at += take;
            if (feed)
                break;
            continue;
        }
        // Text mode: copy up to the first byte that needs a look.
        size_t plain = 0;
        while (plain < span && data[plain] != '\n' && data[plain] != '\r' && data[plain] != kTextEnd)
            ++plain;
        CopyBytes(line + n, reinterpret_cast<const char*>(data), plain);
        n += plain;
        m_at += plain;
        if (plain == span)
            continue;
        unsigned char c = data[plain];
        if (c == kTextEnd) {
            m_ended = true;
            break;
        }
        ++m_at;
        if (c == '\r' && (m_at < m_end || Fill()) && m_buffer[m_at] == '\n') {
            ++m_at;
            c = '\n';
        }
        line[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    line[n] = 0;
    *length = n;
    return n > 0;
}
