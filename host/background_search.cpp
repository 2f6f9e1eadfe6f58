#include "host/background_search.h"

#include <utility>

#include "host/value_text.h"
#include "nubex/nubex.h"
#include "runtime/error.h"

namespace mundor::host {

BackgroundSearch::BackgroundSearch(std::string catalog, int limit, QObject& receiver,
                                   Delivered delivered)
    : catalog_(std::move(catalog)),
      limit_(limit),
      receiver_(receiver),
      onAnswer_(std::move(delivered)),
      worker_([this] { Work(); }) {}

BackgroundSearch::~BackgroundSearch() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void BackgroundSearch::Request(std::u16string text) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = Job{++requested_, std::move(text)};
    }
    wake_.notify_one();
}

std::optional<BackgroundSearch::Job> BackgroundSearch::NextJob() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
    if (stopping_) return std::nullopt;
    return std::exchange(pending_, std::nullopt);
}

void BackgroundSearch::Work() {
    // The worker's own connection, opened with its first search and released by this thread.
    rt::Ref<nubex::Catalog> catalog;
    while (const std::optional<Job> job = NextJob()) {
        SearchAnswer answer{job->text, {}, {}};
        try {
            if (!catalog) catalog = nubex::OpenCatalog(catalog_);
            answer.hits = nubex::Search(catalog.get(), job->text, limit_);
        } catch (const rt::RuntimeError& error) {
            answer.failure = DescribeError(error);
        }
        // Delivered on the receiver's thread; dropped if the receiver goes first.
        QMetaObject::invokeMethod(
            &receiver_,
            [this, number = job->number, answer = std::move(answer)] { Deliver(number, answer); },
            Qt::QueuedConnection);
    }
}

void BackgroundSearch::Deliver(std::uint64_t number, const SearchAnswer& answer) {
    if (number != requested_) return;  // a newer request is on its way
    delivered_ = number;
    onAnswer_(answer);
}

}  // namespace mundor::host
