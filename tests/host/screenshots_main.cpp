// Renders mundor-host to PNG files for a person to look at: the main window after a few calls
// (host.png), the component's delete confirmation shown over it (confirm.png, style 308) and
// the component's error box shown over it (error.png, style 16). Everything runs for real: a
// world catalog in a temporary folder, the libraries registered in a temporary registry,
// Mundor.MundorFx created by its ProgID, the boxes raised by the component through the Qt
// toolkit. Windows get a plain title bar (WithTitleBar), so captions show without a window
// manager.
//
//   xvfb-run -a build/bin/host_screenshots docs/screenshots
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "facade/mundor_client.h"
#include "host/catalog_preparation.h"
#include "host/component_registration.h"
#include "host/host_window.h"
#include "host/record_lookup.h"
#include "modal_answerer.h"
#include "nubex/import/shipped_dataset.h"
#include "nubex/nubex.h"
#include "runtime/call_by_name.h"
#include "runtime/registry.h"
#include "title_bar.h"
#include "ui/qt/qt_toolkit.h"

namespace mundor::host::testing {
namespace {

using ui::qt::testing::BoxOver;
using ui::qt::testing::WithTitleBar;

[[noreturn]] void Quit(const QString& why) {
    std::fprintf(stderr, "host_screenshots: %s\n", qPrintable(why));
    std::exit(1);
}

void Save(const QImage& picture, const QDir& folder, const QString& fileName) {
    const QString path = folder.filePath(fileName);
    if (!picture.save(path)) Quit(QStringLiteral("no se pudo escribir ") + path);
    std::printf("%s\n", qPrintable(path));
}

template <class T>
T& Control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) Quit(QStringLiteral("no hay control ") + QString::fromLatin1(name));
    return *found;
}

void Click(QWidget& window, const char* button) {
    QTest::mouseClick(&Control<QPushButton>(window, button), Qt::LeftButton);
}

void WaitForCounts(QWidget& host) {
    auto& window = static_cast<HostWindow&>(host);
    if (!QTest::qWaitFor([&window] { return window.CountsSettled(); })) {
        Quit(QStringLiteral("el catálogo no terminó de contarse"));
    }
    window.repaint();
}

// A box the component shows over the host, once it has been drawn.
std::function<void(QWidget&)> Photograph(QWidget& host, const QDir& folder, QString fileName,
                                         QString answer) {
    return [&host, &folder, fileName, answer](QWidget& box) {
        if (!QTest::qWaitForWindowExposed(&box)) Quit(QStringLiteral("la caja no se mostró"));
        WaitForCounts(host);
        box.repaint();
        Save(BoxOver(host, box), folder, fileName);
        PressButton(box, answer);
    };
}

// A few calls, so that the window shows results and a log as it does in use.
void MakeCalls(QWidget& window, LONG mexico, const QDir& folder) {
    Control<QSpinBox>(window, "LastErrorCode.value").setValue(7);
    Click(window, "let_LastErrorCode");
    Click(window, "get_LastErrorCode");
    ModalAnswerer answerer;
    // The country's dialog, opened by key, is looked at and closed with its close box.
    answerer.Then([](QWidget& dialog) { dialog.close(); });
    Control<QSpinBox>(window, "dlgPais_BySysPK.Sys_PK").setValue(mexico);
    Click(window, "dlgPais_BySysPK");
    QTest::mouseClick(&Control<QCheckBox>(window, "byName"), Qt::LeftButton);
    Click(window, "get_DataObjects");

    answerer.Then(Photograph(window, folder, QStringLiteral("confirm.png"), QStringLiteral("&No")));
    Control<QSpinBox>(window, "DelPais_BySysPK.Sys_PK").setValue(mexico);
    Click(window, "DelPais_BySysPK");

    answerer.Then(
        Photograph(window, folder, QStringLiteral("error.png"), QStringLiteral("Aceptar")));
    auto& ask = Control<QCheckBox>(window, "Ask");
    QTest::mouseClick(&ask, Qt::LeftButton, {}, QPoint(ask.height() / 2, ask.height() / 2));
    Control<QSpinBox>(window, "DelCiudad.Obj").setValue(0);
    Click(window, "DelCiudad");
    if (answerer.answered() != 3) {
        Quit(QStringLiteral("el componente no mostró su diálogo y sus dos cajas"));
    }
}

LONG KeyOfCountry(nubex::Catalog& catalog, std::u16string_view codigo) {
    rt::Ref<nubex::View> view;
    rt::ThrowIfFailed(catalog.V_Pais(view.put()));
    for (;;) {
        VARIANT_BOOL atEnd = VARIANT_FALSE;
        rt::ThrowIfFailed(view->get_EOF(&atEnd));
        if (atEnd != VARIANT_FALSE) return 0;
        if (rt::CallByName(view.get(), u"Item", rt::CallType::Get, u"Codigo").AsString() ==
            codigo) {
            return rt::CallByName(view.get(), u"Item", rt::CallType::Get, u"Sys_PK").AsLong();
        }
        rt::ThrowIfFailed(view->MoveNext());
    }
}

int Render(const QDir& folder) {
    QTemporaryDir scratch;
    rt::SetRegistryPath(scratch.filePath(QStringLiteral("registry.ini")).toStdString());
    const std::filesystem::path catalogPath =
        scratch.filePath(QStringLiteral("catalog.db")).toStdString();
    if (PrepareCatalogFile(catalogPath, nubex::import::ShippedWorldDataset(), false).status !=
        CatalogPreparation::Status::kReady) {
        Quit(QStringLiteral("no se pudo preparar el catálogo del mundo"));
    }
    auto catalog = nubex::OpenCatalog(catalogPath.string());
    RegisterComponentLibraries();
    auto fx = CreateMundorFx();
    MundorClient(fx).SetDataObjects(catalog);

    ui::qt::QtToolkit toolkit;
    ui::ScopedThreadToolkit installed(toolkit);
    HostWindow window(fx, catalog, catalogPath, false);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) Quit(QStringLiteral("la ventana no se mostró"));
    MakeCalls(window, KeyOfCountry(*catalog, u"MX"), folder);
    WaitForCounts(window);
    Save(WithTitleBar(window), folder, QStringLiteral("host.png"));
    return 0;
}

}  // namespace
}  // namespace mundor::host::testing

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;
    try {
        return mundor::host::testing::Render(folder);
    } catch (const mundor::rt::RuntimeError& error) {
        std::fprintf(stderr, "host_screenshots: error %d: %s\n", error.number(), error.what());
        return 1;
    }
}
