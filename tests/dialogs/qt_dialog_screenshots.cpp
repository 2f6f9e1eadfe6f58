// Renders the three edit dialogs, opened by key through the installed component over a small
// catalog, and the validation message of an empty code, to PNG files for a person to look at,
// each under a plain title bar (title_bar.h).
//
//   xvfb-run -a build/bin/dialog_screenshots docs/screenshots
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>

#include "facade/mundor_client.h"
#include "title_bar.h"
#include "installed_component.h"
#include "modal_driver.h"
#include "runtime/call_by_name.h"
#include "test_catalog.h"
#include "ui/qt/qt_toolkit.h"

namespace {

namespace qtest = mundor::ui::qt::testing;

void Save(QWidget& window, const QDir& folder, const char* fileName) {
    QCoreApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(fileName));
    if (!qtest::WithTitleBar(window).save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
}

// Opens the dialog of one record by key, types an area code where the dialog has an empty one,
// pictures it and closes it with Esc.
void Picture(mundor::MundorClient& fx, const char16_t* launcher, LONG key, const QDir& folder,
             const char* fileName) {
    qtest::OnNextModal([&](QWidget& dialog) {
        auto* areaCode = dialog.findChild<QWidget*>(QStringLiteral("ctrlCodigoTel"));
        if (areaCode && qtest::EditOf(dialog, QStringLiteral("ctrlCodigoTel"))->text().isEmpty()) {
            qtest::TypeInto(dialog, QStringLiteral("ctrlCodigoTel"), QStringLiteral("33"));
            qtest::EditOf(dialog, QStringLiteral("ctrlCodigo"))->setFocus();
        }
        Save(dialog, folder, fileName);
        qtest::PressKey(Qt::Key_Escape);
    });
    mundor::rt::Variant sysPk(key);
    mundor::rt::CallByName(fx.get(), launcher, mundor::rt::CallType::Method, sysPk);
}

// The country dialog of an add, OK pressed with the fields empty: the box that asks for the code.
void PictureValidation(mundor::MundorClient& fx, const QDir& folder) {
    qtest::OnNextModal([&](QWidget& dialog) {
        qtest::OnNextModal([&](QWidget& box) {
            Save(box, folder, "validation.png");
            qtest::PressKey(Qt::Key_Return);
        });
        qtest::ClickButton(dialog, QStringLiteral("cmdAceptar"));
        qtest::PressKey(Qt::Key_Escape);
    });
    fx.dlgPais_BySysPK(0);
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
    const auto mexico = catalog.AddPais(u"MX", u"México", u"52");
    const auto jalisco = catalog.AddEdoProv(mexico.pk, u"JAL", u"Jalisco");
    const auto guadalajara = catalog.AddCiudad(jalisco.pk, u"GDL", u"Guadalajara");
    mundor::MundorClient fx(
        browser_test::InstalledComponent::Get().NewMundorFx().As<mundor::_MundorFx>());
    fx.SetDataObjects(catalog.catalog());

    Picture(fx, u"dlgPais_BySysPK", mexico.pk, folder, "dlgPais.png");
    Picture(fx, u"dlgEdoProv_BySysPK", jalisco.pk, folder, "dlgEdoProv.png");
    Picture(fx, u"dlgCiudad_BySysPK", guadalajara.pk, folder, "dlgCiudad.png");
    PictureValidation(fx, folder);
    return 0;
}
