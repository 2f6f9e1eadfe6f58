// The module banner on real widgets: what it shows of its properties, and that it never takes
// the focus.

#include "modal_driver.h"
#include "ui/qt/module_banner.h"

namespace mundor::ui::qt::testing {
namespace {

class BannerTest : public QtToolkitTest {
  protected:
    ModuleBanner& banner() { return logic_.window().Get<ModuleBanner>(u"axMirel"); }
    ElidedLabel& label() { return *dynamic_cast<ElidedLabel*>(QtToolkit::WidgetOf(banner())); }
    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(BannerTest, ShowsItsModuleUntilTheIdentityIsSetAndEverythingInItsTooltip) {
    EXPECT_EQ(label().fullText(), "Form/dlgPrueba");
    EXPECT_EQ(label().toolTip(), "Form/dlgPrueba");

    banner().SetProperty(u"Nombre", u"libmundor.so");
    banner().SetProperty(u"Ubicacion", u"/opt/mundor/lib");
    banner().SetProperty(u"Version", u"0.9.0.10");

    EXPECT_EQ(label().toolTip(), "libmundor.so\n/opt/mundor/lib\n0.9.0.10\nForm/dlgPrueba");
    EXPECT_EQ(label().fullText(), "libmundor.so 0.9.0.10");
    const QString shown = label().text();
    EXPECT_TRUE(shown.startsWith("lib") && shown.endsWith(".10")) << shown.toStdString();
    EXPECT_LE(label().fontMetrics().horizontalAdvance(shown), label().contentsRect().width())
        << "the text fits the banner, shortened in the middle: name and version both show";
}

TEST_F(BannerTest, NeverTakesTheFocus) {
    logic_.window().GetControl(u"ctrlNombre").SetFocus();
    banner().SetFocus();
    EXPECT_EQ(logic_.window().FocusedControl(), &logic_.window().GetControl(u"ctrlNombre"));
}

}  // namespace
}  // namespace mundor::ui::qt::testing
