#include "contracts/ui/form_definition.h"

#include <set>
#include <utility>

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"

namespace mundor::ui {

const SettingValue* ControlDefinition::FindSetting(std::u16string_view settingName) const {
    for (const Setting& setting : settings) {
        if (rt::SameMemberName(setting.name, settingName)) return &setting.value;
    }
    return nullptr;
}

void ControlDefinition::RaiseSettingTypeMismatch(std::u16string_view settingName) const {
    rt::Raise(rt::err::kTypeMismatch, u"No coinciden los tipos: el valor guardado de '" +
                                          std::u16string(settingName) + u"' en '" + name +
                                          u"' es de otra clase");
}

const ControlDefinition* FormDefinition::FindControl(std::u16string_view controlName,
                                                     LONG index) const {
    for (const ControlDefinition& control : controls) {
        if (control.index == index && rt::SameMemberName(control.name, controlName)) {
            return &control;
        }
    }
    return nullptr;
}

bool FormDefinition::HasControlNamed(std::u16string_view controlName) const {
    for (const ControlDefinition& control : controls) {
        if (rt::SameMemberName(control.name, controlName)) return true;
    }
    return false;
}

void CheckFormDefinition(const FormDefinition& form) {
    if (form.name.empty()) err::RaiseInvalidCall(u"un formulario sin nombre");
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlDefinition& control = form.controls[i];
        if (control.name.empty()) {
            err::RaiseInvalidCall(u"el formulario '" + form.name +
                                  u"' tiene un control sin nombre");
        }
        if (form.FindControl(control.name, control.index) != &control) {
            err::RaiseInvalidCall(u"el formulario '" + form.name + u"' repite el control '" +
                                  control.name + u"'");
        }
    }
}

}  // namespace mundor::ui
