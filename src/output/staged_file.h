// A file written under a temporary name beside its target and renamed over
// the target only once it is complete, so that a build tool never reads half
// of it and a failed run never replaces a good one.
//
// Only a regular file is ever renamed over. A target that is a symbolic link,
// a device or a FIFO is written into, through the link, once the text is
// complete; until then the text waits in an unnamed temporary file.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace tobra {

// Whether path names something other than a regular file or a directory
// (a symbolic link, a device, a FIFO): written into, never replaced or removed.
bool writes_through(const std::string& path);
// Copies what was written to from (from its start) into the file path names,
// opened for writing as it is, through a link. A path that names the file
// standard output or standard error is open on (/dev/stdout with output
// redirected) is written through that descriptor: opened again, a regular
// file would be cut short and written over from its start. False when
// anything fails.
bool copy_into(std::FILE* from, const std::string& path);
// Whether path names the very file standard output (bit 0) or standard
// error (bit 1) is open on, where bytes written are kept (a regular file, a
// pipe, a socket; a terminal or /dev/null is not counted).
int standard_streams_holding(const std::string& path);
// Whether path names a regular file that is there and may be written: where
// nothing can be made beside it (its directory is not writable), its bytes
// wait in an unnamed file and are copied into it once the run succeeds.
bool writable_regular_file(const std::string& path);
// Removes path only if it is a regular file; false when it was not removed.
bool remove_regular_file(const std::string& path);

// A file made beside its target and given the target's name once complete.
// Where the file system allows, it has no name at all until then, so that a
// run killed on the way (an interrupt, a closed pipe, the memory killer)
// leaves nothing behind; elsewhere it is made under the target's name with
// ".tmpN" added.
class FileBeside {
public:
    FileBeside() = default;
    ~FileBeside() { abandon(); }
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    // The stream to write to; nullptr when no file could be made (errno says why).
    std::FILE* open(const std::string& target);
    std::FILE* stream() const { return file_; }
    // Flushes and closes the file and renames it over the target; false
    // when any of it fails (the file is then gone).
    bool commit();
    // Closes and removes the file, if any.
    void abandon();

private:
    bool name_it();
    std::string target_;
    std::string temp_;  // its name, once it has one
    std::FILE* file_ = nullptr;
};

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
    FileBeside beside_;
    std::FILE* file_ = nullptr;
    std::string target_;
    bool failed_ = false;
    bool through_ = false;  // the target is written into, not renamed over
    std::FILE* held_ = nullptr;  // through_: the finished text, kept open until commit
};

} // namespace tobra
