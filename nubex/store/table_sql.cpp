#include "nubex/store/table_sql.h"

namespace nubex::store {

namespace {

std::string Name(std::string_view identifier) {
    return std::string(identifier);
}

// The columns of Row but Sys_Version, which a view does not show.
std::string ViewColumns(const TableInfo& table) {
    const std::string parent = table.HasParent() ? Name(table.parentColumn) : "0";
    const std::string codigoTel = table.hasCodigoTel ? "CodigoTel" : "''";
    return "Sys_PK, Sys_GUID, " + parent + ", Codigo, Nombre, " + codigoTel;
}

std::string RowColumns(const TableInfo& table) {
    return ViewColumns(table) + ", Sys_Version";
}

std::string InsertSql(const TableInfo& table) {
    std::string columns = "Sys_GUID, Codigo, Nombre";
    std::string values = "?1, ?2, ?3";
    if (table.hasCodigoTel) {
        columns += ", CodigoTel";
        values += ", ?4";
    }
    if (table.HasParent()) {
        columns += ", " + Name(table.parentColumn);
        values += ", ?5";
    }
    return "INSERT INTO " + Name(table.name) + " (" + columns + ") VALUES (" + values +
           ") RETURNING Sys_PK, Sys_Version";
}

std::string UpdateSql(const TableInfo& table) {
    std::string assignments = "Codigo = ?1, Nombre = ?2";
    if (table.hasCodigoTel) assignments += ", CodigoTel = ?3";
    if (table.HasParent()) assignments += ", " + Name(table.parentColumn) + " = ?4";
    return "UPDATE " + Name(table.name) + " SET " + assignments +
           ", Sys_Version = Sys_Version + 1 WHERE Sys_PK = ?5 AND Sys_Version = ?6 RETURNING "
           "Sys_Version";
}

std::string CodeTakenSql(const TableInfo& table) {
    std::string sql = "SELECT 1 FROM " + Name(table.name) +
                      " WHERE Codigo = ?1 AND Codigo <> '' AND Sys_PK <> ?2";
    if (table.HasParent()) sql += " AND " + Name(table.parentColumn) + " = ?3";
    return sql + " LIMIT 1";
}

std::string HasChildrenSql(const TableInfo& table) {
    if (!table.child) return {};
    return "SELECT 1 FROM " + Name(table.child->name) + " WHERE " +
           Name(table.child->parentColumn) + " = ?1 LIMIT 1";
}

TableSql Build(const TableInfo& table) {
    const std::string select = "SELECT " + RowColumns(table) + " FROM " + Name(table.name);
    TableSql sql;
    sql.selectByKey = select + " WHERE Sys_PK = ?1";
    sql.selectByGuid = select + " WHERE Sys_GUID = ?1";
    // Both engines know the collation nubex_es: SQLite's is registered on every connection,
    // PostgreSQL's is part of the catalog's schema.
    const std::string byName = " ORDER BY Nombre COLLATE nubex_es, Sys_PK";
    const std::string view = "SELECT " + ViewColumns(table) + " FROM " + Name(table.name);
    sql.selectChildren =
        (table.HasParent() ? view + " WHERE " + Name(table.parentColumn) + " = ?1" : view) + byName;
    sql.versionOf = "SELECT Sys_Version FROM " + Name(table.name) + " WHERE Sys_PK = ?1";
    sql.codeTaken = CodeTakenSql(table);
    sql.hasChildren = HasChildrenSql(table);
    sql.insert = InsertSql(table);
    sql.update = UpdateSql(table);
    sql.remove = "DELETE FROM " + Name(table.name) +
                 " WHERE Sys_PK = ?1 AND Sys_Version = ?2 RETURNING Sys_PK";
    return sql;
}

}  // namespace

const TableSql& SqlFor(const TableInfo& table) {
    static const TableSql pais = Build(kPaisTable);
    static const TableSql edoProv = Build(kEdoProvTable);
    static const TableSql ciudad = Build(kCiudadTable);
    if (&table == &kPaisTable) return pais;
    if (&table == &kEdoProvTable) return edoProv;
    return ciudad;
}

}  // namespace nubex::store
