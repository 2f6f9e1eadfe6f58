// The state or province record (Nubex.EdoProv). Its country is the Pais object IPais, made with
// it and the same on every read: a state is stored under whatever country IPais holds.
#pragma once

#include "nubex/com/pais_object.h"
#include "runtime/ref.h"

namespace nubex::com {

class EdoProvObject final : public RecordObject<EdoProvObject, nubex::EdoProv> {
  public:
    EdoProvObject();
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_IPais(nubex::Pais** result) override;

  private:
    explicit EdoProvObject(mundor::rt::Ref<PaisObject> country);

    mundor::rt::Ref<PaisObject> country_;
};

}  // namespace nubex::com
