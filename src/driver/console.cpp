#include "driver/console.h"

#include <cstdarg>

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
    if (std::fwrite(buf_.data(), 1, buf_.size(), sink_) != buf_.size()) failed_ = true;
    if (std::fflush(sink_) != 0) failed_ = true;
    buf_.clear();
}

} // namespace tobra
