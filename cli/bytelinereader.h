#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Splits a byte stream into lines. LF, CR and CR LF each end a line, and any
// byte, NUL included, is part of a line. A line longer than the limit keeps
// only its first bytes; the rest is read and dropped, so a stream without
// line ends cannot exhaust memory. The device is read in blocks until a read
// returns nothing; a failed read ends the stream for good.
class ByteLineReader final
{
public:
    enum class Status { Line, End, Error };

    static constexpr int DefaultMaxLength = 1 << 20;

    explicit ByteLineReader(QIODevice *input, int maxLength = DefaultMaxLength);

    Status next();

    // Of the line last returned, without its line end.
    const QByteArray &line() const { return m_line; }
    // The line was longer than the limit and line() holds only its start.
    bool truncated() const { return m_truncated; }
    // A line end followed the line; only the last line of a stream can lack
    // one.
    bool terminated() const { return m_terminated; }
    // Every byte of the line, the dropped ones included, is white space.
    bool blank() const { return !m_nonBlank; }
    // Why the stream ended with Error.
    const QString &errorString() const { return m_errorString; }

private:
    bool refill();
    void take(const char *begin, int length);

    QIODevice *m_input;
    int m_maxLength;
    QByteArray m_buffer;
    int m_pos = 0;
    bool m_eof = false;
    bool m_failed = false;
    // The last line ended with CR: a LF right after it belongs to that end.
    bool m_skipLf = false;
    QByteArray m_line;
    bool m_truncated = false;
    bool m_terminated = false;
    bool m_nonBlank = false;
    QString m_errorString;
};
