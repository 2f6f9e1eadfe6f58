#include "nubex/store/table_sql.h"

namespace nubex::store {

namespace {

std::string Name(std::string_view identifier) { return std::string(identifier); }

std::string RowColumns(const TableSpec& spec) {
    const std::string parent = spec.HasParent() ? Name(spec.parentColumn) : "0";
    const std::string codigoTel = spec.hasCodigoTel ? "CodigoTel" : "''";
    return "Sys_PK, Sys_GUID, " + parent + ", Codigo, Nombre, " + codigoTel + ", Sys_Version";
}

std::string InsertSql(const TableSpec& spec) {
    std::string columns = "Sys_GUID, Codigo, Nombre";
    std::string values = "?1, ?2, ?3";
    if (spec.hasCodigoTel) {
        columns += ", CodigoTel";
        values += ", ?4";
    }
    if (spec.HasParent()) {
        columns += ", " + Name(spec.parentColumn);
        values += ", ?5";
    }
    return "INSERT INTO " + Name(spec.table) + " (" + columns + ") VALUES (" + values +
           ") RETURNING Sys_PK, Sys_Version";
}

std::string UpdateSql(const TableSpec& spec) {
    std::string assignments = "Codigo = ?1, Nombre = ?2";
    if (spec.hasCodigoTel) assignments += ", CodigoTel = ?3";
    if (spec.HasParent()) assignments += ", " + Name(spec.parentColumn) + " = ?4";
    return "UPDATE " + Name(spec.table) + " SET " + assignments +
           ", Sys_Version = Sys_Version + 1 WHERE Sys_PK = ?5 AND Sys_Version = ?6 RETURNING "
           "Sys_Version";
}

std::string CodeTakenSql(const TableSpec& spec) {
    std::string sql = "SELECT 1 FROM " + Name(spec.table) +
                      " WHERE Codigo = ?1 AND Codigo <> '' AND Sys_PK <> ?2";
    if (spec.HasParent()) sql += " AND " + Name(spec.parentColumn) + " = ?3";
    return sql + " LIMIT 1";
}

std::string HasChildrenSql(const TableSpec& spec) {
    if (!spec.child) return {};
    return "SELECT 1 FROM " + Name(spec.child->table) + " WHERE " +
           Name(spec.child->parentColumn) + " = ?1 LIMIT 1";
}

TableSql Build(const TableSpec& spec) {
    const std::string select = "SELECT " + RowColumns(spec) + " FROM " + Name(spec.table);
    TableSql sql;
    sql.selectByKey = select + " WHERE Sys_PK = ?1";
    sql.selectByGuid = select + " WHERE Sys_GUID = ?1";
    sql.selectChildren =
        spec.HasParent() ? select + " WHERE " + Name(spec.parentColumn) + " = ?1" : select;
    sql.exists = "SELECT 1 FROM " + Name(spec.table) + " WHERE Sys_PK = ?1";
    sql.codeTaken = CodeTakenSql(spec);
    sql.hasChildren = HasChildrenSql(spec);
    sql.insert = InsertSql(spec);
    sql.update = UpdateSql(spec);
    sql.remove = "DELETE FROM " + Name(spec.table) +
                 " WHERE Sys_PK = ?1 AND Sys_Version = ?2 RETURNING Sys_PK";
    return sql;
}

}  // namespace

const TableSql& SqlFor(const TableSpec& spec) {
    static const TableSql pais = Build(kPaisTable);
    static const TableSql edoProv = Build(kEdoProvTable);
    static const TableSql ciudad = Build(kCiudadTable);
    if (&spec == &kPaisTable) return pais;
    if (&spec == &kEdoProvTable) return edoProv;
    return ciudad;
}

}  // namespace nubex::store
