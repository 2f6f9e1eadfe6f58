#include "nubex/pg/pg_search.h"

namespace nubex::pg {

namespace {

// A lexeme as tsquery reads it: in single quotes, with quotes doubled and backslashes escaped.
// Folded words hold letters and digits only; the quoting keeps any other text a lexeme too.
std::string Lexeme(std::string_view marker, std::string_view text, bool prefix = false) {
    std::string quoted = "'";
    quoted += marker;
    for (const char c : text) {
        if (c == '\'' || c == '\\') quoted += c;
        quoted += c;
    }
    return quoted + (prefix ? "':*" : "'");
}

// Every word marked with `marker`, the last one as a beginning: 'a' & 'b' & 'c':*.
std::string EveryWord(const std::vector<std::string>& words, std::string_view marker) {
    std::string query;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) query += " & ";
        query += Lexeme(marker, words[i], i + 1 == words.size());
    }
    return query;
}

}  // namespace

db::SearchTerms TsQueryTerms(const std::vector<std::string>& words) {
    if (words.empty()) return {};
    std::string whole;
    for (const std::string& word : words) whole += (whole.empty() ? "" : " ") + word;
    // The markers of search.sql: '>' the whole name, '=' the whole code, '#' a word of the code.
    const std::string exactName = Lexeme(">", whole);
    const std::string exactCode = Lexeme("=", whole);
    const std::string nameStart = Lexeme(">", whole, true);
    const std::string codeStart = Lexeme("=", whole, true);
    return {
        .exact = exactName + " | " + exactCode,
        .prefix = "(" + nameStart + " | " + codeStart + ") & !" + exactName + " & !" + exactCode,
        .word = "((" + EveryWord(words, "") + ") | (" + EveryWord(words, "#") + ")) & !" +
                nameStart + " & !" + codeStart,
    };
}

std::string TsQueryCondition(MatchKind kind) {
    return "nubex_terminos(Nombre, Codigo) @@ CAST(?" + std::to_string(static_cast<int>(kind)) +
           " AS tsquery)";
}

}  // namespace nubex::pg
