// Calls by name against the same call through the vtable, on a country record of the data-object
// library (a record's properties are what the component's dialogs and the browser read most).
//   BM_InvokeCachedId: IDispatch::Invoke with a DISPID the caller already holds, a property read.
//   BM_NamesThenInvoke: GetIDsOfNames for the name, then Invoke, as a late-bound caller does for
//     every call.
// Both read `Nombre` (a string: the result is a fresh BSTR, freed by the caller on both sides)
// and `Sys_PK` (a Long: no allocation anywhere, the harshest ratio). The floor is the typed
// property read through the record's vtable, on the same object.
#include <benchmark/benchmark.h>

#include <string>

#include "contracts/data_objects.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/ref.h"
#include "runtime/registry.h"
#include "support/beside_floor.h"

namespace {

namespace rt = mundor::rt;

// Calls per timed batch: one call is a few nanoseconds, far below the clock's resolution.
constexpr int kBatch = 1000;

enum class Property { Nombre, SysPk };

const char16_t* NameOf(Property property) {
    return property == Property::Nombre ? u"Nombre" : u"Sys_PK";
}

class Record {
  public:
    Record() {
        nubex::RegisterInProcess();
        pais_ = rt::CreateInstance<nubex::Pais>(nubex::CLSID_Pais);
        rt::BString name(u"Bosnia y Herzegovina");
        pais_->put_Nombre(name.slot());
        pais_->QueryInterface(uuidof<IDispatch>(), reinterpret_cast<void**>(&dispatch_));
    }
    ~Record() { dispatch_->Release(); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    // The typed read through the vtable: the floor.
    void ReadTyped(Property property) const {
        if (property == Property::SysPk) {
            LONG pk = 0;
            pais_->get_Sys_PK(&pk);
            benchmark::DoNotOptimize(pk);
            return;
        }
        BSTR name = nullptr;
        pais_->get_Nombre(&name);
        benchmark::DoNotOptimize(name);
        SysFreeString(name);
    }

    DISPID IdOf(Property property) const {
        LPOLESTR names[] = {const_cast<LPOLESTR>(NameOf(property))};
        DISPID id = DISPID_UNKNOWN;
        dispatch_->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
        return id;
    }

    void ReadById(DISPID id) const {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        VARIANT result;
        VariantInit(&result);
        dispatch_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
        benchmark::DoNotOptimize(result);
        VariantClear(&result);
    }

  private:
    rt::Ref<nubex::Pais> pais_;
    IDispatch* dispatch_ = nullptr;
};

Record& SharedRecord() {
    static Record record;
    return record;
}

template <class Call>
void Batch(Call&& call) {
    for (int i = 0; i < kBatch; ++i) call();
}

void BM_InvokeCachedId(benchmark::State& state) {
    const auto property = static_cast<Property>(state.range(0));
    Record& record = SharedRecord();
    const DISPID id = record.IdOf(property);
    mundor::bench::RunBesideFloor(
        state, [&] { Batch([&] { record.ReadById(id); }); },
        [&] { Batch([&] { record.ReadTyped(property); }); });
    state.SetLabel(std::string("goal <= 10; ") +
                   (property == Property::Nombre ? "Nombre" : "Sys_PK"));
}

void BM_NamesThenInvoke(benchmark::State& state) {
    const auto property = static_cast<Property>(state.range(0));
    Record& record = SharedRecord();
    mundor::bench::RunBesideFloor(
        state, [&] { Batch([&] { record.ReadById(record.IdOf(property)); }); },
        [&] { Batch([&] { record.ReadTyped(property); }); });
    state.SetLabel(std::string("goal <= 30; ") +
                   (property == Property::Nombre ? "Nombre" : "Sys_PK"));
}

BENCHMARK(BM_InvokeCachedId)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_NamesThenInvoke)->Arg(0)->Arg(1)->UseManualTime();

}  // namespace
