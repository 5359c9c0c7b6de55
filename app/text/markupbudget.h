#pragma once

#include <QByteArray>

// Bounds the work an XML reader spends on a document of a given size. Qt's
// reader checks the attributes of a tag against each other, so one tag with
// 80,000 attributes takes it half a minute; and each reference to an entity
// declared in the document copies the entity's text again, so a small file
// can stand for gigabytes. A language file needs none of this: its elements
// carry an attribute or two and its texts are short.
class MarkupBudget final
{
public:
    // More than this many attributes in one tag is too many.
    static constexpr int MaxAttributes = 64;
    // More than this many references to entities the document declares
    // itself (not &amp; and the like, nor character references).
    static constexpr int MaxEntityReferences = 1024;
    // A declared entity's text longer than this.
    static constexpr int MaxEntityText = 1024;

    // The length of the longest beginning of document that stays within
    // the budget: the offset of the tag, the declaration or the reference
    // that goes beyond it, or the whole size. A reader given only that much
    // sees a document that breaks off there and keeps what came before.
    static int affordableLength(const QByteArray &document);
};
