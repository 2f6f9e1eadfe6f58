#include "nubex/sqlite/fts5_search.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <memory>

#include "nubex/sqlite/sqlite_database.h"
#include "nubex/sqlite/sqlite_error.h"

namespace nubex::sqlite {

namespace {

// The tokenizer of the indexes, as search.sql declares it: a search must be split and folded
// exactly as the names were.
constexpr const char* kTokenizerName = "unicode61";
constexpr std::array<const char*, 2> kTokenizerArguments{"remove_diacritics", "2"};

fts5_api* Fts5Api(sqlite3* connection) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, "SELECT fts5(?1)", -1, &statement, nullptr) != SQLITE_OK) {
        throw db::DbError(db::Failure::Other, "SQLite no tiene FTS5");
    }
    sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (!api || api->iVersion < 2) throw db::DbError(db::Failure::Other, "SQLite no tiene FTS5");
    return api;
}

// nubex_entero(index): 1 when the query's last phrase covers a whole column of the row, from
// its first word to its last; 0 otherwise. A phrase that begins with ^ and matches at the first
// word covers the column when the column has as many words as the phrase.
void WholeColumnMatch(const Fts5ExtensionApi* api, Fts5Context* fts, sqlite3_context* result, int,
                      sqlite3_value**) {
    const int phrase = api->xPhraseCount(fts) - 1;
    const int words = api->xPhraseSize(fts, phrase);
    Fts5PhraseIter iterator;
    int column = -1;
    int offset = -1;
    int rc = api->xPhraseFirst(fts, phrase, &iterator, &column, &offset);
    for (; rc == SQLITE_OK && column >= 0; api->xPhraseNext(fts, &iterator, &column, &offset)) {
        if (offset != 0) continue;
        int columnWords = 0;
        rc = api->xColumnSize(fts, column, &columnWords);
        if (rc == SQLITE_OK && columnWords == words) return sqlite3_result_int(result, 1);
    }
    if (rc != SQLITE_OK) return sqlite3_result_error_code(result, rc);
    sqlite3_result_int(result, 0);
}

// A text in double quotes, a quote in it doubled: an FTS5 string, or an SQL identifier.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

// "a" + "b" + "c": the words one after another.
std::string Phrase(const std::vector<std::string>& words) {
    std::string phrase;
    for (const std::string& word : words) {
        if (!phrase.empty()) phrase += " + ";
        phrase += Quoted(word);
    }
    return phrase;
}

// "a" AND "b" AND "c"*: every word somewhere, the last one as a beginning.
std::string EveryWord(const std::vector<std::string>& words) {
    std::string query;
    for (const std::string& word : words) {
        if (!query.empty()) query += " AND ";
        query += Quoted(word);
    }
    return query + "*";
}

}  // namespace

struct Fts5Search::Tokenizer {
    fts5_tokenizer methods{};
    Fts5Tokenizer* instance = nullptr;

    ~Tokenizer() {
        if (instance) methods.xDelete(instance);
    }
};

Fts5Search::Fts5Search(sqlite3* connection) : tokenizer_(std::make_unique<Tokenizer>()) {
    fts5_api* api = Fts5Api(connection);
    void* context = nullptr;
    int rc = api->xFindTokenizer(api, kTokenizerName, &context, &tokenizer_->methods);
    if (rc == SQLITE_OK) {
        std::array<const char*, 2> arguments = kTokenizerArguments;  // FTS5 takes them unqualified
        rc = tokenizer_->methods.xCreate(context, arguments.data(),
                                         static_cast<int>(arguments.size()), &tokenizer_->instance);
    }
    if (rc == SQLITE_OK) {
        rc = api->xCreateFunction(api, "nubex_entero", nullptr, &WholeColumnMatch, nullptr);
    }
    if (rc != SQLITE_OK) ThrowDbError(connection, rc);
}

Fts5Search::~Fts5Search() = default;

std::vector<std::string> Fts5Search::Words(std::string_view text) const {
    std::vector<std::string> words;
    const auto collect = [](void* context, int, const char* token, int size, int, int) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(token,
                                                                      static_cast<size_t>(size));
        return SQLITE_OK;
    };
    const int rc =
        tokenizer_->methods.xTokenize(tokenizer_->instance, &words, FTS5_TOKENIZE_QUERY,
                                      text.data(), static_cast<int>(text.size()), collect);
    if (rc != SQLITE_OK) ThrowDbError(nullptr, rc);
    return words;
}

Fts5Rebuild::Fts5Rebuild(SqliteDatabase& database) : database_(database) {
    // search.sql names them <table>_Busqueda_Alta, _Baja and _Cambio.
    auto triggers = database_.Prepare(
        "SELECT name, tbl_name, sql FROM sqlite_schema WHERE type = 'trigger' AND tbl_name IN "
        "('Pais', 'EdoProv', 'Ciudad') AND substr(name, 1, length(tbl_name) + 10) = tbl_name || "
        "'_Busqueda_' ORDER BY tbl_name, name");
    std::vector<std::string> names;
    while (triggers->Step()) {
        names.push_back(triggers->TextUtf8(0));
        triggers_.push_back({triggers->TextUtf8(1), triggers->TextUtf8(2)});
    }
    triggers.reset();
    for (const std::string& name : names) {
        database_.Execute(("DROP TRIGGER " + Quoted(name)).c_str());
    }
}

void Fts5Rebuild::Finish() {
    std::vector<std::string> rebuilt;
    for (const Trigger& trigger : triggers_) {
        if (std::find(rebuilt.begin(), rebuilt.end(), trigger.table) == rebuilt.end()) {
            const std::string index = trigger.table + "_Busqueda";
            database_.Execute(
                ("INSERT INTO " + index + " (" + index + ") VALUES ('rebuild')").c_str());
            rebuilt.push_back(trigger.table);
        }
        database_.Execute(trigger.sql.c_str());
    }
}

db::SearchTerms Fts5Terms(const std::vector<std::string>& words) {
    if (words.empty()) return {};
    const std::string whole = "{Nombre Codigo} : ^" + Phrase(words);
    const std::string every = EveryWord(words);
    return {
        .exact = whole,
        // The exact phrase last, for nubex_entero to leave out the exact matches.
        .prefix = "{Nombre Codigo} : (^" + Phrase(words) + "* OR ^" + Phrase(words) + ")",
        .word = "(Nombre : (" + every + ") OR Codigo : (" + every + ")) NOT " + whole + "*",
    };
}

std::string Fts5Condition(std::string_view table, MatchKind kind) {
    const std::string index = std::string(table) + "_Busqueda";
    std::string condition = "Sys_PK IN (SELECT rowid FROM " + index + " WHERE " + index +
                            " MATCH ?" + std::to_string(static_cast<int>(kind));
    if (kind == MatchKind::Exact) condition += " AND nubex_entero(" + index + ")";
    if (kind == MatchKind::Prefix) condition += " AND NOT nubex_entero(" + index + ")";
    return condition + ")";
}

}  // namespace nubex::sqlite
