#include "nubex/store/table_spec.h"

namespace nubex::store {

const TableSpec kPaisTable{
    "Pais", "", nullptr, &kEdoProvTable, true, &err::kPaisDuplicateCode, nullptr, nullptr,
    &err::kPaisHasDependents,
};

const TableSpec kEdoProvTable{
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

const TableSpec kCiudadTable{
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
