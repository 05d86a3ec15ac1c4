#include <cstdio>
#include <string>
#include <vector>

#include "tools/cattool/cattool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The dump is UTF-8 CSV with LF line ends, byte for byte as pack reads it.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string out, err;
    const int code = RunCattool(args, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
