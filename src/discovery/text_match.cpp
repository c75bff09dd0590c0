#include "text_match.h"

bool TextEquals(const char* text, int length, const char* literal) {
    int i = 0;
    for (; i < length; ++i) {
        if (literal[i] == '\0' || literal[i] != text[i]) return false;
    }
    return literal[i] == '\0';
}

bool TextContains(const char* text, int length, const char* literal) {
    int literalLength = 0;
    while (literal[literalLength] != '\0') ++literalLength;
    for (int start = 0; start + literalLength <= length; ++start) {
        int i = 0;
        while (i < literalLength && text[start + i] == literal[i]) ++i;
        if (i == literalLength) return true;
    }
    return false;
}
