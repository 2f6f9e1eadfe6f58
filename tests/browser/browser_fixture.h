// One host session: the headless toolkit installed on the test's thread, a real catalog, and a
// MundorFx created by ProgID and bound to that catalog.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "contracts/ui/window.h"
#include "runtime/com_types.h"
#include "runtime/ref.h"
#include "test_catalog.h"
#include "ui/headless/headless_toolkit.h"

namespace browser_test {

// The host's two ways of calling: through the typed interface, and by member name.
enum class HostCall { Typed, ByName };
void PrintTo(HostCall call, std::ostream* out);
std::string HostCallName(const ::testing::TestParamInfo<HostCall>& info);

class BrowserTest : public ::testing::Test {
  protected:
    explicit BrowserTest(Identifiers identifiers = Identifiers::Unique);

    // What the user does during the next showing of the browser window.
    mundor::ui::headless::ShowScript& OnBrowser();
    // A scripted step that writes the browser's tree, as it is at that moment, into `outline`
    // (with what is open and selected when `withState`: tree_outline.h).
    std::function<void(mundor::ui::Window&)> LookAtTree(std::vector<std::string>& outline,
                                                        bool withState = false);

    // ExplorerCountry through the typed interface, as a C++ host calls it (by name: the host's
    // ConsoleTest and RawClientTest).
    void ExplorerCountry();

    const mundor::ui::headless::Transcript& transcript() const { return toolkit_.transcript(); }
    std::vector<mundor::ui::headless::MessageBoxShown> MessageBoxes() const;

    mundor::ui::headless::HeadlessToolkit toolkit_;
    mundor::ui::ScopedThreadToolkit installed_{toolkit_};
    TestCatalog catalog_;
    mundor::rt::Ref<IDispatch> fx_;
};

// The keys of the browser's nodes for a stored record (a Stored or a Named row).
template <class Row>
std::u16string Sys(const Row& pais) {
    return u"Sys" + pais.guid;
}
template <class Row>
std::u16string Edo(const Row& edoProv) {
    return u"EDO" + edoProv.guid;
}
template <class Row>
std::u16string Cty(const Row& ciudad) {
    return u"CTY" + ciudad.guid;
}

// The text of the tree fill's message for an error.
std::u16string FillErrorText(LONG number, std::u16string_view description);

}  // namespace browser_test
