// Fills a catalog file with the world dataset on a worker thread while a cancellable progress
// dialog shows how far it got. The importer writes everything in one transaction, so a cancelled
// or failed import leaves the file as it was.
#pragma once

#include <filesystem>
#include <string>

#include "nubex/import/world_loader.h"

class QWidget;

namespace mundor::host {

struct WorldImportResult {
    enum class Status { kDone, kCancelled, kFailed };
    Status status = Status::kFailed;
    nubex::import::ImportSummary summary;  // when done
    int errorNumber = 0;                   // when failed: the importer's number
    std::string message;                   // when failed: its text
};

// Returns once the import has ended, one way or the other; runs the event loop meanwhile.
WorldImportResult ImportWorldWithProgress(const std::filesystem::path& dataset,
                                          const std::filesystem::path& catalog,
                                          QWidget* parent = nullptr);

}  // namespace mundor::host
