// The lines of a dataset, one at a time, from whatever gives its bytes piece by piece (a gzip
// stream, bytes in memory): only what the lines read so far need is ever held, and no line may
// be longer than a bound, so a file without line ends cannot fill the memory.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nubex::import {

// Longer than any row a world dataset has (the longest shipped line has 75 characters).
inline constexpr std::size_t kMaxLineBytes = 4096;

// Raised by LineReader::Next for a line longer than kMaxLineBytes.
struct LineTooLong {};

class LineReader {
  public:
    // Puts up to `room` bytes into `into` and says how many; 0 at the end.
    using Fill = std::function<std::size_t(char* into, std::size_t room)>;
    explicit LineReader(Fill fill) : fill_(std::move(fill)) {}

    // The next line without its end ("\n", or "\r\n"); nothing at the end of the bytes. The
    // text stays valid until the next call.
    std::optional<std::string_view> Next();

  private:
    bool FillMore();

    Fill fill_;
    std::string buffer_;
    std::size_t start_ = 0;
    bool ended_ = false;
};

}  // namespace nubex::import
