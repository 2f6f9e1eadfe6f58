#include "nubex/store/db_errors.h"

#include <string>

#include "nubex/errors.h"
#include "runtime/bstr.h"
#include "runtime/error.h"

namespace nubex::store {

namespace {

[[noreturn]] void Raise(const err::ErrorText& error, const char* detail = "") {
    mundor::rt::Raise(error.number, std::u16string(error.text) + mundor::rt::Utf8ToUtf16(detail));
}

}  // namespace

void RaiseDbError(const db::DbError& error) {
    switch (error.failure()) {
        case db::Failure::Busy:
            Raise(err::kBusy);
        case db::Failure::UnstorableText:
            Raise(err::kUnstorableText);
        case db::Failure::FileGone:
            Raise(err::kCatalogFileGone);
        case db::Failure::ReadOnly:
            Raise(err::kReadOnlyCatalog);
        case db::Failure::ConnectionLost:
            Raise(err::kConnectionLost, error.what());
        default:
            Raise(err::kDatabaseError, error.what());
    }
}

}  // namespace nubex::store
