// Makes sure the catalog file exists before it is opened: a catalog that is not there yet is
// created and filled with the world dataset behind a progress dialog, under a temporary name
// that it takes only once complete.
#pragma once

#include <filesystem>
#include <string>

class QWidget;

namespace mundor::host {

struct CatalogPreparation {
    enum class Status { kReady, kCancelled, kFailed };
    Status status = Status::kFailed;
    bool created = false;    // this run made the file
    std::u16string problem;  // when not ready: what to tell the user
};

// `createFolder`: the catalog's folder may be created (the user's own data folder); a folder
// named on the command line must exist already.
CatalogPreparation PrepareCatalogFile(const std::filesystem::path& catalog,
                                      const std::filesystem::path& dataset, bool createFolder,
                                      QWidget* parent = nullptr);

}  // namespace mundor::host
