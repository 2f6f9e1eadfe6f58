// The search over the three tables (nubex/search.h), on either engine: the engine folds the text
// and finds the rows of one kind of match in one table through its text index; this asks for
// the kinds and the levels in the order of the results, in one statement that stops as soon as
// it has enough.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubex/backend/database.h"
#include "nubex/search.h"

namespace nubex::store {

// Only this many UTF-16 code units of a search count.
inline constexpr std::size_t kSearchTextUnits = 100;

// The search text as the engines get it: its first kSearchTextUnits code units, with a NUL or an
// unpaired surrogate (a pair the cut splits leaves one), which no engine holds as text, taken
// for a space between words.
std::u16string SearchableText(std::u16string_view text);

// The first `limit` hits, read in one statement (one snapshot). Raises the library's run-time
// errors.
std::vector<SearchHit> FindPlaces(db::Database& db, std::u16string_view text, int limit);

}  // namespace nubex::store
