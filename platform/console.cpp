#include "platform/console.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>

#include <csignal>
#endif

namespace tarvex::platform {

bool StandardInputIsTerminal() { return isatty(0) == 1; }
bool StandardErrorIsTerminal() { return isatty(2) == 1; }

void IgnoreBrokenPipes() {
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace tarvex::platform
