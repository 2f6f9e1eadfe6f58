// The importer's failures: a number a program can test and a Spanish text a user can read.
#pragma once

#include <stdexcept>
#include <string>

namespace nubex::import {

// Numbers of the importer's errors. They stay fixed: hosts and scripts test them. They follow
// the data-object library's own numbers (nubex/errors.h) in a block of their own, 20050-20059.
enum class ImportErrc : int {
    kDatasetUnreadable = 20050,  // the dataset file is missing or cannot be read
    kDatasetCorrupt = 20051,     // truncated, damaged or not a world dataset
    kDatasetVersion = 20052,     // a format version this importer does not know
    kDatabase = 20053,           // the catalog cannot be opened, read or written
    kConflict = 20054,           // a row's code is taken by another row of the catalog
    kCancelled = 20055,          // the caller's progress callback asked to stop
    kNotConfirmed = 20056,       // overwriting the users' changes was not confirmed
};

class ImportError : public std::runtime_error {
  public:
    ImportError(ImportErrc code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    ImportErrc code() const { return code_; }
    int number() const { return static_cast<int>(code_); }

  private:
    ImportErrc code_;
};

}  // namespace nubex::import
