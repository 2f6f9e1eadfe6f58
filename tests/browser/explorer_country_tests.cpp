// ExplorerCountry as hosts see it: the browser window it shows, its banner, how it returns, and
// what reaches the user and the host when the catalog cannot be read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "facade/mundor_client.h"
#include "installed_component.h"
#include "nubex/errors.h"
#include "runtime/bstr.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "tree_outline.h"

namespace browser_test {
namespace {

namespace rt = mundor::rt;
namespace ui = mundor::ui;
namespace headless = mundor::ui::headless;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ExplorerCountryCall = BrowserTest;

// Each call shows a new browser with a fresh tree, and returns once the user has closed it (with
// its Cerrar button, or the close box); the browser's reference to the facade goes with it. The
// countries are the roots, in the view's order (by name, not as stored), each with a placeholder
// and nothing open or selected; an empty catalog gives an empty tree.
TEST_F(ExplorerCountryCall, EachCallShowsANewFilledBrowserAndReturnsOnceItIsClosed) {
    std::vector<std::string> empty{"not looked at"};
    OnBrowser().Run(u"look at the tree", LookAtTree(empty)).Click(u"cmdCerrar");
    ExplorerCountry();
    EXPECT_THAT(empty, IsEmpty());
    const Stored zona = catalog_.AddPais(u"ZZ", u"Zona sin código", u"");
    const Stored peru = catalog_.AddPais(u"PE", u"Perú", u"51");
    catalog_.AddEdoProv(peru.pk, u"LIM", u"Lima");
    const auto references = [&] {
        fx_->AddRef();
        return fx_->Release();
    };
    const ULONG before = references();
    ULONG whileShown = 0;
    std::vector<std::string> first, second;
    OnBrowser()
        .Run(u"look at the tree", LookAtTree(first, true))
        .Run(u"count the references", [&](ui::Window&) { whileShown = references(); })
        .ExpandNode(u"tvwPaises", Sys(peru))
        .Click(u"cmdCerrar");
    OnBrowser().Run(u"look at the tree", LookAtTree(second, true)).Close();

    ExplorerCountry();
    ExplorerCountry();

    const auto fresh = ElementsAre(Line(0, Sys(peru), u"(51) Perú"), PlaceholderLine(1),
                                   Line(0, Sys(zona), u"() Zona sin código"), PlaceholderLine(1));
    EXPECT_THAT(first, fresh);
    EXPECT_THAT(second, fresh);
    EXPECT_GT(whileShown, before);
    EXPECT_EQ(references(), before);
    const auto& entries = transcript().Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), headless::TranscriptEntry(headless::WindowShown{u"brwPaises"}));
    EXPECT_EQ(entries.back(), headless::TranscriptEntry(headless::WindowHidden{u"brwPaises"}));
    EXPECT_EQ(transcript().Only<headless::WindowShown>().size(), 3u);
    EXPECT_THAT(MessageBoxes(), IsEmpty());
    EXPECT_TRUE(toolkit_.user().AllUsed()) << rt::Utf16ToUtf8(toolkit_.user().Unused());
}

using BrowserWindow = BrowserTest;

TEST_F(BrowserWindow, HasItsLayoutAndABannerNamingTheComponentsFileFolderAndVersion) {
    ui::FormDefinition shown;
    std::u16string banner[3];
    OnBrowser()
        .Run(u"look at the window",
             [&](ui::Window& w) {
                 shown = w.Definition();
                 const char16_t* properties[] = {u"Nombre", u"Ubicacion", u"Version"};
                 for (int i = 0; i < 3; ++i) {
                     banner[i] = w.Get<ui::ModuleBanner>(u"axMirel").Property(properties[i]);
                 }
             })
        .Click(u"cmdCerrar");
    ExplorerCountry();

    // The component's folder holds libmundor.so and its type library libmundor.tlb: only the
    // latter has four characters after the component's name.
    EXPECT_EQ(banner[0], u"libmundor.tlb");
    EXPECT_EQ(rt::Utf16ToUtf8(banner[1]), InstalledComponent::Get().folder().string());
    EXPECT_EQ(banner[2], u"0.9.0.10");

    EXPECT_EQ(shown.name, u"brwPaises");
    EXPECT_EQ(shown.caption, u"Explorar Paises");
    EXPECT_EQ(shown.clientWidth, 3960);
    EXPECT_EQ(shown.clientHeight, 5910);
    EXPECT_FALSE(shown.window.maxButton);
    EXPECT_FALSE(shown.window.minButton);
    EXPECT_FALSE(shown.window.showInTaskbar);
    EXPECT_EQ(shown.window.startUpPosition, ui::StartUpPosition::CenterScreen);

    struct Row {
        std::u16string name;
        ui::ControlKind kind;
        LONG index, left, top, width, height, tabIndex;
        std::u16string caption;
    };
    const std::vector<Row> layout = {
        {u"cmdCerrar", ui::ControlKind::Button, ui::kNoIndex, 2625, 5520, 1275, 315, 0, u"&Cerrar"},
        {u"tvwPaises", ui::ControlKind::Tree, ui::kNoIndex, 30, 465, 3840, 4635, 1, u""},
        {u"cmdAction", ui::ControlKind::Button, 0, 90, 90, 1200, 315, 2, u"Agregar País"},
        {u"cmdAction", ui::ControlKind::Button, 1, 1350, 75, 1185, 315, 3, u"Agregar Estado"},
        {u"cmdAction", ui::ControlKind::Button, 2, 2610, 75, 1215, 315, 4, u"Agregar Ciudad"},
        {u"cmdEdit", ui::ControlKind::Button, ui::kNoIndex, 45, 5505, 945, 330, 5, u"Modificar"},
        {u"cmdDel", ui::ControlKind::Button, ui::kNoIndex, 1050, 5505, 945, 330, 6, u"Eliminar"},
        {u"axMirel", ui::ControlKind::ModuleBanner, ui::kNoIndex, 2640, 5160, 1260, 240, 7, u""},
    };
    ASSERT_EQ(shown.controls.size(), layout.size());
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const Row& want = layout[i];
        const ui::ControlDefinition& got = shown.controls[i];
        SCOPED_TRACE(rt::Utf16ToUtf8(want.name) + "(" + std::to_string(want.index) + ")");
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.index, want.index);
        EXPECT_EQ((std::vector<LONG>{got.left, got.top, got.width, got.height, got.tabIndex}),
                  (std::vector<LONG>{want.left, want.top, want.width, want.height, want.tabIndex}));
        if (want.kind == ui::ControlKind::Button) {
            EXPECT_EQ(got.SettingAs<std::u16string>(u"tx"), want.caption);
            EXPECT_EQ(got.SettingAs<LONG>(u"btype"), 3);
            EXPECT_EQ(got.SettingAs<bool>(u"enab"), true);
        }
    }
    EXPECT_EQ(shown.controls.back().SettingAs<std::u16string>(u"modulo"), u"Form/brwPaises");
}

using BrowserWithoutCatalog = BrowserTest;

// An unbound facade, then a closed catalog: each fill shows its error once, and an empty tree.
TEST_F(BrowserWithoutCatalog, ShowsTheFillsErrorOnceAndAnEmptyTree) {
    catalog_.AddPais(u"PE", u"Perú", u"51");
    const std::vector<std::u16string> messages = {
        FillErrorText(rt::err::kObjectNotSet, u"Variable de objeto o bloque With no establecida"),
        FillErrorText(nubex::err::kCatalogNotOpen.number, nubex::err::kCatalogNotOpen.text)};
    std::vector<std::string> outlines[2] = {{"not looked at"}, {"not looked at"}};
    mundor::MundorClient fx(fx_.As<mundor::_MundorFx>());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        fx.SetDataObjects(i == 0 ? nullptr : catalog_.catalog());
        if (i == 1) rt::CallByName(catalog_.catalog().get(), u"Close", rt::CallType::Method);
        toolkit_.user().AnswerMessageBox(ui::vbOK, messages[i]);
        OnBrowser().Run(u"look at the tree", LookAtTree(outlines[i])).Click(u"cmdCerrar");

        ExplorerCountry();

        EXPECT_THAT(outlines[i], IsEmpty());
    }
    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u) << transcript().Text();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i],
                  (headless::MessageBoxShown{messages[i], ui::vbOKOnly, u"Mundor", ui::vbOK}));
    }
    EXPECT_EQ(transcript().Only<headless::WindowHidden>().size(), 2u);
}

}  // namespace
}  // namespace browser_test
