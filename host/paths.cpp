#include "paths.h"

bool ProgramPath(char* path, DWORD size) {
    const DWORD length = GetModuleFileNameA(nullptr, path, size);
    const bool fits = length > 0 && length < size;
    if (!fits) path[0] = '\0';
    return fits;
}

void ProgramDirectory(char* directory, DWORD size) {
    ProgramPath(directory, size);
    *FileNameOf(directory) = '\0';
}

char* FileNameOf(char* path) {
    char* name = path;
    for (char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return name;
}
