// The search over the whole catalog, for hosts: countries, states and cities by name or code, as
// the user types, without regard to case or accents ("mexico" finds "México", "sao" finds
// "São Paulo"), each hit with the names of its state and country.
//
// The text is split into words at anything that is not a letter or a digit. A place matches
// when every word is a word of its name, the last one a word's beginning ("san jo" finds
// "San José del Cabo"), or the same holds for its code. Hits come in three kinds, in this order:
// the whole name or code is the text; the name or code begins with the text; the words are
// elsewhere in it. Within a kind countries come before states and states before cities, each
// level by name (the catalog's Spanish order) and then by key. Only the first 100 characters
// of the text count.
//
// Hosts reach the same search by name as the catalog's view V_Buscar(Texto [, Maximo]), with
// the fields Nivel, Coincidencia, Sys_PK, Sys_GUID, Nombre, Codigo, Ruta, IPais and Estado.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contracts/data_objects.h"
#include "nubex/export.h"

namespace nubex {

enum class PlaceLevel : LONG { Pais = 1, EdoProv = 2, Ciudad = 3 };

enum class MatchKind : LONG {
    Exact = 1,   // the whole name or code
    Prefix = 2,  // the name or code begins with the text
    Word = 3,    // the words are elsewhere in the name or code
};

inline constexpr int kDefaultSearchLimit = 50;

// What joins the names of a hit's path: "Guadalajara — Jalisco — México".
inline constexpr std::u16string_view kPathSeparator = u" — ";

struct SearchHit {
    PlaceLevel level = PlaceLevel::Pais;
    MatchKind match = MatchKind::Exact;
    LONG sysPk = 0;
    std::u16string sysGuid;
    std::u16string nombre;
    std::u16string codigo;
    LONG paisPk = 0;    // states and cities: their country; countries: 0
    LONG estadoPk = 0;  // cities: their state; otherwise 0
    // The names from the place up to its country: {"Guadalajara", "Jalisco", "México"}.
    std::vector<std::u16string> path;

    std::u16string PathText() const {
        std::u16string text;
        for (std::size_t i = 0; i < path.size(); ++i) {
            if (i > 0) text += kPathSeparator;
            text += path[i];
        }
        return text;
    }
};

// The first `limit` hits for `text` in an open catalog of this library (none for a limit below
// 1 or a text without words), read in one snapshot. Raises mundor::rt::RuntimeError
// (nubex/errors.h): the catalog is not open, the database failed, the connection was lost.
NUBEX_API std::vector<SearchHit> Search(Catalog* catalog, std::u16string_view text,
                                        int limit = kDefaultSearchLimit);

}  // namespace nubex
