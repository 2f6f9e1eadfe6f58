// The controls a window's logic works with: the titled text field, the button and the module
// banner (the tree is in tree.h). Each toolkit implements them; the logic sees only these.
#pragma once

#include <string>
#include <string_view>

#include "contracts/ui/form_definition.h"
#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui {

class MUNDOR_API Control {
  public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The row the control was built from: name, kind, index, layout and stored settings.
    virtual const ControlDefinition& Definition() const = 0;
    // Moves the keyboard focus to this control.
    virtual void SetFocus() = 0;

    const std::u16string& Name() const { return Definition().name; }
    ControlKind Kind() const { return Definition().kind; }
    LONG Index() const { return Definition().index; }
};

// The titled text field. Its text is kept exactly as given: no trimming, no case change.
class MUNDOR_API TextField : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::TextField;

    virtual std::u16string Value() const = 0;
    virtual void SetValue(std::u16string_view text) = 0;
    // Whether the user may type into it; a new field is editable.
    virtual bool Editable() const = 0;
    virtual void SetEditable(bool editable) = 0;
};

// The button. Its click reaches the window's logic through FormEvents::OnClick, with the
// element's index for a button array.
class MUNDOR_API Button : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::Button;

    // The caption (stored as `tx`); also the button's default property, read as text.
    virtual std::u16string Caption() const = 0;
};

// The module-information banner. Its run-time properties `Nombre`, `Ubicacion` and `Version` are
// set by name, as text; an unknown name raises the platform's "no such property" error (438).
class MUNDOR_API ModuleBanner : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::ModuleBanner;

    virtual void SetProperty(std::u16string_view property, std::u16string_view text) = 0;
    virtual std::u16string Property(std::u16string_view property) const = 0;
};

}  // namespace mundor::ui
