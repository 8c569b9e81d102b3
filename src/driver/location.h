// Where a line of source is: a file of the run's file table and a line in it.
#pragma once
#include <cstdint>

namespace tobra {

// Two numbers, so that a location is as cheap to keep and compare as a line
// number. The file is an index into the driver's table of the files read this
// run (Driver::file_name); 0 is no file, before the first source and between
// the sources of the command line. Line 0 is no line.
struct SourceLocation {
    uint32_t file = 0;
    uint32_t line = 0;
    bool operator==(const SourceLocation&) const = default;
};

} // namespace tobra
