#include "nubex/import/progress_bar.h"

#include <string>

namespace nubex::import {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

void ProgressBar::Update(std::int64_t done, std::int64_t total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    const int filled = percent * kBarWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(out_, "\rImportando [%s] %3d%%  %lld/%lld filas", bar.c_str(), percent,
                 static_cast<long long>(done), static_cast<long long>(total));
    std::fflush(out_);
}

void ProgressBar::Finish() {
    if (shownPercent_ < 0) return;
    std::fputc('\n', out_);
    std::fflush(out_);
    shownPercent_ = -1;
}

}  // namespace nubex::import
