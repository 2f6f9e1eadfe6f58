// Renders the Qt toolkit's windows and message boxes to PNG files, for a person to look at:
// a sample edit dialog, a sample browser with its tree, the delete confirmation (style 308) and
// an error box (style 16). Each picture is the window's client area under a plain title bar
// (WithTitleBar), so that the caption shows even without a window manager.
//
//   xvfb-run -a build-qt/bin/qt_screenshots docs/screenshots
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "title_bar.h"

namespace mundor::ui::qt::testing {
namespace {

void Save(QWidget& window, const QDir& folder, const QString& fileName) {
    QCoreApplication::processEvents();
    const QString path = folder.filePath(fileName);
    if (!WithTitleBar(window).save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
}

void FillIdentity(Window& window) {
    ModuleBanner& banner = window.Get<ModuleBanner>(u"axMirel");
    banner.SetProperty(u"Nombre", u"libmundor.so");
    banner.SetProperty(u"Ubicacion", u"/opt/mundor/lib");
    banner.SetProperty(u"Version", u"0.9.0.10");
}

void RenderDialog(const QDir& folder) {
    RecordingLogic dialog(SampleDialogForm());
    Window& window = dialog.window();
    window.Get<TextField>(u"ctrlCodigo").SetValue(u"MX");
    window.Get<TextField>(u"ctrlCodigoTel").SetValue(u"52");
    window.Get<TextField>(u"ctrlNombre").SetValue(u"México");
    FillIdentity(window);
    OnNextModal([&](QWidget& shown) {
        Save(shown, folder, "toolkit-dialog.png");
        window.Hide();
    });
    window.ShowModal();
}

void FillTree(TreeNodes& nodes) {
    const NodeRef mexico = nodes.Add(nullptr, tvwChild, u"SysMX", u"(52) México");
    for (const char16_t* state : {u"Aguascalientes", u"Colima", u"Jalisco", u"Nuevo León"}) {
        nodes.Add(mexico, tvwChild, std::u16string(u"EDO") + state, state);
    }
    const NodeRef jalisco = nodes.Item(u"EDOJalisco");
    nodes.Add(jalisco, tvwChild, u"CTYGDL", u"Guadalajara");
    nodes.Add(jalisco, tvwChild, u"CTYZPN", u"Zapopan");
    for (const char16_t* country : {u"(34) España", u"(54) Argentina", u"(57) Colombia"}) {
        const NodeRef node =
            nodes.Add(nullptr, tvwChild, std::u16string(u"Sys") + country, country);
        nodes.Add(node, tvwChild, u"", u"");
    }
}

void RenderBrowser(const QDir& folder) {
    RecordingLogic browser(SampleBrowserForm());
    Window& window = browser.window();
    Tree& tree = window.Get<Tree>(u"tvwPaises");
    FillTree(tree.Nodes());
    FillIdentity(window);
    OnNextModal([&](QWidget& shown) {
        auto& widget = static_cast<QTreeWidget&>(*QtToolkit::WidgetOf(tree));
        widget.expandItem(widget.topLevelItem(0));
        widget.expandItem(widget.topLevelItem(0)->child(2));
        widget.setCurrentItem(widget.topLevelItem(0)->child(2)->child(0));
        Save(shown, folder, "toolkit-browser.png");
        window.Unload();
    });
    window.ShowModal();
}

void RenderMessageBox(const QDir& folder, const char* fileName, std::u16string_view prompt,
                      LONG style) {
    OnNextModal([&](QWidget& box) {
        Save(box, folder, fileName);
        PressKey(Qt::Key_Escape);
    });
    MsgBox(SampleApp(), prompt, style);
}

}  // namespace
}  // namespace mundor::ui::qt::testing

int main(int argc, char** argv) {
    using namespace mundor::ui;
    using namespace mundor::ui::qt::testing;
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;

    qt::QtToolkit toolkit;
    ScopedThreadToolkit installed(toolkit);
    RenderDialog(folder);
    RenderBrowser(folder);
    RenderMessageBox(folder, "toolkit-confirm-308.png", u"¿Seguro desea eliminar este elemento?",
                     308);
    RenderMessageBox(folder, "toolkit-error-16.png",
                     u"(5) Llamada a procedimiento o argumento no válidos [ThisApp.DelCiudad]",
                     vbCritical);
    return 0;
}
