// Renders the browser, opened with ExplorerCountry over a small catalog, to PNG files for a
// person to look at: browser.png with a country and one of its states open, browser-add.png
// once a city has been added to that state through "Agregar Ciudad", and browser-not-empty.png
// with the box that refuses to delete a country that still has states. Each window is pictured
// under a plain title bar (title_bar.h), so that captions show without a window manager.
//
//   xvfb-run -a build/bin/browser_screenshot docs/screenshots
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "modal_driver.h"
#include "qt_tree_items.h"
#include "test_catalog.h"
#include "title_bar.h"
#include "ui/qt/qt_toolkit.h"

namespace {

namespace qtest = mundor::ui::qt::testing;
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

void Save(const QImage& picture, const QDir& folder, const char* fileName) {
    const QString path = folder.filePath(QString::fromLatin1(fileName));
    if (!picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
}

QTreeWidgetItem& Item(QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* item = browser_test::ItemAt(tree, path);
    if (!item) {
        std::fprintf(stderr, "no item %s\n", qPrintable(path.join(QStringLiteral(" > "))));
        std::exit(1);
    }
    return *item;
}

// The city dialog of "Agregar Ciudad", filled in and saved.
void AddsTlaquepaque(QWidget& dialog) {
    qtest::TypeInto(dialog, QStringLiteral("ctrlCodigo"), QStringLiteral("TLQ"));
    qtest::TypeInto(dialog, QStringLiteral("ctrlCodigoTel"), QStringLiteral("33"));
    qtest::TypeInto(dialog, QStringLiteral("ctrlNombre"), QStringLiteral("Tlaquepaque"));
    qtest::ClickButton(dialog, QStringLiteral("cmdAceptar"));
}

void Picture(QWidget& browser, const QDir& folder) {
    QTreeWidget& tree = browser_test::TreeWidgetOf(browser);
    const QString mexico = QString::fromUtf16(u"(52) México");
    browser_test::ClickBranchSign(tree, Item(tree, {mexico}));
    browser_test::ClickBranchSign(tree, Item(tree, {mexico, QStringLiteral("Jalisco")}));
    browser_test::ClickItem(tree, Item(tree, {mexico, QStringLiteral("Jalisco"), "Guadalajara"}));
    QCoreApplication::processEvents();
    Save(qtest::WithTitleBar(browser), folder, "browser.png");

    browser_test::ClickItem(tree, Item(tree, {mexico, QStringLiteral("Jalisco")}));
    qtest::OnNextModal(AddsTlaquepaque);
    qtest::ClickButton(browser, QStringLiteral("cmdAction(2)"));
    QCoreApplication::processEvents();
    Save(qtest::WithTitleBar(browser), folder, "browser-add.png");

    browser_test::ClickItem(tree, Item(tree, {mexico}));
    qtest::OnNextModal([&](QWidget& box) {
        static_cast<void>(QTest::qWaitForWindowExposed(&box));
        Save(qtest::BoxOver(browser, box), folder, "browser-not-empty.png");
        qtest::PressKey(Qt::Key_Return);
    });
    qtest::ClickButton(browser, QStringLiteral("cmdDel"));
    qtest::ClickButton(browser, QStringLiteral("cmdCerrar"));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;

    mundor::ui::qt::QtToolkit toolkit;
    mundor::ui::ScopedThreadToolkit installed(toolkit);
    browser_test::TestCatalog catalog;
    Seed(catalog);
    mundor::MundorClient fx(
        browser_test::InstalledComponent::Get().NewMundorFx().As<mundor::_MundorFx>());
    fx.SetDataObjects(catalog.catalog());

    qtest::OnNextModal([&](QWidget& browser) { Picture(browser, folder); });
    fx.ExplorerCountry();
    return 0;
}
