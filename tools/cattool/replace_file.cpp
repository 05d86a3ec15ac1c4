#include "tools/cattool/replace_file.h"

#include <cstdio>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Plain rename() on Windows refuses to replace an existing file.
bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error) {
    // Same directory, so the rename never crosses file systems.
    const std::string temporary = path + ".tmp" + std::to_string(ProcessId());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = "cannot create " + temporary;
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        error = "cannot write " + temporary;
        return false;
    }
    if (!RenameOver(temporary, path)) {
        std::remove(temporary.c_str());
        error = "cannot replace " + path;
        return false;
    }
    return true;
}
