// The stored values of one country, state or city, as the record objects hold them.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/com_types.h"

namespace nubex::store {

struct Row {
    LONG pk = 0;  // 0: not stored
    std::u16string guid;
    LONG parentPk = 0;  // countries: always 0
    std::u16string codigo;
    std::u16string nombre;
    std::u16string codigoTel;  // states: always empty
    std::int64_t version = 0;  // the Sys_Version read with the row
};

}  // namespace nubex::store
