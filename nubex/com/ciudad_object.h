// The city record (Nubex.Ciudad). Its state is the EdoProv object Estado, made with it and the
// same on every read: a city is stored under whatever state Estado holds.
#pragma once

#include "nubex/com/edoprov_object.h"
#include "runtime/ref.h"

namespace nubex::com {

class CiudadObject final : public RecordObject<CiudadObject, nubex::Ciudad> {
  public:
    CiudadObject();
    static const mundor::rt::DispatchTableBase& Table();

    HRESULT get_CodigoTel(BSTR* result) override;
    HRESULT put_CodigoTel(BSTR* value) override;
    HRESULT get_Estado(nubex::EdoProv** result) override;

  private:
    explicit CiudadObject(mundor::rt::Ref<EdoProvObject> state);

    mundor::rt::Ref<EdoProvObject> state_;
};

}  // namespace nubex::com
