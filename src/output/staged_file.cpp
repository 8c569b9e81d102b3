#include "output/staged_file.h"

namespace tobra {

bool StagedFile::open(const std::string& target) {
    abandon();
    target_ = target;
    failed_ = false;
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
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool StagedFile::commit() {
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
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

} // namespace tobra
