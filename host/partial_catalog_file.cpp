#include "host/partial_catalog_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace mundor::host {

namespace fs = std::filesystem;

namespace {

// A name no other file has, created empty with the permissions a new file normally gets.
fs::path ReserveUniqueFile(const fs::path& target) {
    std::random_device random;
    const std::string stem = "." + target.filename().string() + ".cargando-";
    for (int attempt = 0;; ++attempt) {
        const fs::path candidate = target.parent_path() / (stem + std::to_string(::getpid()) + "-" +
                                                           std::to_string(random() % 1000000));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        if (errno != EEXIST || attempt == 100) {
            throw fs::filesystem_error("no se pudo crear el archivo temporal del catálogo",
                                       candidate, std::error_code(errno, std::generic_category()));
        }
    }
}

}  // namespace

PartialCatalogFile::PartialCatalogFile(fs::path target)
    : target_(std::move(target)), path_(ReserveUniqueFile(target_)) {}

PartialCatalogFile::~PartialCatalogFile() {
    if (!committed_) RemoveLeftovers();
}

void PartialCatalogFile::Commit() {
    // RENAME_NOREPLACE: the first complete catalog wins, and nobody's open file is swapped.
    if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EEXIST) {
            throw fs::filesystem_error("no se pudo dar su nombre al catálogo", path_, target_,
                                       std::error_code(errno, std::generic_category()));
        }
        RemoveLeftovers();
    }
    committed_ = true;
}

void PartialCatalogFile::RemoveLeftovers() const {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        fs::remove(path_.string() + suffix, ignored);
    }
}

}  // namespace mundor::host
