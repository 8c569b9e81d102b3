// Code emission: location counters and section sizes in pass 1, the bytes of
// pass 2 routed to S-records, the binary image or the object file.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tobra {

class Assembler;

inline constexpr int RECORD_BYTES = 32;

struct PendingBuffer {
    uint8_t bytes[RECORD_BYTES] = {};
    int count = 0;
};

class Emitter {
public:
    explicit Emitter(Assembler& as) : as(as) {}

    void emit_byte(int32_t value);
    void emit_word(int32_t value);
    void emit_long(int32_t value);
    // Several bytes in one step (the words and longs above).
    void emit_bytes(const uint8_t* bytes, int n);
    // Copies count bytes of data (an incbin file) into the current section.
    void emit_block(const uint8_t* data, int32_t count);
    void flush_section();

    // Output file of pass 2.
    void open_output(const char* source_name);
    // The same under a name of the caller's choosing; never over a file this
    // run has read.
    void open_output_as(const std::string& name);
    void close_output();
    // Removes the output file (pass-2 errors, fatal errors).
    void discard_output();
    // Bytes of the output file, written to disk when it is closed.
    void write_out(const void* data, size_t size);
    // Binary image tail: data and basedata contents.
    void write_binary_tail();
    // Zeroes the pass-2 parts between the passes.
    void reset_for_pass2();

    static std::string output_name_for(const char* source_name);

    PendingBuffer pending[4];               // indexed by section: code, data, -, basedata
    std::vector<uint8_t> chunks[4];         // data and basedata contents (object/binary output)
    int32_t bss_size[5] = {};               // pass-2 sizes of bss and basebss
    int32_t pass2_size[5] = {};             // bytes of each section emitted in pass 2
    std::string output_name;
    std::string output_data;
    bool output_open = false;

private:
    void flush_buffer(int section);
    void write_pending();
    Assembler& as;
    std::FILE* output_file_ = nullptr;
    bool output_created_ = false;  // the file exists on disk and must go if the run fails
};

} // namespace tobra
