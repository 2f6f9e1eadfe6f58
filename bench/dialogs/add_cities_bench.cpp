// Adding cities through the city dialog, end to end and headless: for each city a host calls
// dlgCiudad with an empty variable and the state's key, and the scripted user types the code,
// the name and the area code and presses OK. Beside it, the floor: the same cities stored
// directly through the data-object library, each a new record given the same fields and parent
// and stored with SaveRecord. The ratio is what the dialog machinery (window, fields,
// validation, copying, the launcher's steps) costs over the store itself.
//
// Arg 0 stores into an in-memory catalog, where the store is cheapest and the machinery shows
// most; Arg 1 into a catalog file, as hosts use it.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "contracts/ui/toolkit.h"
#include "facade/mundor_client.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/registry.h"
#include "support/beside_floor.h"
#include "support/scratch_dir.h"
#include "ui/headless/headless_toolkit.h"

extern "C" HRESULT DllRegisterServer();

namespace {

namespace bench = mundor::bench;
namespace rt = mundor::rt;
namespace ui = mundor::ui;

constexpr int kCities = 1'000;

struct City {
    std::u16string codigo;
    std::u16string nombre;
    std::u16string codigoTel;
};

City CityNumber(int n) {
    const std::u16string digits = rt::Utf8ToUtf16(std::to_string(n));
    return {u"C" + digits, u"Ciudad número " + digits, u"33"};
}

// A fresh catalog with one country and one state; the cities go under the state.
class StateCatalog {
  public:
    explicit StateCatalog(bool onFile) {
        catalog_ = nubex::OpenCatalog(onFile ? (dir_ / "catalogo.db").string() : ":memory:",
                                      {.create = true});
        rt::ThrowIfFailed(catalog_->get_ADOCnn(connection_.put()));
        auto pais = NewRecord<nubex::Pais>(nubex::CLSID_Pais);
        Store(*pais, u"GN", u"Generado");
        auto estado = NewRecord<nubex::EdoProv>(nubex::CLSID_EdoProv);
        rt::Ref<nubex::Pais> parent;
        rt::ThrowIfFailed(estado->get_IPais(parent.put()));
        LoadByKey(*parent, KeyOf(*pais));
        Store(*estado, u"ES", u"Estado");
        stateKey_ = KeyOf(*estado);
    }

    const rt::Ref<nubex::Catalog>& catalog() const { return catalog_; }
    LONG stateKey() const { return stateKey_; }

    // The floor's work for one city: a new record with its fields and parent, stored.
    void StoreDirectly(const City& city) {
        auto ciudad = NewRecord<nubex::Ciudad>(nubex::CLSID_Ciudad);
        rt::BString tel(city.codigoTel);
        rt::ThrowIfFailed(ciudad->put_CodigoTel(tel.slot()));
        rt::Ref<nubex::EdoProv> parent;
        rt::ThrowIfFailed(ciudad->get_Estado(parent.put()));
        LoadByKey(*parent, stateKey_);
        Store(*ciudad, city.codigo, city.nombre);
    }

  private:
    template <class Record>
    rt::Ref<Record> NewRecord(const CLSID& recordClass) {
        auto record = rt::CreateInstance<Record>(recordClass);
        rt::ThrowIfFailed(record->SetConnection(connection_.slot()));
        VARIANT_BOOL ignored = VARIANT_FALSE;
        rt::ThrowIfFailed(record->NewRecord(&ignored));
        return record;
    }
    static void Store(nubex::DataRecord& record, std::u16string_view codigo,
                      std::u16string_view nombre) {
        rt::BString code(codigo);
        rt::BString name(nombre);
        rt::ThrowIfFailed(record.put_Codigo(code.slot()));
        rt::ThrowIfFailed(record.put_Nombre(name.slot()));
        VARIANT_BOOL saved = VARIANT_FALSE;
        rt::ThrowIfFailed(record.SaveRecord(&saved));
        if (!saved) throw std::runtime_error("a city was refused");
    }
    static void LoadByKey(nubex::DataRecord& record, LONG key) {
        rt::BString noGuid;
        rt::Ref<nubex::Connection> own;
        LONG mode = 1;
        VARIANT_BOOL loaded = VARIANT_FALSE;
        rt::ThrowIfFailed(record.LoadRecord(&key, noGuid.slot(), own.slot(), &mode, &loaded));
    }
    static LONG KeyOf(nubex::DataRecord& record) {
        LONG key = 0;
        rt::ThrowIfFailed(record.get_Sys_PK(&key));
        return key;
    }

    bench::ScratchDir dir_;
    rt::Ref<nubex::Catalog> catalog_;
    rt::Ref<nubex::Connection> connection_;
    LONG stateKey_ = 0;
};

mundor::MundorClient& Facade() {
    static bench::ScratchDir registryDir;
    static mundor::MundorClient fx = [] {
        rt::SetRegistryPath((registryDir / "registry.ini").string());
        rt::ThrowIfFailed(DllRegisterServer());
        rt::ThrowIfFailed(nubex::RegisterInProcess());
        return mundor::MundorClient::Create();
    }();
    return fx;
}

void BM_AddCitiesThroughTheDialog(benchmark::State& state) {
    const bool onFile = state.range(0) != 0;
    std::unique_ptr<StateCatalog> catalog;
    std::unique_ptr<ui::headless::HeadlessToolkit> toolkit;
    std::unique_ptr<ui::ScopedThreadToolkit> installed;
    mundor::MundorClient& fx = Facade();
    // Untimed, before each side: a fresh catalog, and the user's script for every city.
    const auto setUp = [&] {
        installed.reset();
        toolkit = std::make_unique<ui::headless::HeadlessToolkit>();
        installed = std::make_unique<ui::ScopedThreadToolkit>(*toolkit);
        catalog = std::make_unique<StateCatalog>(onFile);
        fx.SetDataObjects(catalog->catalog());
        for (int n = 0; n < kCities; ++n) {
            const City city = CityNumber(n);
            toolkit->user()
                .OnShow(u"dlgCiudad")
                .Type(u"ctrlCodigo", city.codigo)
                .Type(u"ctrlNombre", city.nombre)
                .Type(u"ctrlCodigoTel", city.codigoTel)
                .Click(u"cmdAceptar");
        }
    };
    const auto throughTheDialog = [&] {
        for (int n = 0; n < kCities; ++n) {
            rt::Ref<nubex::Ciudad> added;
            if (!fx.dlgCiudad(added, catalog->stateKey())) throw std::runtime_error("not saved");
        }
    };
    const auto directly = [&] {
        for (int n = 0; n < kCities; ++n) catalog->StoreDirectly(CityNumber(n));
    };
    bench::RunBesideFloor(state, setUp, throughTheDialog, directly);
    state.SetItemsProcessed(state.iterations() * kCities);
    installed.reset();
    fx.SetDataObjects({});
}

BENCHMARK(BM_AddCitiesThroughTheDialog)
    ->ArgName("archivo")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
