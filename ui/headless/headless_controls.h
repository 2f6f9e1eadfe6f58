// In-memory text field, button and module banner. They keep exactly what they are given and
// tell their window when they take the focus.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "contracts/ui/controls.h"
#include "contracts/ui/form_definition.h"
#include "contracts/ui/module_banner_base.h"
#include "ui/typing/typing_rules.h"

namespace mundor::ui::headless {

// The window side of a control: where a control reports that it took the focus.
class FocusTarget {
  public:
    virtual void MoveFocusTo(Control& control) = 0;

  protected:
    ~FocusTarget() = default;
};

class HeadlessTextField final : public TextField {
  public:
    HeadlessTextField(const ControlDefinition& definition, FocusTarget& window);

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { window_.MoveFocusTo(*this); }
    std::u16string Value() const override { return value_; }
    void SetValue(std::u16string_view text) override { value_ = text; }
    bool Editable() const override { return editable_; }
    void SetEditable(bool editable) override { editable_ = editable; }

    // What typing `text` over the field's whole text leaves in it, under the field's typing rules
    // (`max` and `ccase`). Code that sets the value is neither limited nor cased.
    std::u16string TypedText(std::u16string_view text) const;

  private:
    const ControlDefinition& definition_;
    FocusTarget& window_;
    TypingRules rules_;
    std::u16string value_;
    bool editable_ = true;
};

class HeadlessButton final : public Button {
  public:
    HeadlessButton(const ControlDefinition& definition, FocusTarget& window)
        : definition_(definition), window_(window) {}

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { window_.MoveFocusTo(*this); }
    std::u16string Caption() const override;

  private:
    const ControlDefinition& definition_;
    FocusTarget& window_;
};

class HeadlessModuleBanner final : public ModuleBannerBase {
  public:
    HeadlessModuleBanner(const ControlDefinition& definition, FocusTarget& window)
        : definition_(definition), window_(window) {}

    const ControlDefinition& Definition() const override { return definition_; }
    void SetFocus() override { window_.MoveFocusTo(*this); }

  private:
    const ControlDefinition& definition_;
    FocusTarget& window_;
};

// Builds the control a definition row describes.
std::unique_ptr<Control> MakeHeadlessControl(const ControlDefinition& definition,
                                             FocusTarget& window);

}  // namespace mundor::ui::headless
