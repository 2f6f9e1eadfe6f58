// The search (nubex/search.h) on SQLite: the FTS5 indexes of search.sql asked in FTS5's query
// language. Each table's index <Table>_Busqueda holds the words of Nombre and Codigo.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubex/backend/database.h"

struct sqlite3;
struct Fts5Tokenizer;

namespace nubex::sqlite {

// What searching needs on one connection: the tokenizer the indexes use, to split a search
// into the words they hold, and the auxiliary function nubex_entero that tells an exact match.
class Fts5Search {
  public:
    // Raises db::DbError when the SQLite library has no FTS5.
    explicit Fts5Search(sqlite3* connection);
    ~Fts5Search();
    Fts5Search(const Fts5Search&) = delete;
    Fts5Search& operator=(const Fts5Search&) = delete;

    // The words of a UTF-8 text, folded as the indexes fold them.
    std::vector<std::string> Words(std::string_view text) const;

  private:
    struct Tokenizer;
    std::unique_ptr<Tokenizer> tokenizer_;
};

class SqliteDatabase;

// The indexes left behind by a bulk load and rebuilt at its end (db::DeferredSearchIndex): the
// triggers that keep them in step are dropped, and created again, as they were, by Finish.
class Fts5Rebuild final : public db::DeferredSearchIndex {
  public:
    explicit Fts5Rebuild(SqliteDatabase& database);
    void Finish() override;

  private:
    struct Trigger {
        std::string table;
        std::string sql;
    };
    SqliteDatabase& database_;
    std::vector<Trigger> triggers_;
};

// FTS5 queries for a search's words: every word must match in the name, or every word in the
// code, the last one as the beginning of a word; each query keeps to one kind of match.
db::SearchTerms Fts5Terms(const std::vector<std::string>& words);

// The condition on a row of `table` for a kind of match, given that kind's FTS5 query as the
// parameter of its number (db::Database::SearchCondition).
std::string Fts5Condition(std::string_view table, MatchKind kind);

}  // namespace nubex::sqlite
