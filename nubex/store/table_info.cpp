#include "nubex/store/table_info.h"

namespace nubex::store {

const TableInfo kPaisTable{
    "Pais",         "",      nullptr,
    &kEdoProvTable, true,    &err::kPaisDuplicateCode,
    nullptr,        nullptr, &err::kPaisHasDependents,
};

const TableInfo kEdoProvTable{
    "EdoProv",
    "IPais",
    &kPaisTable,
    &kCiudadTable,
    false,
    &err::kEdoProvDuplicateCode,
    &err::kEdoProvParentMissing,
    &err::kEdoProvParentUnknown,
    &err::kEdoProvHasDependents,
};

const TableInfo kCiudadTable{
    "Ciudad",
    "Estado",
    &kEdoProvTable,
    nullptr,
    true,
    &err::kCiudadDuplicateCode,
    &err::kCiudadParentMissing,
    &err::kCiudadParentUnknown,
    nullptr,
};

}  // namespace nubex::store
