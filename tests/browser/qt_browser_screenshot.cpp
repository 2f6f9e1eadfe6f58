// Renders the browser, opened with ExplorerCountry over a small catalog, with one country and
// one of its states open, to a PNG file for a person to look at. The picture is the window's
// client area under a plain title bar (WithTitleBar), so that the caption shows without a window
// manager.
//
//   xvfb-run -a build/bin/browser_screenshot docs/screenshots/browser.png
#include <cstdio>

#include <QApplication>
#include <QTreeWidget>

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "modal_driver.h"
#include "qt_tree_items.h"
#include "test_catalog.h"
#include "title_bar.h"
#include "ui/qt/qt_toolkit.h"

namespace {

using browser_test::Stored;

void Seed(browser_test::TestCatalog& catalog) {
    const Stored mexico = catalog.AddPais(u"MX", u"México", u"52");
    const Stored jalisco = catalog.AddEdoProv(mexico.pk, u"JAL", u"Jalisco");
    catalog.AddEdoProv(mexico.pk, u"COL", u"Colima");
    catalog.AddEdoProv(mexico.pk, u"NL", u"Nuevo León");
    catalog.AddCiudad(jalisco.pk, u"GDL", u"Guadalajara");
    catalog.AddCiudad(jalisco.pk, u"ZAP", u"Zapopan");
    catalog.AddPais(u"AR", u"Argentina", u"54");
    catalog.AddPais(u"ES", u"España", u"34");
    catalog.AddPais(u"PE", u"Perú", u"51");
}

}  // namespace

int main(int argc, char** argv) {
    namespace qtest = mundor::ui::qt::testing;
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("browser.png");

    mundor::ui::qt::QtToolkit toolkit;
    mundor::ui::ScopedThreadToolkit installed(toolkit);
    browser_test::TestCatalog catalog;
    Seed(catalog);
    mundor::MundorClient fx(
        browser_test::InstalledComponent::Get().NewMundorFx().As<mundor::_MundorFx>());
    fx.SetDataObjects(catalog.catalog());

    bool saved = false;
    qtest::OnNextModal([&](QWidget& shown) {
        QTreeWidget& tree = browser_test::TreeWidgetOf(shown);
        if (QTreeWidgetItem* mexico =
                browser_test::ItemWithText(tree, QString::fromUtf16(u"(52) México"))) {
            browser_test::ClickBranchSign(tree, *mexico);
            if (QTreeWidgetItem* jalisco =
                    browser_test::ItemWithText(tree, QStringLiteral("Jalisco"))) {
                browser_test::ClickBranchSign(tree, *jalisco);
                tree.setCurrentItem(jalisco->child(0));
            }
        }
        QCoreApplication::processEvents();
        saved = qtest::WithTitleBar(shown).save(path);
        qtest::ClickButton(shown, QStringLiteral("cmdCerrar"));
    });
    fx.ExplorerCountry();
    if (!saved) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
