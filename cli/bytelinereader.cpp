#include "bytelinereader.h"

#include <QIODevice>

namespace
{

constexpr int BlockSize = 64 * 1024;

// The white space of QByteArray::trimmed(), which decides a blank line.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

ByteLineReader::ByteLineReader(QIODevice *input, int maxLength)
    : m_input(input), m_maxLength(maxLength)
{
}

ByteLineReader::Status ByteLineReader::next()
{
    m_line.clear();
    m_truncated = false;
    m_terminated = false;
    m_nonBlank = false;
    for (;;) {
        if (m_pos < m_buffer.size()) {
            const char *data = m_buffer.constData();
            if (m_skipLf) {
                m_skipLf = false;
                if (data[m_pos] == '\n') {
                    ++m_pos;
                    continue;
                }
            }
            const int size = m_buffer.size();
            int end = m_pos;
            while (end < size && data[end] != '\n' && data[end] != '\r')
                ++end;
            take(data + m_pos, end - m_pos);
            if (end < size) {
                m_skipLf = data[end] == '\r';
                m_pos = end + 1;
                m_terminated = true;
                return Status::Line;
            }
            m_pos = size;
        }
        if (m_failed)
            return Status::Error;
        if (m_eof)
            return m_line.isEmpty() && !m_truncated ? Status::End : Status::Line;
        if (!refill())
            return Status::Error;
    }
}

bool ByteLineReader::refill()
{
    m_buffer.resize(BlockSize);
    m_pos = 0;
    const qint64 got = m_input ? m_input->read(m_buffer.data(), BlockSize) : 0;
    if (got < 0) {
        m_buffer.clear();
        m_failed = true;
        m_errorString = m_input->errorString();
        return false;
    }
    m_buffer.resize(int(got));
    m_eof = got == 0;
    return true;
}

void ByteLineReader::take(const char *begin, int length)
{
    for (int i = 0; i < length && !m_nonBlank; ++i)
        m_nonBlank = !isSpace(begin[i]);
    const int room = m_maxLength - m_line.size();
    if (length > room) {
        m_truncated = true;
        length = room;
    }
    if (length > 0)
        m_line.append(begin, length);
}
