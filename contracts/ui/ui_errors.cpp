#include "contracts/ui/ui_errors.h"

#include <string>

#include "runtime/error.h"
#include "runtime/text.h"

namespace mundor::ui::err {

namespace {

std::u16string Quoted(std::u16string_view text) {
    return u"'" + std::u16string(text) + u"'";
}

}  // namespace

void RaiseControlNotFound(std::u16string_view window, std::u16string_view control) {
    rt::Raise(kControlNotFound,
              u"No se encontró el control " + Quoted(control) + u" en " + Quoted(window));
}

void RaiseControlArrayElementMissing(std::u16string_view control, LONG index) {
    rt::Raise(kControlArrayElementMissing, u"El elemento " + rt::DecimalText(index) +
                                               u" de la matriz de controles " + Quoted(control) +
                                               u" no existe");
}

void RaiseWrongControlKind(std::u16string_view control) {
    rt::Raise(rt::err::kTypeMismatch,
              u"No coinciden los tipos: el control " + Quoted(control) + u" es de otra clase");
}

void RaiseObjectUnloaded(std::u16string_view window) {
    rt::Raise(kObjectUnloaded, u"Se descargó el objeto " + Quoted(window));
}

void RaiseAlreadyShownModal(std::u16string_view window) {
    rt::Raise(kAlreadyShownModal, u"El formulario " + Quoted(window) +
                                      u" ya se muestra; no se puede mostrar de forma modal");
}

void RaiseIndexOutOfBounds() {
    rt::Raise(kIndexOutOfBounds, u"El índice está fuera de los límites");
}

void RaiseElementNotFound() {
    rt::Raise(kElementNotFound, u"No se encontró el elemento");
}

void RaiseKeyNotUnique() {
    rt::Raise(kKeyNotUnique, u"La clave no es única en la colección");
}

void RaiseNodeRemoved() {
    rt::Raise(kNodeRemoved, u"Se ha eliminado el nodo del árbol");
}

void RaiseNoToolkit() {
    rt::Raise(kNoToolkit,
              u"No hay ningún juego de herramientas de interfaz instalado en este hilo");
}

void RaiseUnknownProperty(std::u16string_view property) {
    rt::Raise(rt::err::kMemberNotFound,
              rt::StandardDescription(rt::err::kMemberNotFound) + u": " + Quoted(property));
}

void RaiseInvalidCall(std::u16string_view why) {
    rt::Raise(rt::err::kInvalidCall,
              rt::StandardDescription(rt::err::kInvalidCall) + u": " + std::u16string(why));
}

}  // namespace mundor::ui::err
