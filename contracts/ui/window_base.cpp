#include "contracts/ui/window_base.h"

#include <optional>
#include <utility>

#include "runtime/dispatch.h"
#include "runtime/log.h"

namespace mundor::ui {

namespace {

FormDefinition Checked(FormDefinition form) {
    CheckFormDefinition(form);
    return form;
}

void LogDropped(std::u16string_view doing, const rt::ErrorRecord& error) {
    rt::LogDroppedError("ui", doing, error.number, error.description);
}

}  // namespace

WindowBase::WindowBase(FormDefinition form, FormEvents& events)
    : form_(Checked(std::move(form))), events_(events) {}

WindowBase::~WindowBase() = default;

void WindowBase::ShowModal() {
    CheckToolkit();
    if (unloaded_) err::RaiseObjectUnloaded(form_.name);
    if (visible_) err::RaiseAlreadyShownModal(form_.name);
    LoadIfNeeded();
    // The owner may release its handle from inside a handler; the show keeps the window alive.
    const std::shared_ptr<WindowBase> keepAlive = shared_from_this();
    visible_ = true;
    RunModal();
}

void WindowBase::LoadIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    events_.OnLoad();
    if (unloaded_) err::RaiseObjectUnloaded(form_.name);
}

void WindowBase::Hide() {
    if (!visible_) return;
    visible_ = false;
    HideFromScreen();
}

void WindowBase::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    try {
        events_.OnUnload();
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    Hide();
    loaded_ = false;
    unloaded_ = true;
}

void WindowBase::UnloadQuietly() noexcept {
    try {
        Unload();
    } catch (...) {
        rt::ReportCurrentException();
        LogDropped(u"al descargar la ventana '" + form_.name + u"' al soltarla", rt::LastError());
    }
}

Control* WindowBase::FindControl(std::u16string_view name, LONG index) {
    for (const auto& control : controls_) {
        if (control->Index() == index && rt::SameMemberName(control->Name(), name)) {
            return control.get();
        }
    }
    return nullptr;
}

void WindowBase::AddControl(std::unique_ptr<Control> control) {
    controls_.push_back(std::move(control));
}

void WindowBase::RunHandler(const std::function<void()>& handler) {
    std::optional<rt::RuntimeError> escaped;
    try {
        handler();
        return;
    } catch (...) {
        PassOnToolkitFailure();
        escaped.emplace(rt::CurrentError());
    }
    HandlerErrorEscaped(*escaped);
    try {
        events_.OnEventError(*escaped);
    } catch (...) {
        PassOnToolkitFailure();
        rt::ReportCurrentException();
        LogDropped(u"en el manejo de errores de la ventana '" + form_.name + u"'", rt::LastError());
    }
}

}  // namespace mundor::ui
