// The three levels of the catalog as the host offers them: the record class of each and the
// names of the component's members that serve it.
#pragma once

#include <array>
#include <string_view>

#include "contracts/data_objects.h"
#include "nubex/search.h"

namespace mundor::host {

enum class Level { kPais, kEdoProv, kCiudad };
inline constexpr std::array<Level, 3> kLevels{Level::kPais, Level::kEdoProv, Level::kCiudad};

struct LevelInfo {
    std::u16string_view title;       // as the window shows it, in Spanish
    std::u16string_view recordType;  // Pais, EdoProv, Ciudad
    const CLSID* recordClass;
    std::u16string_view launcher;       // dlgPais, ...
    std::u16string_view launcherByKey;  // dlgPais_BySysPK, ...
    std::u16string_view remover;        // DelPais, ...
    std::u16string_view removerByKey;   // DelPais_BySysPK, ...
    std::u16string_view parentKeyName;  // Fk, FkEstado; empty for a country
};

inline const LevelInfo& InfoOf(Level level) {
    static const std::array<LevelInfo, 3> infos{{
        {u"País", u"Pais", &nubex::CLSID_Pais, u"dlgPais", u"dlgPais_BySysPK", u"DelPais",
         u"DelPais_BySysPK", u""},
        {u"Estado o provincia", u"EdoProv", &nubex::CLSID_EdoProv, u"dlgEdoProv",
         u"dlgEdoProv_BySysPK", u"DelEdoProv", u"DelEdoProv_BySysPK", u"Fk"},
        {u"Ciudad", u"Ciudad", &nubex::CLSID_Ciudad, u"dlgCiudad", u"dlgCiudad_BySysPK",
         u"DelCiudad", u"DelCiudad_BySysPK", u"FkEstado"},
    }};
    return infos[static_cast<std::size_t>(level)];
}

// The same levels as the search names them.
inline Level LevelOf(nubex::PlaceLevel level) {
    switch (level) {
        case nubex::PlaceLevel::EdoProv:
            return Level::kEdoProv;
        case nubex::PlaceLevel::Ciudad:
            return Level::kCiudad;
        case nubex::PlaceLevel::Pais:
            break;
    }
    return Level::kPais;
}

inline nubex::PlaceLevel PlaceLevelOf(Level level) {
    switch (level) {
        case Level::kEdoProv:
            return nubex::PlaceLevel::EdoProv;
        case Level::kCiudad:
            return nubex::PlaceLevel::Ciudad;
        case Level::kPais:
            break;
    }
    return nubex::PlaceLevel::Pais;
}

}  // namespace mundor::host
