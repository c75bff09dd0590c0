// Paths the host works out: its own program file and folder.
#pragma once

#include <windows.h>

// The running program's full path; false (and an empty string) if it does
// not fit in `size`.
bool ProgramPath(char* path, DWORD size);
// The folder of the running program, with a trailing backslash.
void ProgramDirectory(char* directory, DWORD size);
// Where the last path component of `path` starts: just after its last
// backslash or slash, or `path` itself when it has none.
char* FileNameOf(char* path);
