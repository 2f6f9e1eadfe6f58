#include "nubex/import/line_reader.h"

namespace nubex::import {

namespace {

constexpr std::size_t kPiece = 64 * 1024;

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::string_view> LineReader::Next() {
    for (std::size_t searched = start_;;) {
        const std::size_t end = buffer_.find('\n', searched);
        if (end != std::string::npos) {
            if (end - start_ > kMaxLineBytes) throw LineTooLong{};
            const std::string_view line(buffer_.data() + start_, end - start_);
            start_ = end + 1;
            return WithoutCarriageReturn(line);
        }
        if (buffer_.size() - start_ > kMaxLineBytes) throw LineTooLong{};
        // Where the search stops now, counted from the unread bytes, which FillMore moves.
        const std::size_t unreadSearched = buffer_.size() - start_;
        if (FillMore()) {
            searched = unreadSearched;
            continue;
        }
        if (start_ == buffer_.size()) return std::nullopt;
        // The last line, without a line end.
        const std::string_view line(buffer_.data() + start_, buffer_.size() - start_);
        start_ = buffer_.size();
        return WithoutCarriageReturn(line);
    }
}

// Moves the unread bytes to the front and appends the next piece; false at the end.
bool LineReader::FillMore() {
    if (ended_) return false;
    buffer_.erase(0, start_);
    start_ = 0;
    const std::size_t kept = buffer_.size();
    buffer_.resize(kept + kPiece);
    const std::size_t got = fill_(buffer_.data() + kept, kPiece);
    buffer_.resize(kept + got);
    ended_ = got == 0;
    return !ended_;
}

}  // namespace nubex::import
