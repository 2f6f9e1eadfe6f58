// Members whose windows are not part of the component yet: they answer with a clear run-time
// error instead of doing nothing.
#include "facade/mundor_fx.h"
#include "runtime/error.h"

namespace mundor {

namespace {
HRESULT NotYetAvailable(const char16_t* member) {
    return rt::ReportToCaller(rt::RuntimeError(
        rt::err::kNotYetAvailable,
        std::u16string(u"La operación ") + member + u" aún no está disponible en esta versión.",
        u"Mundor.MundorFx"));
}
}  // namespace

HRESULT MundorFx::dlgCiudad(nubex::Ciudad**, LONG*, VARIANT_BOOL*) {
    return NotYetAvailable(u"dlgCiudad");
}
HRESULT MundorFx::dlgCiudad_BySysPK(LONG*, VARIANT*) {
    return NotYetAvailable(u"dlgCiudad_BySysPK");
}
HRESULT MundorFx::dlgEdoProv(nubex::EdoProv**, LONG*, VARIANT_BOOL*) {
    return NotYetAvailable(u"dlgEdoProv");
}
HRESULT MundorFx::dlgEdoProv_BySysPK(LONG*, VARIANT*) {
    return NotYetAvailable(u"dlgEdoProv_BySysPK");
}
HRESULT MundorFx::dlgPais(nubex::Pais**, VARIANT_BOOL*) {
    return NotYetAvailable(u"dlgPais");
}
HRESULT MundorFx::dlgPais_BySysPK(LONG*, VARIANT*) {
    return NotYetAvailable(u"dlgPais_BySysPK");
}

}  // namespace mundor
