// A catalog being filled under a temporary name beside its final one. It takes the final name
// only when Commit says it is complete; otherwise the file and SQLite's side files (-wal, -shm,
// -journal) go when the object does, so a cancelled or failed fill leaves nothing behind.
#pragma once

#include <filesystem>

namespace mundor::host {

class PartialCatalogFile {
  public:
    // Reserves a fresh, empty file in the target's folder, which must exist. Raises
    // std::filesystem::filesystem_error when it cannot.
    explicit PartialCatalogFile(std::filesystem::path target);
    ~PartialCatalogFile();
    PartialCatalogFile(const PartialCatalogFile&) = delete;
    PartialCatalogFile& operator=(const PartialCatalogFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Gives the file its final name, unless a file has appeared there meanwhile (another
    // instance filled it first): then that one is kept and this one is dropped. Either way the
    // target is complete afterwards. Raises std::filesystem::filesystem_error on failure.
    void Commit();

  private:
    void RemoveLeftovers() const;

    std::filesystem::path target_;
    std::filesystem::path path_;
    bool committed_ = false;
};

}  // namespace mundor::host
