#pragma once

#include <QString>

// A resolution item such as "3840 * 2160", split at "*" into its two numbers
// (surrounding blanks ignored; a part that is no number reads as 0). False,
// with both numbers 0, when the text does not have exactly two parts.
bool splitResolution(const QString &text, int *width, int *height);
