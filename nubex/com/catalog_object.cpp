#include "nubex/com/catalog_object.h"

#include "nubex/backend/open_database.h"
#include "nubex/com/abi.h"
#include "nubex/com/module.h"
#include "nubex/com/search_rows.h"
#include "nubex/com/view_object.h"
#include "nubex/errors.h"
#include "nubex/nubex.h"
#include "nubex/store/place_search.h"
#include "nubex/store/record_store.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

nubex::View* NewView(const ConnectionObject& connection, const store::TableInfo& table,
                     LONG parentPk) {
    return rt::MakeObject<ViewObject>(ReadTableRows(*connection.database(), table, parentPk))
        .Detach();
}

}  // namespace

CatalogObject::CatalogObject() : DispatchObject(Module()) {}

const rt::DispatchTableBase& CatalogObject::Table() {
    using rt::Frame;
    using rt::MemberKind;
    static const rt::DispatchTable<CatalogObject> table{
        {u"ADOCnn",
         1,
         MemberKind::Get,
         {},
         VT_DISPATCH,
         [](CatalogObject& s, Frame& f) { return s.get_ADOCnn(f.RetObj<nubex::Connection>()); }},
        {u"V_Pais",
         2,
         MemberKind::Get,
         {},
         VT_DISPATCH,
         [](CatalogObject& s, Frame& f) { return s.V_Pais(f.RetObj<nubex::View>()); }},
        {u"V_EdoProv",
         3,
         MemberKind::Get,
         {rt::Long(u"Sys_PK")},
         VT_DISPATCH,
         [](CatalogObject& s, Frame& f) {
             return s.V_EdoProv(f.Long(0), f.RetObj<nubex::View>());
         }},
        {u"V_Ciudades",
         4,
         MemberKind::Get,
         {rt::Long(u"Sys_PK")},
         VT_DISPATCH,
         [](CatalogObject& s, Frame& f) {
             return s.V_Ciudades(f.Long(0), f.RetObj<nubex::View>());
         }},
        {u"Open",
         5,
         MemberKind::Method,
         {rt::Str(u"Path"), rt::OptLong(u"BusyTimeout", kDefaultBusyTimeoutMs),
          rt::OptBool(u"Create", false)},
         VT_EMPTY,
         [](CatalogObject& s, Frame& f) { return s.OpenByName(f.Str(0), f.Long(1), f.Bool(2)); }},
        {u"Close",
         6,
         MemberKind::Method,
         {},
         VT_EMPTY,
         [](CatalogObject& s, Frame&) { return s.CloseByName(); }},
        {u"V_Buscar",
         7,
         MemberKind::Get,
         {rt::Str(u"Texto"), rt::OptLong(u"Maximo", kDefaultSearchLimit)},
         VT_DISPATCH,
         [](CatalogObject& s, Frame& f) {
             return s.V_Buscar(f.Str(0), f.Long(1), f.RetObj<nubex::View>());
         }},
    };
    return table;
}

void CatalogObject::Open(const std::string& path, int busyTimeoutMs, bool create) {
    std::shared_ptr<db::Database> database = db::OpenDatabase(
        path, busyTimeoutMs, create ? db::Creation::kCreate : db::Creation::kExistingOnly);
    connection_ = rt::MakeObject<ConnectionObject>(std::move(database));
}

HRESULT CatalogObject::OpenByName(BSTR* path, LONG* busyTimeoutMs, VARIANT_BOOL* create) {
    if (!path || !busyTimeoutMs || !create) return E_POINTER;
    return rt::Guard(
        [&] { Open(rt::Utf16ToUtf8(TextOf(*path)), *busyTimeoutMs, *create != VARIANT_FALSE); });
}

HRESULT CatalogObject::CloseByName() {
    Close();
    return S_OK;
}

const ConnectionObject& CatalogObject::RequireOpen() const {
    if (!connection_) {
        rt::Raise(err::kCatalogNotOpen.number, std::u16string(err::kCatalogNotOpen.text));
    }
    return *connection_;
}

HRESULT CatalogObject::get_ADOCnn(nubex::Connection** result) {
    return Produce(result, [&]() -> nubex::Connection* {
        RequireOpen();
        return connection_.CopyOut();
    });
}

HRESULT CatalogObject::V_Pais(nubex::View** result) {
    return Produce(result, [&] { return NewView(RequireOpen(), store::kPaisTable, 0); });
}

HRESULT CatalogObject::V_EdoProv(LONG* sysPk, nubex::View** result) {
    if (!sysPk) return E_POINTER;
    return Produce(result, [&] { return NewView(RequireOpen(), store::kEdoProvTable, *sysPk); });
}

HRESULT CatalogObject::V_Ciudades(LONG* sysPk, nubex::View** result) {
    if (!sysPk) return E_POINTER;
    return Produce(result, [&] { return NewView(RequireOpen(), store::kCiudadTable, *sysPk); });
}

HRESULT CatalogObject::V_Buscar(BSTR* texto, LONG* maximo, nubex::View** result) {
    if (!texto || !maximo) return E_POINTER;
    return Produce(result, [&] {
        std::vector<SearchHit> hits =
            store::FindPlaces(*RequireOpen().database(), TextOf(*texto), *maximo);
        return rt::MakeObject<ViewObject>(SearchRows(std::move(hits))).Detach();
    });
}

}  // namespace nubex::com
