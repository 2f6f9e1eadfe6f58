// The search (nubex/search.h) on PostgreSQL: the GIN indexes of search.sql over the lexemes that
// nubex_terminos(Nombre, Codigo) gives each row, asked with tsquery.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubex/backend/database.h"

namespace nubex::pg {

// The text as the indexes fold it: the SQL that returns its words, separated by single spaces,
// given the text as ?1.
inline constexpr std::string_view kFoldSql = "SELECT nubex_pliegue(?1)";

// tsquery texts for a search's words: every word must match in the name, or every word in the
// code, the last one as the beginning of a word; each query keeps to one kind of match.
db::SearchTerms TsQueryTerms(const std::vector<std::string>& words);

// The condition on a row for a kind of match, given that kind's tsquery text as the parameter
// of its number (db::Database::SearchCondition).
std::string TsQueryCondition(MatchKind kind);

}  // namespace nubex::pg
