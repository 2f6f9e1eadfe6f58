// The country record (Nubex.Pais).
#pragma once

#include "nubex/com/record_object.h"

namespace nubex::com {

class PaisObject final : public RecordObject<PaisObject, nubex::Pais> {
  public:
    PaisObject();
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_CodigoTel(BSTR* result) override;
    HRESULT put_CodigoTel(BSTR* value) override;
};

}  // namespace nubex::com
