// Fuzzes what a user types into the search: any bytes, read as UTF-8 and as UTF-16, searched in a
// small catalog. The search must answer with hits or nothing, never an engine error (a text
// taken for FTS5 syntax would be one), and keep its order and limit. The same bytes, cut into
// words at spaces, must make FTS5 queries that FTS5 accepts however the words are quoted.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "nubex/nubex.h"
#include "nubex/search.h"
#include "nubex/sqlite/fts5_search.h"
#include "nubex/sqlite/schema.h"
#include "nubex/sqlite/spanish_collation.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/registry.h"

namespace {

using mundor::fuzz::Fail;

namespace rt = mundor::rt;

// Stores a new record of class `clsid` with code and name, under the record with key 1 that
// its property `parent` holds (none for a country).
void Store(const CLSID& clsid, const rt::Variant& cnn, const char16_t* parent,
           const char16_t* codigo, const char16_t* nombre) {
    rt::Ref<IDispatch> record = rt::CreateInstance<IDispatch>(clsid);
    rt::CallByName(record.get(), u"SetConnection", rt::CallType::Method, cnn);
    if (parent) {
        const rt::Variant owner = rt::CallByName(record.get(), parent, rt::CallType::Get);
        rt::CallByName(owner.AsDispatch().get(), u"LoadRecord", rt::CallType::Method, LONG{1}, u"",
                       rt::Variant::Nothing(), LONG{1});
    }
    rt::CallByName(record.get(), u"Codigo", rt::CallType::Let, codigo);
    rt::CallByName(record.get(), u"Nombre", rt::CallType::Let, nombre);
    if (!rt::CallByName(record.get(), u"SaveRecord", rt::CallType::Method).AsBool()) {
        Fail("store");
    }
}

// An in-memory catalog with accents and punctuation, a country, a state and its cities.
nubex::Catalog* SmallCatalog() {
    if (FAILED(nubex::RegisterInProcess())) Fail("register");
    rt::Ref<nubex::Catalog> catalog = nubex::OpenCatalog(":memory:");
    const rt::Variant cnn = rt::CallByName(catalog.get(), u"ADOCnn", rt::CallType::Get);
    Store(nubex::CLSID_Pais, cnn, nullptr, u"MX", u"México");
    Store(nubex::CLSID_EdoProv, cnn, u"IPais", u"JAL", u"O'Higgins \"Jalisco\" AND São*");
    Store(nubex::CLSID_Ciudad, cnn, u"Estado", u"GDL", u"Guadalajara de Buga — 'x' \\ -y");
    // Several cities, so that the search sorts (with the catalog's collation) and cuts.
    Store(nubex::CLSID_Ciudad, cnn, u"Estado", u"GPE", u"Guadalupe");
    Store(nubex::CLSID_Ciudad, cnn, u"Estado", u"NUN", u"Ñuñoa de Guadalajara");
    return catalog.Detach();
}

void SearchMustAnswer(nubex::Catalog* catalog, const std::u16string& text, int limit) {
    std::vector<nubex::SearchHit> hits;
    try {
        hits = nubex::Search(catalog, text, limit);
    } catch (const rt::RuntimeError& error) {
        Fail("the search failed: " + rt::Utf16ToUtf8(error.description()));
    }
    if (hits.size() > static_cast<std::size_t>(limit)) Fail("more hits than the limit");
    for (std::size_t i = 1; i < hits.size(); ++i) {
        const auto order = [](const nubex::SearchHit& hit) {
            return std::pair(static_cast<int>(hit.match), static_cast<int>(hit.level));
        };
        if (order(hits[i]) < order(hits[i - 1])) Fail("hits out of order");
    }
}

// A bare connection with the catalog's schema and what the search queries need.
struct Fts5Probe {
    sqlite3* db = nullptr;
    nubex::sqlite::Fts5Search* search = nullptr;

    Fts5Probe() {
        if (sqlite3_open(":memory:", &db) != SQLITE_OK) Fail("sqlite3_open");
        if (nubex::sqlite::RegisterSpanishCollation(db) != SQLITE_OK) Fail("nubex_es");
        search = new nubex::sqlite::Fts5Search(db);
        const std::string schema(nubex::sqlite::SchemaSql());
        if (sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            Fail(sqlite3_errmsg(db));
        }
    }

    void MustAccept(const std::string& query, nubex::MatchKind kind) {
        const std::string sql =
            "SELECT count(*) FROM Pais WHERE " + nubex::sqlite::Fts5Condition("Pais", kind);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            Fail(sqlite3_errmsg(db));
        }
        sqlite3_bind_text(statement, static_cast<int>(kind), query.data(),
                          static_cast<int>(query.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (rc != SQLITE_ROW) Fail("FTS5 refused " + query + ": " + sqlite3_errmsg(db));
    }
};

// Words as the tokenizer could never give them: any bytes but the space that separates them and
// the NUL that ends an FTS5 query.
std::vector<std::string> RawWords(const std::string& bytes) {
    std::vector<std::string> words(1);
    for (const char c : bytes) {
        if (c == ' ') {
            if (!words.back().empty()) words.emplace_back();
        } else if (c != '\0') {
            words.back() += c;
        }
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static nubex::Catalog* const catalog = SmallCatalog();
    static Fts5Probe probe;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const int limit = 1 + static_cast<int>(size % 7);

    SearchMustAnswer(catalog, rt::Utf8ToUtf16(bytes), limit);
    SearchMustAnswer(catalog, mundor::fuzz::Utf16Of(data, size), limit);

    const nubex::db::SearchTerms terms = nubex::sqlite::Fts5Terms(RawWords(bytes));
    if (terms.empty()) return 0;
    for (const auto kind :
         {nubex::MatchKind::Exact, nubex::MatchKind::Prefix, nubex::MatchKind::Word}) {
        probe.MustAccept(terms.For(kind), kind);
    }
    return 0;
}
