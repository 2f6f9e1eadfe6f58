// Renders mundor-host to PNG files for a person to look at: the main window after typing
// "guadal" (host.png) and "sao p" (host-sao.png), the component's city dialog opened by
// Modificar… over it (modify.png), the component's delete confirmation over it (confirm.png,
// style 308), the member console after a few calls (console.png) and the component's error box
// over the console (error.png, style 16). Everything runs for real: a world catalog in a
// temporary folder, the libraries registered in a temporary registry, Mundor.MundorFx created by
// its ProgID, the windows and boxes raised by the component through the Qt toolkit. Windows get
// a plain title bar (WithTitleBar), so captions show without a window manager.
//
//   xvfb-run -a build/bin/host_screenshots docs/screenshots
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>

#include "facade/mundor_client.h"
#include "host/catalog_preparation.h"
#include "host/component_registration.h"
#include "host/console_window.h"
#include "host/main_window.h"
#include "host/qt_spanish.h"
#include "host/record_lookup.h"
#include "host/search_pane.h"
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

void WaitUntilSettled(MainWindow& window) {
    if (!QTest::qWaitFor([&window] { return window.Settled(); })) {
        Quit(QStringLiteral("la ventana principal no terminó de buscar y contar"));
    }
    // The details' rows shown or hidden for the new place take their places first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window.repaint();
}

// A window or box the component shows over the host, once it has been drawn.
std::function<void(QWidget&)> Photograph(QWidget& host, const QDir& folder, QString fileName,
                                         QString answer) {
    return [&host, &folder, fileName, answer](QWidget& box) {
        if (!QTest::qWaitForWindowExposed(&box)) Quit(QStringLiteral("la caja no se mostró"));
        box.repaint();
        Save(BoxOver(host, box), folder, fileName);
        PressButton(box, answer);
    };
}

// What typing `text` shows, with the result in `row` selected.
void PhotographSearch(MainWindow& window, const QString& text, int row, const QDir& folder,
                      const QString& fileName) {
    window.search().field().clear();
    QTest::keyClicks(&window.search().field(), text);
    WaitUntilSettled(window);
    QTreeView& results = window.search().results();
    results.setCurrentIndex(results.model()->index(row, 0));
    WaitUntilSettled(window);
    Save(WithTitleBar(window), folder, fileName);
}

// A key pressed where the keyboard is, with the window active as a user's window is.
void PressKey(MainWindow& window, Qt::Key key) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) Quit(QStringLiteral("la ventana no se activó"));
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, key);
    WaitUntilSettled(window);
}

// Modificar… and Eliminar… on the place found, answered without changing anything.
void PhotographCommands(MainWindow& window, const QDir& folder) {
    ModalAnswerer answerer;
    answerer.Then(
        Photograph(window, folder, QStringLiteral("modify.png"), QStringLiteral("&Cancelar")));
    PressKey(window, Qt::Key_F2);
    answerer.Then(Photograph(window, folder, QStringLiteral("confirm.png"), QStringLiteral("&No")));
    window.search().results().setFocus();
    PressKey(window, Qt::Key_Delete);
    if (answerer.answered() != 2) Quit(QStringLiteral("el componente no mostró sus ventanas"));
}

// A few calls, so that the console shows results and a log as it does in use.
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

    answerer.Then(
        Photograph(window, folder, QStringLiteral("error.png"), QStringLiteral("Aceptar")));
    auto& ask = Control<QCheckBox>(window, "Ask");
    QTest::mouseClick(&ask, Qt::LeftButton, {}, QPoint(ask.height() / 2, ask.height() / 2));
    Control<QSpinBox>(window, "DelCiudad.Obj").setValue(0);
    Click(window, "DelCiudad");
    if (answerer.answered() != 2)
        Quit(QStringLiteral("el componente no mostró su diálogo y su caja"));
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
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       scratch.filePath(QStringLiteral("config")));
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
    MainWindow window(fx, catalog, catalogPath, false);
    window.resize(1000, 560);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) Quit(QStringLiteral("la ventana no se mostró"));
    PhotographSearch(window, QStringLiteral("sao p"), 0, folder, QStringLiteral("host-sao.png"));
    // Guadalajara — Jalisco — México, after the country and the two states that start so.
    PhotographSearch(window, QStringLiteral("guadal"), 3, folder, QStringLiteral("host.png"));
    PhotographCommands(window, folder);

    ConsoleWindow console(fx, catalog, false);
    console.show();
    if (!QTest::qWaitForWindowExposed(&console)) Quit(QStringLiteral("la consola no se mostró"));
    MakeCalls(console, KeyOfCountry(*catalog, u"MX"), folder);
    console.repaint();
    Save(WithTitleBar(console), folder, QStringLiteral("console.png"));
    return 0;
}

}  // namespace
}  // namespace mundor::host::testing

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    mundor::host::InstallQtSpanish(application);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;
    try {
        return mundor::host::testing::Render(folder);
    } catch (const mundor::rt::RuntimeError& error) {
        std::fprintf(stderr, "host_screenshots: error %d: %s\n", error.number(), error.what());
        return 1;
    }
}
