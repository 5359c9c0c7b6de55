#include "markupbudget.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace
{

bool startsWithAt(const QByteArray &bytes, int at, const char *text)
{
    const int length = int(std::strlen(text));
    return at + length <= bytes.size() && std::memcmp(bytes.constData() + at, text, length) == 0;
}

// The offset just past the first `end` at or after from, or the size.
int skipPast(const QByteArray &bytes, int from, const char *end)
{
    const int found = bytes.indexOf(end, from);
    return found < 0 ? bytes.size() : found + int(std::strlen(end));
}

// A reference at `at` to an entity the document declares: not one of the
// five every document knows, nor a character reference.
bool isDeclaredReference(const QByteArray &bytes, int at)
{
    static const char *const predefined[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
    if (at + 1 >= bytes.size() || bytes.at(at + 1) == '#')
        return false;
    return std::none_of(std::begin(predefined), std::end(predefined),
                        [&](const char *name) { return startsWithAt(bytes, at, name); });
}

// What one tag or declaration from its "<" holds, up to its ">" outside
// quotes. A document type ends at "[" as well, so the declarations of its
// internal subset are looked at one by one.
struct Markup {
    int end;
    int attributes = 0;
    int references = 0;
    int longestQuote = 0;
};

Markup scanMarkup(const QByteArray &bytes, int from)
{
    const bool doctype = startsWithAt(bytes, from, "<!DOCTYPE");
    Markup markup{bytes.size()};
    char quote = 0;
    int quoteStart = 0;
    for (int i = from + 1; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (quote) {
            if (c == quote) {
                quote = 0;
                markup.longestQuote = std::max(markup.longestQuote, i - quoteStart);
            } else if (c == '&' && isDeclaredReference(bytes, i)) {
                ++markup.references;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            quoteStart = i + 1;
        } else if (c == '=') {
            ++markup.attributes;
        } else if (c == '>' || (doctype && c == '[')) {
            markup.end = i + 1;
            break;
        }
    }
    return markup;
}

} // namespace

int MarkupBudget::affordableLength(const QByteArray &document)
{
    int references = 0;
    int i = 0;
    while (i < document.size()) {
        const char c = document.at(i);
        if (c == '&') {
            if (isDeclaredReference(document, i) && ++references > MaxEntityReferences)
                return i;
            ++i;
        } else if (c != '<') {
            ++i;
        } else if (startsWithAt(document, i, "<!--")) {
            i = skipPast(document, i + 4, "-->");
        } else if (startsWithAt(document, i, "<![CDATA[")) {
            i = skipPast(document, i + 9, "]]>");
        } else if (startsWithAt(document, i, "<?")) {
            i = skipPast(document, i + 2, "?>");
        } else {
            const Markup markup = scanMarkup(document, i);
            references += markup.references;
            const bool entity = startsWithAt(document, i, "<!ENTITY");
            if (markup.attributes > MaxAttributes || references > MaxEntityReferences ||
                (entity && markup.longestQuote > MaxEntityText))
                return i;
            i = markup.end;
        }
    }
    return document.size();
}
