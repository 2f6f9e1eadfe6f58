#include "browser/level_members.h"

#include "contracts/data_objects.h"

namespace mundor::browser {

const LevelMembers& MembersOf(NodeLevel level) {
    static const LevelMembers country{kCountryPrefix, nubex::CLSID_Pais, u"dlgPais", u"DelPais",
                                      u""};
    static const LevelMembers state{kStatePrefix, nubex::CLSID_EdoProv, u"dlgEdoProv",
                                    u"DelEdoProv", u"IPais"};
    static const LevelMembers city{kCityPrefix, nubex::CLSID_Ciudad, u"dlgCiudad", u"DelCiudad",
                                   u"Estado"};
    switch (level) {
        case NodeLevel::Country:
            return country;
        case NodeLevel::State:
            return state;
        case NodeLevel::City:
            break;
    }
    return city;
}

}  // namespace mundor::browser
