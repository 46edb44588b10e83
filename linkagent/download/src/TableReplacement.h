// A table file received piece by piece and swapped in whole: the pieces go
// to a temporary file (mode 0600) beside the target while their
// CRC-32/MPEG-2 is computed; commit() then hard-links the current target to
// "<target>.OLD" (through a temporary link renamed over the old .OLD) and
// renames the temporary over the target, flushing the file and the folder.
// At every moment the target name holds the whole old file or the whole new
// one. A replacement not committed removes its temporary.
//
// Thread-safety: one object per thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::linkagent::download {

class TableReplacement {
public:
    // `target`: native path; its folder is created when missing.
    explicit TableReplacement(std::string target);
    ~TableReplacement();
    TableReplacement(const TableReplacement&) = delete;
    TableReplacement& operator=(const TableReplacement&) = delete;

    // False when the temporary cannot be created.
    bool open();
    // False on a write error (the replacement is then abandoned).
    bool write(std::string_view piece);
    // Puts the new file in place; false (old file untouched) on failure.
    bool commit();
    // Removes the temporary.
    void abandon();

    std::uint32_t crc() const { return crc_; }
    long long bytes() const { return bytes_; }
    int lastError() const { return error_; }

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    std::uint32_t crc_;
    long long bytes_ = 0;
    long long flushedTo_ = 0;  // bytes whose write-back to disk has been started
    int error_ = 0;
};

}  // namespace vtx::linkagent::download
