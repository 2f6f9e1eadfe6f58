// The engine's failures (db::DbError) as the library reports them: its run-time errors
// (nubex/errors.h), with the engine's own message where it helps.
#pragma once

#include "nubex/backend/database.h"

namespace nubex::store {

[[noreturn]] void RaiseDbError(const db::DbError& error);

// Runs work and raises what the engine refused as the library's error.
template <class Work>
auto Translating(Work&& work) {
    try {
        return work();
    } catch (const db::DbError& error) {
        RaiseDbError(error);
    }
}

}  // namespace nubex::store
