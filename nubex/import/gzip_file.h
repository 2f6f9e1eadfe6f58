// Reads a gzip-compressed file as a stream, a piece at a time, so that nothing more than what
// the reader asks for is ever decompressed. A plain, uncompressed file is read as it is.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

struct gzFile_s;

namespace nubex::import {

class GzipReader {
  public:
    // Raises ImportError kDatasetUnreadable when the file cannot be opened.
    explicit GzipReader(std::string path);
    ~GzipReader();
    GzipReader(const GzipReader&) = delete;
    GzipReader& operator=(const GzipReader&) = delete;

    // Up to `room` decompressed bytes into `into`; 0 at the end. Raises ImportError:
    // kDatasetUnreadable when the file cannot be read, kDatasetCorrupt when the compressed
    // stream is damaged or cut short.
    std::size_t Read(char* into, std::size_t room);

  private:
    [[noreturn]] void RaiseReadFailure();

    std::string path_;
    gzFile_s* file_;
};

}  // namespace nubex::import
