#include "output/staged_file.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tobra {

bool writes_through(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    return !ec && fs::exists(st) && !fs::is_regular_file(st) && !fs::is_directory(st);
}

namespace {

// Everything written to from, from its start, onto the end of to.
bool copy_from_start(std::FILE* from, std::FILE* to) {
    if (std::fflush(from) != 0 || std::fseek(from, 0, SEEK_SET) != 0) return false;
    bool ok = true;
    char block[1 << 15];
    size_t n;
    while (ok && (n = std::fread(block, 1, sizeof block, from)) > 0) ok = std::fwrite(block, 1, n, to) == n;
    return ok && !std::ferror(from) && std::fflush(to) == 0 && !std::ferror(to);
}

// Of descriptors 1 and 2, those open on the file path names (bits 0 and 1).
int standard_descriptors_of(const std::string& path, struct stat& info) {
    if (::stat(path.c_str(), &info) != 0) return 0;
    int mask = 0;
    for (int fd = 1; fd <= 2; ++fd) {
        struct stat open_on;
        if (::fstat(fd, &open_on) == 0 && open_on.st_dev == info.st_dev && open_on.st_ino == info.st_ino)
            mask |= 1 << (fd - 1);
    }
    return mask;
}

} // namespace

int standard_streams_holding(const std::string& path) {
    struct stat info;
    const int mask = standard_descriptors_of(path, info);
    return S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) ? mask : 0;
}

bool copy_into(std::FILE* from, const std::string& path) {
    if (std::fflush(from) != 0 || std::fseek(from, 0, SEEK_SET) != 0) return false;
    struct stat info;
    const int mask = standard_descriptors_of(path, info);
    const int shared = mask & 1 ? 1 : mask & 2 ? 2 : -1;
    std::FILE* to = nullptr;
    if (shared >= 0) {
        // What the run printed there so far stays, and comes first.
        std::fflush(shared == 1 ? stdout : stderr);
        const int fd = ::dup(shared);
        if (fd < 0) return false;
        to = ::fdopen(fd, "wb");
        if (!to) ::close(fd);
    } else {
        to = std::fopen(path.c_str(), "wb");
    }
    if (!to) return false;
    const bool ok = copy_from_start(from, to);
    return std::fclose(to) == 0 && ok;
}

bool writable_regular_file(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

bool remove_regular_file(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(fs::symlink_status(path, ec))) return false;
    return fs::remove(path, ec);
}

namespace {

// The directory a file of that name is made in, as a path to open.
std::string directory_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file under target's name with ".tmpN" added, N the first that is
// free: "x" never takes over an existing file (a name left by a killed run,
// or one another run is writing).
std::FILE* open_free_name(const std::string& target, std::string& name) {
    std::FILE* f = nullptr;
    for (int n = 0; n < 100 && !f; ++n) {
        name = target + ".tmp" + std::to_string(n);
        f = std::fopen(name.c_str(), "wbx");
    }
    if (!f) name.clear();
    return f;
}

} // namespace

std::FILE* FileBeside::open(const std::string& target) {
    abandon();
    target_ = target;
#ifdef O_TMPFILE
    // Readable too: where it cannot be linked in, its bytes are copied out.
    const int fd = ::open(directory_of(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        file_ = ::fdopen(fd, "w+b");
        if (file_) return file_;
        ::close(fd);
    }
#endif
    file_ = open_free_name(target, temp_);
    return file_;
}

// An unnamed file is linked in under a free temporary name (through /proc,
// or directly where the process may), to be renamed over the target; where
// neither works its bytes are copied into a named one.
bool FileBeside::name_it() {
    if (!temp_.empty()) return true;
    const int fd = fileno(file_);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int n = 0; n < 100; ++n) {
        std::string name = target_ + ".tmp" + std::to_string(n);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
#ifdef AT_EMPTY_PATH
            || ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0
#endif
        ) {
            temp_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) break;
    }
    std::FILE* const named = open_free_name(target_, temp_);
    if (!named) return false;
    struct stat info;
    if (::fstat(fd, &info) == 0) ::fchmod(fileno(named), info.st_mode & 07777);
    const bool copied = copy_from_start(file_, named);
    std::fclose(file_);
    file_ = named;
    return copied;
}

bool FileBeside::commit() {
    if (!file_) return false;
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_) && name_it();
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok && std::rename(temp_.c_str(), target_.c_str()) != 0) {
        // A sticky directory (/tmp) keeps a file of another user from being
        // renamed over, though it may be written: the bytes are copied in.
        ok = false;
        if ((errno == EPERM || errno == EACCES) && writable_regular_file(target_)) {
            if (std::FILE* from = std::fopen(temp_.c_str(), "rb")) {
                ok = copy_into(from, target_);
                std::fclose(from);
            }
        }
    } else if (ok) {
        temp_.clear();
    }
    abandon();  // the temporary name goes, unless it became the target's
    return ok;
}

void FileBeside::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

bool StagedFile::open(const std::string& target) {
    abandon();
    target_ = target;
    failed_ = false;
    through_ = writes_through(target);
    // Unnamed when written through: nothing to clean up whatever happens.
    file_ = through_ ? std::tmpfile() : beside_.open(target);
    if (!file_ && !through_ && writable_regular_file(target)) {
        through_ = true;
        file_ = std::tmpfile();
    }
    return file_ != nullptr;
}

bool StagedFile::write(std::string_view text) {
    if (!file_) return false;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
    return !failed_;
}

bool StagedFile::finish() {
    if (!file_) return false;
    if (std::fflush(file_) != 0 || std::ferror(file_)) failed_ = true;
    if (through_) held_ = file_;
    file_ = nullptr;
    return !failed_;
}

bool StagedFile::commit() {
    if (through_) {
        if (!held_ || failed_) return false;
        const bool ok = copy_into(held_, target_);
        std::fclose(held_);
        held_ = nullptr;
        return ok;
    }
    return !failed_ && beside_.commit();
}

void StagedFile::abandon() {
    if (file_ && through_) std::fclose(file_);  // else it is beside_'s
    file_ = nullptr;
    if (held_) {
        std::fclose(held_);
        held_ = nullptr;
    }
    beside_.abandon();
}

} // namespace tobra
