#include "output/staged_file.h"

#include <filesystem>

namespace tobra {

bool writes_through(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    return !ec && fs::exists(st) && !fs::is_regular_file(st) && !fs::is_directory(st);
}

bool copy_into(std::FILE* from, const std::string& path) {
    if (std::fflush(from) != 0 || std::fseek(from, 0, SEEK_SET) != 0) return false;
    std::FILE* to = std::fopen(path.c_str(), "wb");
    if (!to) return false;
    bool ok = true;
    char block[1 << 15];
    size_t n;
    while (ok && (n = std::fread(block, 1, sizeof block, from)) > 0) ok = std::fwrite(block, 1, n, to) == n;
    ok = ok && !std::ferror(from) && std::fflush(to) == 0 && !std::ferror(to);
    return std::fclose(to) == 0 && ok;
}

bool remove_regular_file(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(fs::symlink_status(path, ec))) return false;
    return fs::remove(path, ec);
}

bool StagedFile::open(const std::string& target) {
    abandon();
    target_ = target;
    failed_ = false;
    through_ = writes_through(target);
    if (through_) {
        // Unnamed: nothing to clean up whatever happens to the run.
        file_ = std::tmpfile();
        return file_ != nullptr;
    }
    // "x" never takes over an existing file: a name left by a killed run, or
    // one another run is writing, is passed over for the next.
    for (int n = 0; n < 100 && !file_; ++n) {
        temp_ = target + ".tmp" + std::to_string(n);
        file_ = std::fopen(temp_.c_str(), "wbx");
    }
    if (!file_) temp_.clear();
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
    if (through_) {
        held_ = file_;
    } else if (std::fclose(file_) != 0) {
        failed_ = true;
    }
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
    if (file_ || failed_ || temp_.empty()) return false;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    return true;
}

void StagedFile::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (held_) {
        std::fclose(held_);
        held_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

} // namespace tobra
