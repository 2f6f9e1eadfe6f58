// The three kinds of record and how each is stored: its table, its parent link, its optional
// area-code column and the errors that name it.
#pragma once

#include <string_view>

#include "nubex/errors.h"

namespace nubex::store {

struct TableInfo {
    std::string_view name;          // "Pais"
    std::string_view parentColumn;  // "" for countries
    const TableInfo* parent;        // the table parentColumn refers to
    const TableInfo* child;         // the table whose rows depend on this one
    bool hasCodigoTel;
    const err::ErrorText* duplicateCode;
    const err::ErrorText* parentMissing;  // only with a parent
    const err::ErrorText* parentUnknown;  // only with a parent
    const err::ErrorText* hasDependents;  // only with a child

    bool HasParent() const { return parent != nullptr; }
};

extern const TableInfo kPaisTable;
extern const TableInfo kEdoProvTable;
extern const TableInfo kCiudadTable;

}  // namespace nubex::store
