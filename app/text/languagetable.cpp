#include "languagetable.h"

#include "markupbudget.h"
#include "regularfile.h"
#include "utf8sequence.h"

#include <QDebug>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace
{
LanguageTable *g_table = nullptr;

// The shipped files hold about 5 KB each, 97 short texts. A thousand times
// that is still read in a blink, and leaves room for any script and for
// comments; anything larger is no language file.
constexpr qint64 MaxLanguageFileBytes = 4 * 1024 * 1024;

// Offset of the first byte that does not start a valid UTF-8 sequence, or
// the size when all of them are valid.
int validUtf8Length(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    int i = 0;
    while (i < bytes.size()) {
        const int length = utf8SequenceLength(data + i, bytes.size() - i);
        if (length == 0)
            return i;
        i += length;
    }
    return i;
}

// Qt's XML reader decodes a block at a time and gives up the whole block at
// a byte that is not UTF-8, losing the texts before it as well. A UTF-8 file
// is therefore cut at its first such byte: the reader then sees a document
// that breaks off there and keeps everything before it. Files in another
// encoding, declared or marked, are read as they are.
QByteArray readableDocument(QByteArray bytes)
{
    if (bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith(QByteArray("\0<", 2)) || bytes.startsWith(QByteArray("<\0", 2)))
        return bytes;
    static const QRegularExpression declared(
        QStringLiteral("^(?:\\xEF\\xBB\\xBF)?<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch match = declared.match(QString::fromLatin1(bytes.left(200)));
    if (match.hasMatch()) {
        const QString encoding = match.captured(1).toLower();
        if (encoding != QLatin1String("utf-8") && encoding != QLatin1String("utf8"))
            return bytes;
    }
    bytes.truncate(validUtf8Length(bytes));
    return bytes;
}
} // namespace

void loadLanguageTable(const QString &path)
{
    releaseLanguageTable();
    g_table = new LanguageTable;

    QByteArray bytes;
    QString reason;
    if (!RegularFile::read(path, MaxLanguageFileBytes, &bytes, &reason)) {
        if (RegularFile::kindOf(path) != RegularFile::Kind::Missing)
            qWarning().noquote()
                << QStringLiteral("The language file %1 was not read: %2.").arg(path, reason);
        return;
    }
    bytes = readableDocument(bytes);
    bytes.truncate(MarkupBudget::affordableLength(bytes));

    // The reader counts as at its end after any error, which is what stops the
    // loop early on a malformed file or on a "string" element with a child.
    QXmlStreamReader reader(bytes);
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == QLatin1String("string"))
            g_table->texts.append(
                reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
        reader.readNext();
    }
    reader.clear();
    g_table->count = g_table->texts.size();
}

QString languageText(int index)
{
    if (!g_table || index < 0 || index >= g_table->texts.size())
        return QString();
    return g_table->texts.at(index);
}

void releaseLanguageTable()
{
    if (!g_table)
        return;
    g_table->texts.clear();
    delete g_table;
    g_table = nullptr;
}

const LanguageTable *currentLanguageTable()
{
    return g_table;
}
