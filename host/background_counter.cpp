#include "host/background_counter.h"

namespace mundor::host {

BackgroundCounter::BackgroundCounter(std::filesystem::path catalog, QObject& receiver, Shown shown)
    : catalog_(std::move(catalog)), receiver_(receiver), shown_(std::move(shown)) {}

BackgroundCounter::~BackgroundCounter() {
    if (worker_.joinable()) worker_.join();
}

void BackgroundCounter::Request() {
    if (running_) {
        again_ = true;
        return;
    }
    Start();
}

void BackgroundCounter::Start() {
    running_ = true;
    worker_ = std::thread([this] {
        const std::optional<CatalogCounts> counts = CountCatalog(catalog_);
        // Delivered on the receiver's thread; dropped if the receiver goes first.
        QMetaObject::invokeMethod(
            &receiver_, [this, counts] { Finished(counts); }, Qt::QueuedConnection);
    });
}

void BackgroundCounter::Finished(const std::optional<CatalogCounts>& counts) {
    worker_.join();
    running_ = false;
    if (again_) {
        again_ = false;
        Start();
        return;
    }
    shown_(counts);
}

}  // namespace mundor::host
