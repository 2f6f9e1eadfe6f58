#include "browser_fixture.h"

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "runtime/text.h"
#include "tree_outline.h"

namespace browser_test {

namespace rt = mundor::rt;
namespace ui = mundor::ui;
namespace headless = mundor::ui::headless;

BrowserTest::BrowserTest(Identifiers identifiers)
    : catalog_(identifiers), fx_(InstalledComponent::Get().NewMundorFx()) {
    mundor::MundorClient(fx_.As<mundor::_MundorFx>()).SetDataObjects(catalog_.catalog());
}

headless::ShowScript& BrowserTest::OnBrowser() {
    return toolkit_.user().OnShow(u"brwPaises");
}

std::function<void(ui::Window&)> BrowserTest::LookAtTree(std::vector<std::string>& outline,
                                                         bool withState) {
    return [&outline, withState](ui::Window& window) {
        outline = Outline(window.Get<ui::Tree>(u"tvwPaises"), withState);
    };
}

void PrintTo(HostCall call, std::ostream* out) {
    *out << (call == HostCall::Typed ? "typed" : "by name");
}

std::string HostCallName(const ::testing::TestParamInfo<HostCall>& info) {
    return info.param == HostCall::Typed ? "Typed" : "ByName";
}

void BrowserTest::ExplorerCountry() {
    mundor::MundorClient(fx_.As<mundor::_MundorFx>()).ExplorerCountry();
}

std::vector<headless::MessageBoxShown> BrowserTest::MessageBoxes() const {
    return toolkit_.transcript().Only<headless::MessageBoxShown>();
}

std::u16string FillErrorText(LONG number, std::u16string_view description) {
    return u"Error " + rt::DecimalText(number) + u" (" + std::u16string(description) +
           u") in procedure FillLvw of Módulo de clase clsMngProcs";
}

}  // namespace browser_test
