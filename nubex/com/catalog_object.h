// The catalog (Nubex.Catalog): one open database, its connection ADOCnn, the three views and the
// search. Open, Close and the search's view V_Buscar are reached by name (and from C++); the rest
// is the Catalog interface.
#pragma once

#include <string>

#include "contracts/data_objects.h"
#include "nubex/com/connection_object.h"
#include "runtime/object.h"
#include "runtime/ref.h"

namespace nubex::com {

class CatalogObject final : public mundor::rt::DispatchObject<CatalogObject, nubex::Catalog> {
  public:
    CatalogObject();
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_ADOCnn(nubex::Connection** result) override;
    HRESULT V_Pais(nubex::View** result) override;
    HRESULT V_EdoProv(LONG* sysPk, nubex::View** result) override;
    HRESULT V_Ciudades(LONG* sysPk, nubex::View** result) override;

    // Opens a catalog (nubex/backend/location.h: a file, ":memory:" or a PostgreSQL database) in
    // place of the one open before; a new one only when `create` asks for it. Raises the
    // library's errors.
    void Open(const std::string& path, int busyTimeoutMs, bool create);
    void Close() { connection_.reset(); }
    // V_Buscar(Texto [, Maximo]): the hits of a search (nubex/search.h) as a view
    // (com/search_rows.h).
    HRESULT V_Buscar(BSTR* texto, LONG* maximo, nubex::View** result);

  private:
    HRESULT OpenByName(BSTR* path, LONG* busyTimeoutMs, VARIANT_BOOL* create);
    HRESULT CloseByName();
    const ConnectionObject& RequireOpen() const;

    mundor::rt::Ref<ConnectionObject> connection_;
};

}  // namespace nubex::com
