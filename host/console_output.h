// Text output of the command line, without the C run-time's stdio: lines go
// straight to the standard handles with WriteFile.
#pragma once

// printf-style (wsprintf's subset: %s %d %u %x %lx, widths); at most 1 KB a call.
void PrintOut(const char* format, ...);
void PrintError(const char* format, ...);
// Writes text as it is, of any length.
void WriteOut(const char* text);
// From now on errors appear in a message box: the program has no console.
void UseMessageBoxForErrors();
