#include "platform/read_fully.h"

#include <unistd.h>

#include <cerrno>

namespace tarvex::platform {

size_t ReadFully(int fd, uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, buffer + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

}  // namespace tarvex::platform
