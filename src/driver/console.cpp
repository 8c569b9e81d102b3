#include "driver/console.h"

#include <cerrno>
#include <cstdarg>

#include <fcntl.h>

namespace tobra {

void Console::print(const char* fmt, ...) {
    char small[512];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(small, sizeof small, fmt, ap);
    va_end(ap);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof small) {
        write(std::string_view(small, static_cast<size_t>(n)));
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, fmt);
    std::vsnprintf(big.data(), big.size(), fmt, ap);
    va_end(ap);
    big.resize(static_cast<size_t>(n));
    write(big);
}

void Console::flush() {
    if (!sink_ || buf_.empty()) return;
    wrote_ = true;
    errno = 0;
    const bool written = std::fwrite(buf_.data(), 1, buf_.size(), sink_) == buf_.size() && std::fflush(sink_) == 0;
    if (!written && !failed_) {
        failed_ = true;
        failure_ = errno;
    }
    buf_.clear();
}

bool Console::flush_and_check(bool more_to_come) {
    flush();
    if (failed_ || !sink_ || !more_to_come) return !failed_;
    const int flags = fcntl(fileno(sink_), F_GETFL);
    if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY) {
        failed_ = true;
        failure_ = EBADF;
    }
    return !failed_;
}

} // namespace tobra
