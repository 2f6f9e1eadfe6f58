// mundor-example-host: the smallest host of the Mundor component. It opens a catalog, creates
// Mundor.MundorFx by its ProgID through the class registry, binds the catalog to it through the
// typed interface, adds a country and has the component delete it by calling DelPais_BySysPK
// by name. The component must be registered first (the Debian package does it; otherwise
// `mundor-regsvr <libdir>/libmundor.so.0.9`).
//
//   mundor-example-host [CATALOGO]      a SQLite file, or a private in-memory catalog
#include <mundor/facade/mundor_client.h>
#include <mundor/nubex/nubex.h>
#include <mundor/runtime/call_by_name.h>
#include <mundor/ui/headless/headless_toolkit.h>

#include <iostream>
#include <string>

namespace {

using namespace mundor;
using rt::CallType;

constexpr const char* kUsage =
    "Uso: mundor-example-host [CATALOGO]\n"
    "Crea Mundor.MundorFx por su ProgID, le da el catálogo (un archivo SQLite, o uno en memoria\n"
    "si no se indica) y le pide, por nombre, que elimine un país recién agregado.\n"
    "Salida: 0 listo; 1 algo falló.\n";

// Adds a country through the data-object library's own record, by name as a script would.
LONG AddCountry(const rt::Ref<nubex::Catalog>& catalog) {
    rt::Ref<IDispatch> pais = rt::CreateObject(u"Nubex.Pais");
    rt::CallByName(pais.get(), u"SetConnection", CallType::Method,
                   rt::CallByName(catalog.get(), u"ADOCnn", CallType::Get));
    rt::CallByName(pais.get(), u"Codigo", CallType::Let, u"ZZ");
    rt::CallByName(pais.get(), u"Nombre", CallType::Let, u"País de ejemplo");
    if (!rt::CallByName(pais.get(), u"SaveRecord", CallType::Method).AsBool()) {
        rt::Raise(rt::CallByName(pais.get(), u"ErrorCode", CallType::Get).AsLong(),
                  rt::CallByName(pais.get(), u"ErrorDescription", CallType::Get).AsString());
    }
    return rt::CallByName(pais.get(), u"Sys_PK", CallType::Get).AsLong();
}

int Run(const std::string& catalogPath) {
    // The linked data-object library serves its classes to this process; the component comes
    // from the registry.
    rt::ThrowIfFailed(nubex::RegisterInProcess());
    // The example starts its catalog when the file does not exist yet.
    rt::Ref<nubex::Catalog> catalog = nubex::OpenCatalog(catalogPath, {.create = true});

    rt::Ref<IDispatch> object = rt::CreateObject(u"Mundor.MundorFx");
    MundorClient fx(object.As<_MundorFx>());
    fx.SetDataObjects(catalog);
    std::cout << "Mundor.MundorFx creado por su ProgID y unido al catálogo " << catalogPath
              << ".\n";

    // Windows and message boxes would go to this thread's toolkit; none is expected here.
    ui::headless::HeadlessToolkit toolkit;
    ui::ScopedThreadToolkit installed(toolkit);
    rt::Variant key(AddCountry(catalog));
    const bool deleted =
        rt::CallByName(object.get(), u"DelPais_BySysPK", CallType::Method, key, rt::Variant(false))
            .AsBool();
    std::cout << "DelPais_BySysPK(" << key.AsLong()
              << ", Ask:=False), llamado por nombre: " << (deleted ? "True" : "False") << ".\n";
    return deleted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string argument = argc > 1 ? argv[1] : "";
    if (argument == "-h" || argument == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (argument == "-V" || argument == "--version") {
        std::cout << "mundor-example-host 1.0 (ejemplo de Mundor)\n";
        return 0;
    }
    try {
        return Run(argument.empty() ? ":memory:" : argument);
    } catch (const rt::RuntimeError& error) {
        std::cerr << "mundor-example-host: error " << error.number() << ": "
                  << rt::Utf16ToUtf8(error.description()) << "\n";
        return 1;
    }
}
