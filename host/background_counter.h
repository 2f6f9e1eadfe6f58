// Counts a catalog's records off the user-interface thread, so that neither the window's first
// paint nor a call waits for the tables to be counted, and hands each result to `shown` on the
// receiver's thread. One count runs at a time; a request made during a count runs one more
// count after it, so the figures last shown are never older than the last request.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "host/catalog_counts.h"

namespace mundor::host {

class BackgroundCounter {
  public:
    using Shown = std::function<void(const std::optional<CatalogCounts>&)>;

    // `receiver` must outlive this object; its thread calls `shown`.
    BackgroundCounter(std::filesystem::path catalog, QObject& receiver, Shown shown);
    ~BackgroundCounter();  // waits for a count under way
    BackgroundCounter(const BackgroundCounter&) = delete;
    BackgroundCounter& operator=(const BackgroundCounter&) = delete;

    void Request();
    // Whether the figures shown answer the last request.
    bool Settled() const { return !running_; }

  private:
    void Start();
    void Finished(const std::optional<CatalogCounts>& counts);

    std::filesystem::path catalog_;
    QObject& receiver_;
    Shown shown_;
    std::thread worker_;
    bool running_ = false;
    bool again_ = false;
};

}  // namespace mundor::host
