// The statements of one table, written once from its TableInfo. Only the table's fixed table and
// column names go into the text; every value is a "?" parameter.
//
// Every row-reading statement yields the columns of Row in order: Sys_PK, Sys_GUID, parent key
// (0 for countries), Codigo, Nombre, CodigoTel ('' for states), Sys_Version; the views' statement
// all but Sys_Version.
#pragma once

#include <string>

#include "nubex/store/table_info.h"

namespace nubex::store {

struct TableSql {
    std::string selectByKey;     // ?1 Sys_PK
    std::string selectByGuid;    // ?1 Sys_GUID
    std::string selectChildren;  // ?1 parent key (countries: no parameter), in view order
    std::string versionOf;       // ?1 Sys_PK -> Sys_Version, when the row is there
    std::string codeTaken;       // ?1 Codigo, ?2 Sys_PK to leave out [, ?3 parent key]
    std::string hasChildren;     // ?1 Sys_PK -> one row when a child row refers to it
    std::string insert;          // ?1 Sys_GUID, ?2 Codigo, ?3 Nombre, ?4 CodigoTel, ?5 parent
                                 //   -> Sys_PK, Sys_Version
    std::string update;          // ?1 Codigo, ?2 Nombre, ?3 CodigoTel, ?4 parent, ?5 Sys_PK,
                                 //   ?6 Sys_Version read -> Sys_Version
    std::string remove;          // ?1 Sys_PK, ?2 Sys_Version read -> one row when deleted
};

const TableSql& SqlFor(const TableInfo& table);

}  // namespace nubex::store
