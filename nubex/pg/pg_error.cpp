#include "nubex/pg/pg_error.h"

#include <string_view>

namespace nubex::pg {

namespace {

std::string OneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    for (char& c : text) {
        if (c == '\n') c = ' ';
    }
    return text;
}

// SQLSTATE classes and codes, as PostgreSQL's manual lists them (Appendix A).
db::Failure ClassifyState(std::string_view state) {
    const std::string_view errorClass = state.substr(0, 2);
    if (errorClass == "08" || state == "57P01" || state == "57P02" || state == "57P03") {
        return db::Failure::ConnectionLost;  // connection exception; server shutting down
    }
    if (state == "55P03" || state == "40P01" || state == "40001") {
        return db::Failure::Busy;  // lock not available; deadlock; serialization failure
    }
    if (errorClass == "23") return db::Failure::Constraint;
    if (state == "22P05" || state == "22021") {
        return db::Failure::UnstorableText;  // untranslatable character; not in repertoire
    }
    return db::Failure::Other;
}

}  // namespace

db::Failure Classify(const PGresult* result, const PGconn* connection) {
    if (PQstatus(connection) == CONNECTION_BAD) return db::Failure::ConnectionLost;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    return state ? ClassifyState(state) : db::Failure::Other;
}

std::string MessageOf(const PGresult* result, const PGconn* connection) {
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (!primary) {
        const char* whole = result ? PQresultErrorMessage(result) : "";
        return OneLine(*whole ? whole : PQerrorMessage(connection));
    }
    std::string message = primary;
    if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL)) {
        message += std::string(" (") + detail + ")";
    }
    return OneLine(message);
}

}  // namespace nubex::pg
