#include "class_name.h"

#include "text_match.h"

int FetchUpperClassName(HWND wnd, char (&buffer)[kNameBufferSize]) {
    const int length = GetClassNameA(wnd, buffer, kNameBufferSize);
    if (length <= 0) return 0;
    CharUpperBuffA(buffer, static_cast<DWORD>(length));
    return length;
}

bool HasUpperClass(HWND wnd, const char* upperLiteral) {
    char name[kNameBufferSize];
    const int length = FetchUpperClassName(wnd, name);
    return length > 0 && TextEquals(name, length, upperLiteral);
}
