// Window class tests shared by discovery and the hook procedures.
#pragma once

#include <windows.h>

// Buffer size for class names and captions: at most 69 characters and the NUL.
constexpr int kNameBufferSize = 70;

// Fetches the class name of `wnd` and upper-cases it with the system's
// locale rules; returns its length, 0 when it cannot be fetched.
int FetchUpperClassName(HWND wnd, char (&buffer)[kNameBufferSize]);

// True when the class name of `wnd`, upper-cased, equals `upperLiteral`.
bool HasUpperClass(HWND wnd, const char* upperLiteral);
