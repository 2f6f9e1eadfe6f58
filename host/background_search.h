// Searches the catalog (nubex::Search) on a thread of its own, over a connection of its own, so
// that the window never waits for the database: a slow or unreachable server leaves it
// responsive. Only the latest request counts: texts asked for while a search runs are coalesced
// into one search of the newest, and the answer to a request that a newer one replaced is never
// delivered. Answers reach `delivered` on the receiver's thread.
#pragma once

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "nubex/search.h"

namespace mundor::host {

struct SearchAnswer {
    std::u16string text;
    std::vector<nubex::SearchHit> hits;
    std::u16string failure;  // not empty: the search failed, and this says why
};

class BackgroundSearch {
  public:
    using Delivered = std::function<void(const SearchAnswer&)>;

    // `catalog` is a location nubex::OpenCatalog takes (a file or a server); `receiver` must
    // outlive this object, and its thread calls `delivered`.
    BackgroundSearch(std::string catalog, int limit, QObject& receiver, Delivered delivered);
    ~BackgroundSearch();  // waits for a search under way
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    void Request(std::u16string text);
    // Whether the last request's answer has been delivered.
    bool Settled() const { return delivered_ == requested_; }

  private:
    struct Job {
        std::uint64_t number = 0;
        std::u16string text;
    };
    void Work();
    std::optional<Job> NextJob();
    void Deliver(std::uint64_t number, const SearchAnswer& answer);

    const std::string catalog_;
    const int limit_;
    QObject& receiver_;
    Delivered onAnswer_;
    std::uint64_t requested_ = 0;  // the receiver's thread only
    std::uint64_t delivered_ = 0;  // the receiver's thread only

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;  // guarded by mutex_
    bool stopping_ = false;       // guarded by mutex_
    std::thread worker_;          // last: it starts once everything above is ready
};

}  // namespace mundor::host
