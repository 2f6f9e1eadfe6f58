// The members through the typed vtable of _MundorFx, by way of the client wrapper.
#include "host/fx_members.h"
#include "runtime/error.h"

namespace mundor::host {

namespace {

[[noreturn]] void RaiseUnknownLevel() {
    rt::Raise(rt::err::kInvalidCall, u"Nivel del catálogo desconocido.");
}

class TypedFxMembers final : public FxMembers {
  public:
    explicit TypedFxMembers(MundorClient fx) : fx_(std::move(fx)) {}

    rt::Variant GetLastErrorCode() override { return rt::Variant(fx_.LastErrorCode()); }
    void LetLastErrorCode(LONG value) override { fx_.SetLastErrorCode(value); }
    rt::Variant GetLastErrorDescrip() override {
        return rt::Variant(std::u16string_view(fx_.LastErrorDescrip()));
    }
    void LetLastErrorDescrip(const std::u16string& text) override { fx_.SetLastErrorDescrip(text); }
    rt::Variant GetDataObjects() override { return rt::Variant(fx_.DataObjects()); }
    void SetDataObjects(const rt::Ref<nubex::Catalog>& catalog) override {
        fx_.SetDataObjects(catalog);
    }
    void ExplorerCountry() override { fx_.ExplorerCountry(); }

    rt::Variant Launch(Level level, rt::Ref<IDispatch>& record, LONG parentKey) override {
        switch (level) {
            case Level::kPais:
                return WithRecord<nubex::Pais>(record, [&](auto& obj) { return fx_.dlgPais(obj); });
            case Level::kEdoProv:
                return WithRecord<nubex::EdoProv>(
                    record, [&](auto& obj) { return fx_.dlgEdoProv(obj, parentKey); });
            case Level::kCiudad:
                return WithRecord<nubex::Ciudad>(
                    record, [&](auto& obj) { return fx_.dlgCiudad(obj, parentKey); });
        }
        RaiseUnknownLevel();
    }

    rt::Variant LaunchByKey(Level level, LONG key) override {
        switch (level) {
            case Level::kPais:
                return fx_.dlgPais_BySysPK(key);
            case Level::kEdoProv:
                return fx_.dlgEdoProv_BySysPK(key);
            case Level::kCiudad:
                return fx_.dlgCiudad_BySysPK(key);
        }
        RaiseUnknownLevel();
    }

    rt::Variant Remove(Level level, rt::Ref<IDispatch>& record, bool ask) override {
        switch (level) {
            case Level::kPais:
                return WithRecord<nubex::Pais>(record,
                                               [&](auto& obj) { return fx_.DelPais(obj, ask); });
            case Level::kEdoProv:
                return WithRecord<nubex::EdoProv>(
                    record, [&](auto& obj) { return fx_.DelEdoProv(obj, ask); });
            case Level::kCiudad:
                return WithRecord<nubex::Ciudad>(
                    record, [&](auto& obj) { return fx_.DelCiudad(obj, ask); });
        }
        RaiseUnknownLevel();
    }

    rt::Variant RemoveByKey(Level level, LONG key, bool ask) override {
        switch (level) {
            case Level::kPais:
                return rt::Variant(fx_.DelPais_BySysPK(key, ask));
            case Level::kEdoProv:
                return rt::Variant(fx_.DelEdoProv_BySysPK(key, ask));
            case Level::kCiudad:
                return rt::Variant(fx_.DelCiudad_BySysPK(key, ask));
        }
        RaiseUnknownLevel();
    }

  private:
    // Hands the member the record as its level's interface and takes back what it leaves there.
    template <class Record, class Call>
    static rt::Variant WithRecord(rt::Ref<IDispatch>& record, Call&& call) {
        rt::Ref<Record> typed = record.template As<Record>();
        const bool result = call(typed);
        record = rt::Ref<IDispatch>(typed);
        return rt::Variant(result);
    }

    MundorClient fx_;
};

}  // namespace

std::unique_ptr<FxMembers> TypedMembers(MundorClient fx) {
    return std::make_unique<TypedFxMembers>(std::move(fx));
}

}  // namespace mundor::host
