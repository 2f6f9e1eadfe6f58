#include "dialogs/dialog_form.h"

#include <string>

namespace mundor::dialogs {

namespace {

constexpr ui::Color kButtonFace{0x8000000F};
constexpr ui::Color kButtonBack{0x00D8E9EC};
constexpr ui::Color kBlack{0x00000000};
constexpr ui::Color kButtonMaskColor{0x00C0C0C0};

ui::Font DialogFont() {
    return ui::Font{.face = u"MS Sans Serif", .points = 8.25, .weight = 400};
}

ui::ControlDefinition Row(std::u16string_view name, ui::ControlKind kind, Place place,
                          LONG tabIndex, std::vector<ui::Setting> settings) {
    return {.name = std::u16string(name),
            .kind = kind,
            .index = ui::kNoIndex,
            .left = place.left,
            .top = place.top,
            .width = place.width,
            .height = place.height,
            .tabIndex = tabIndex,
            .settings = std::move(settings)};
}

}  // namespace

ui::ControlDefinition TextFieldRow(std::u16string_view name, std::u16string_view title, Place place,
                                   LONG tabIndex, std::vector<ui::Setting> extra) {
    std::vector<ui::Setting> settings = {
        {u"titleobject", title}, {u"caption", title}, {u"backcolor", kButtonFace},
        {u"font", DialogFont()}, {u"value", u""},
    };
    settings.insert(settings.end(), extra.begin(), extra.end());
    return Row(name, ui::ControlKind::TextField, place, tabIndex, std::move(settings));
}

ui::ControlDefinition ButtonRow(std::u16string_view name, std::u16string_view caption, Place place,
                                LONG tabIndex) {
    return Row(name, ui::ControlKind::Button, place, tabIndex,
               {{u"tx", caption},        {u"btype", LONG{3}},
                {u"enab", true},         {u"coltype", LONG{1}},
                {u"focusr", true},       {u"bcol", kButtonBack},
                {u"bcolo", kButtonBack}, {u"fcol", kBlack},
                {u"fcolo", kBlack},      {u"mcol", kButtonMaskColor},
                {u"mptr", LONG{1}},      {u"umcol", true},
                {u"soft", false},        {u"picpos", LONG{0}},
                {u"ngrey", false},       {u"fx", LONG{0}},
                {u"hand", false},        {u"check", false},
                {u"value", false},       {u"font", DialogFont()}});
}

ui::ControlDefinition BannerRow(std::u16string_view windowName, Place place, LONG tabIndex) {
    return Row(u"axMirel", ui::ControlKind::ModuleBanner, place, tabIndex,
               {{u"modulo", u"Form/" + std::u16string(windowName)}});
}

ui::FormDefinition DialogForm(std::u16string_view name, std::u16string_view caption,
                              LONG clientWidth, LONG clientHeight,
                              std::vector<ui::ControlDefinition> controls) {
    ui::FormDefinition form;
    form.name = name;
    form.caption = caption;
    form.clientWidth = clientWidth;
    form.clientHeight = clientHeight;
    form.window = {.maxButton = false,
                   .minButton = false,
                   .showInTaskbar = false,
                   .startUpPosition = ui::StartUpPosition::CenterOwner};
    form.controls = std::move(controls);
    return form;
}

}  // namespace mundor::dialogs
