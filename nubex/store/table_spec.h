// The three kinds of record and how each is stored: its table, its parent link, its optional
// area-code column and the errors that name it.
#pragma once

#include <string_view>

#include "nubex/errors.h"

namespace nubex::store {

struct TableSpec {
    std::string_view table;         // "Pais"
    std::string_view parentColumn;  // "" for countries
    const TableSpec* parent;        // the table parentColumn refers to
    const TableSpec* child;         // the table whose rows depend on this one
    bool hasCodigoTel;
    const err::ErrorText* duplicateCode;
    const err::ErrorText* parentMissing;  // only with a parent
    const err::ErrorText* parentUnknown;  // only with a parent
    const err::ErrorText* hasDependents;  // only with a child

    bool HasParent() const { return parent != nullptr; }
};

extern const TableSpec kPaisTable;
extern const TableSpec kEdoProvTable;
extern const TableSpec kCiudadTable;

}  // namespace nubex::store
