#pragma once

// The length in bytes (1 to 4) of the well-formed UTF-8 sequence at the
// start of data, which holds `available` bytes; 0 when none starts there.
// Well-formed means no overlong forms, no surrogates and nothing beyond
// U+10FFFF.
int utf8SequenceLength(const unsigned char *data, int available);
