// A window described as data: its name, caption, client size, window settings and one row per
// control with position, size, tab index and the control's stored settings. The component
// declares each of its windows once in this form, and any toolkit builds the window from it.
// Positions and sizes are in twips (1/1440 inch).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui {

// The index of a control that is not an element of a control array.
inline constexpr LONG kNoIndex = -1;

enum class ControlKind {
    TextField,     // the titled text field
    Button,        // the button; elements of a button array share one name
    ModuleBanner,  // the module-information banner
    Tree,          // the tree control
};

// Where a window opens, with the platform's numbering.
enum class StartUpPosition : LONG {
    Manual = 0,
    CenterOwner = 1,
    CenterScreen = 2,
};

struct WindowSettings {
    bool maxButton = false;
    bool minButton = false;
    bool showInTaskbar = false;
    StartUpPosition startUpPosition = StartUpPosition::CenterOwner;
    bool operator==(const WindowSettings&) const = default;
};

// An OLE colour: a plain 0x00BBGGRR value, or a system colour index when the high bit is set
// (0x8000000F is the button face).
struct Color {
    std::uint32_t value = 0;
    bool IsSystemColor() const { return (value & 0x80000000u) != 0; }
    bool operator==(const Color&) const = default;
};

struct Font {
    std::u16string face{};
    double points = 8.25;
    LONG weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const Font&) const = default;
};

using SettingValue = std::variant<bool, LONG, std::u16string, Color, Font>;

// One stored setting of a control, under the control's own property name (`titleobject`, `max`,
// `tx`, `modulo`, ...). The constructors keep a text literal from turning into a flag.
struct Setting {
    Setting(std::u16string_view settingName, const char16_t* text)
        : name(settingName), value(std::u16string(text)) {}
    Setting(std::u16string_view settingName, std::u16string_view text)
        : name(settingName), value(std::u16string(text)) {}
    Setting(std::u16string_view settingName, LONG number) : name(settingName), value(number) {}
    Setting(std::u16string_view settingName, bool flag) : name(settingName), value(flag) {}
    Setting(std::u16string_view settingName, Color color) : name(settingName), value(color) {}
    Setting(std::u16string_view settingName, Font font)
        : name(settingName), value(std::move(font)) {}

    std::u16string name;
    SettingValue value;
    bool operator==(const Setting&) const = default;
};

struct MUNDOR_API ControlDefinition {
    std::u16string name{};
    ControlKind kind = ControlKind::TextField;
    LONG index = kNoIndex;  // the element's index in a control array, or kNoIndex
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    LONG tabIndex = 0;
    std::vector<Setting> settings{};

    // The stored setting of that name (matched without regard to case), or null.
    const SettingValue* FindSetting(std::u16string_view settingName) const;

    // The setting as a value of type T; none when the control does not store it. A stored value
    // of another type raises the platform's type-mismatch error: the definition is wrong.
    template <class T>
    std::optional<T> SettingAs(std::u16string_view settingName) const {
        const SettingValue* found = FindSetting(settingName);
        if (!found) return std::nullopt;
        if (const T* typed = std::get_if<T>(found)) return *typed;
        RaiseSettingTypeMismatch(settingName);
    }

  private:
    [[noreturn]] void RaiseSettingTypeMismatch(std::u16string_view settingName) const;
};

struct MUNDOR_API FormDefinition {
    std::u16string name{};  // the window's name, e.g. "dlgPais"
    std::u16string caption{};
    LONG clientWidth = 0;
    LONG clientHeight = 0;
    WindowSettings window{};
    std::vector<ControlDefinition> controls{};  // listed in tab order

    // The control with that name (matched without regard to case) and array index, or null.
    const ControlDefinition* FindControl(std::u16string_view controlName,
                                         LONG index = kNoIndex) const;
    bool HasControlNamed(std::u16string_view controlName) const;
};

// Refuses a definition that a toolkit could not build faithfully: a form without a name, or two
// controls under the same name and index. Raises the platform's invalid-call error.
MUNDOR_API void CheckFormDefinition(const FormDefinition& form);

}  // namespace mundor::ui
