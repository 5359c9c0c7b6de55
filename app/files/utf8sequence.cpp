#include "utf8sequence.h"

int utf8SequenceLength(const unsigned char *data, int available)
{
    if (available < 1)
        return 0;
    const unsigned char lead = data[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    // The second byte's range narrows for the leads that could start an
    // overlong form, a surrogate or a code point past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (available < length || data[1] < low || data[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (data[i] < 0x80 || data[i] > 0xBF)
            return 0;
    }
    return length;
}
