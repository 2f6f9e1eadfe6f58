// A one-line progress bar for a terminal, redrawn in place on stderr.
#pragma once

#include <cstdint>
#include <cstdio>

namespace nubex::import {

class ProgressBar {
  public:
    explicit ProgressBar(std::FILE* out) : out_(out) {}
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    ~ProgressBar() { Finish(); }

    // Redraws only when the shown percentage changes.
    void Update(std::int64_t done, std::int64_t total);
    // Ends the bar's line, so that what follows starts on a line of its own.
    void Finish();

  private:
    std::FILE* out_;
    int shownPercent_ = -1;
};

}  // namespace nubex::import
