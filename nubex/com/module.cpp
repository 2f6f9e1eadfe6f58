#include "nubex/com/module.h"

#include "contracts/data_objects.h"
#include "nubex/com/catalog_object.h"
#include "nubex/com/ciudad_object.h"
#include "nubex/com/edoprov_object.h"
#include "nubex/com/pais_object.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

rt::ModuleLifetime gModule;

constexpr rt::ClassDescriptor kClasses[] = {
    {CLSID_Catalog, kProgIdCatalog, "Catálogo de países, estados y ciudades",
     &rt::CreateInstanceOf<CatalogObject>},
    {CLSID_Pais, kProgIdPais, "País", &rt::CreateInstanceOf<PaisObject>},
    {CLSID_EdoProv, kProgIdEdoProv, "Estado o provincia", &rt::CreateInstanceOf<EdoProvObject>},
    {CLSID_Ciudad, kProgIdCiudad, "Ciudad", &rt::CreateInstanceOf<CiudadObject>},
};

const rt::ProjectDescriptor kProject{
    "Nubex", {LIBID_Nubex, "Nubex", kTypeLibMajor, kTypeLibMinor, 0}, kClasses, &gModule, &gModule,
};

// Tells the runtime the library is loaded for as long as it is.
struct LibraryPresence {
    LibraryPresence() { rt::AttachLibrary(kProject); }
    ~LibraryPresence() { rt::DetachLibrary(kProject); }
} gPresence;

}  // namespace

rt::ModuleLifetime& Module() {
    return gModule;
}
const rt::ProjectDescriptor& Project() {
    return kProject;
}

}  // namespace nubex::com
