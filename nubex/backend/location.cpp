#include "nubex/backend/location.h"

#include <libpq-fe.h>

#include <cctype>
#include <map>
#include <memory>

namespace nubex::db {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// "host=..." and the like: a keyword of letters and underscores, then "=".
bool StartsWithKeyword(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < text.size() &&
           (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_')) {
        ++i;
    }
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i > start && i < text.size() && text[i] == '=';
}

struct OptionsFreer {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};
using Options = std::unique_ptr<PQconninfoOption, OptionsFreer>;

// The values the text sets, over libpq's defaults (its environment variables included).
std::map<std::string, std::string> Settings(const std::string& location, bool& valid) {
    std::map<std::string, std::string> settings;
    const Options defaults(PQconndefaults());
    for (auto* option = defaults.get(); option && option->keyword; ++option) {
        if (option->val) settings[option->keyword] = option->val;
    }
    char* error = nullptr;
    const Options given(PQconninfoParse(location.c_str(), &error));
    PQfreemem(error);
    valid = given != nullptr;
    for (auto* option = given.get(); option && option->keyword; ++option) {
        if (option->val && *option->val) settings[option->keyword] = option->val;
    }
    return settings;
}

// The schema a "-c search_path=..." in the options selects, if any.
std::string SchemaIn(const std::string& options) {
    const std::size_t at = options.find("search_path=");
    if (at == std::string::npos) return {};
    const std::size_t start = at + std::string_view("search_path=").size();
    const std::size_t end = options.find_first_of(" ,", start);
    return options.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string Value(const std::map<std::string, std::string>& settings, const char* keyword) {
    const auto found = settings.find(keyword);
    return found == settings.end() ? std::string() : found->second;
}

std::string DescribePostgres(const std::string& location) {
    bool valid = false;
    const auto settings = Settings(location, valid);
    if (!valid) return "PostgreSQL (cadena de conexión no válida)";
    std::string host = Value(settings, "host");
    if (host.empty()) host = Value(settings, "hostaddr");
    if (host.empty()) host = "socket local";
    const std::string user = Value(settings, "user");
    std::string text = "PostgreSQL " + (user.empty() ? "" : user + "@") + host;
    if (const std::string port = Value(settings, "port"); !port.empty()) text += ":" + port;
    text += "/" + Value(settings, "dbname");
    if (const std::string service = Value(settings, "service"); !service.empty()) {
        text += " (servicio " + service + ")";
    }
    if (const std::string schema = SchemaIn(Value(settings, "options")); !schema.empty()) {
        text += " (esquema " + schema + ")";
    }
    return text;
}

}  // namespace

Engine EngineOf(std::string_view location) {
    if (StartsWith(location, "postgresql://") || StartsWith(location, "postgres://")) {
        return Engine::Postgres;
    }
    return StartsWithKeyword(location) ? Engine::Postgres : Engine::Sqlite;
}

std::string Describe(std::string_view location) {
    if (EngineOf(location) == Engine::Sqlite) return std::string(location);
    return DescribePostgres(std::string(location));
}

}  // namespace nubex::db
