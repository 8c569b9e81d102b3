// A file written under a temporary name beside its target and renamed over
// the target only once it is complete, so that a build tool never reads half
// of it and a failed run never replaces a good one.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace tobra {

class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile() { abandon(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool open(const std::string& target);
    // The stream to write to while the file is open.
    std::FILE* stream() const { return file_; }
    bool write(std::string_view text);
    // Flushes and closes the temporary file; false when any write failed.
    bool finish();
    // Renames the finished file over its target; false when that fails.
    bool commit();
    // Closes and removes the temporary file, if any.
    void abandon();

private:
    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

} // namespace tobra
