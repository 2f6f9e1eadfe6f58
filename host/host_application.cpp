#include "host/host_application.h"

#include <QApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "facade/mundor_client.h"
#include "host/catalog_location.h"
#include "host/catalog_preparation.h"
#include "host/component_registration.h"
#include "host/first_paint.h"
#include "host/host_errors.h"
#include "host/main_window.h"
#include "host/member_controls.h"
#include "host/search_pane.h"
#include "host/value_text.h"
#include "nubex/backend/location.h"
#include "nubex/import/shipped_dataset.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "ui/qt/qt_log.h"
#include "ui/qt/qt_toolkit.h"

namespace mundor::host {

namespace fs = std::filesystem;

namespace {

// Tells why the host cannot go on: always on stderr, and in a box when someone is watching.
int Fail(const HostOptions& options, const std::u16string& what, const std::u16string& why,
         int status) {
    std::cerr << "mundor-host: " << rt::Utf16ToUtf8(what) << "\n  " << rt::Utf16ToUtf8(why)
              << std::endl;
    if (options.Interactive()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Mundor"), ToQString(what),
                        QMessageBox::Ok);
        box.setInformativeText(ToQString(why));
        box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        box.exec();
    }
    return status;
}

// The catalog as the user may see it: a file's path, or the server without the password.
std::u16string PathText(const fs::path& path) {
    return rt::Utf8ToUtf16(nubex::db::Describe(path.string()));
}

bool OnAServer(const fs::path& catalog) {
    return nubex::db::EngineOf(catalog.string()) == nubex::db::Engine::Postgres;
}

void SaveScreenshot(QWidget& window, const std::string& path) {
    // The details' rows shown or hidden for the place found take their places first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QImageWriter writer(QString::fromStdString(path), "PNG");
    if (!writer.write(window.grab().toImage())) {
        std::cerr << "mundor-host: no se pudo guardar la captura en " << path << ": "
                  << writer.errorString().toStdString() << std::endl;
        QCoreApplication::exit(kExitScreenshotFailed);
        return;
    }
    std::cout << "Captura guardada en " << path << std::endl;
    QCoreApplication::exit(kExitOk);
}

// Runs `action` once the window shows everything it was asked for.
void WhenSettled(MainWindow& window, std::function<void()> action) {
    auto* poll = new QTimer(&window);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [&window, poll, action = std::move(action)] {
        if (!window.Settled()) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// What the host does once its window is on the screen, when it is run unattended.
std::function<void()> FirstPaintAction(const HostOptions& options, MainWindow& window) {
    if (!options.screenshotPath.empty()) {
        // The picture shows the window as the user soon sees it: the catalog counted, the
        // search answered and the first place's details read.
        return [&window, path = options.screenshotPath] {
            WhenSettled(window, [&window, path] { SaveScreenshot(window, path); });
        };
    }
    return [] {
        std::cout << "first-paint" << std::endl;
        QCoreApplication::exit(kExitOk);
    };
}

int ShowWindow(const HostOptions& options, const rt::Ref<_MundorFx>& fx,
               const rt::Ref<nubex::Catalog>& catalog, const fs::path& catalogPath) {
    ui::qt::QtToolkit toolkit;
    ui::ScopedThreadToolkit installed(toolkit);
    MainWindow window(fx, catalog, catalogPath, options.byName);
    window.search().field().setText(QString::fromStdString(options.searchText));
    std::optional<FirstPaintWatcher> watcher;
    if (!options.Interactive()) watcher.emplace(window, FirstPaintAction(options, window));
    window.show();
    return QApplication::exec();
}

}  // namespace

int RunHost(const HostOptions& options) {
    // What the component drops on purpose reaches Qt's logging, where the host's rules apply.
    ui::qt::RouteLogToQt();
    const bool ownCatalog = options.catalogPath.empty();
    const fs::path catalogPath = ownCatalog ? DefaultCatalogPath() : fs::path(options.catalogPath);

    // A catalog on a server is filled with nubex-import, not by a first run here.
    const CatalogPreparation prepared =
        OnAServer(catalogPath)
            ? CatalogPreparation{CatalogPreparation::Status::kReady, false, {}}
            : PrepareCatalogFile(catalogPath, nubex::import::ShippedWorldDataset(), ownCatalog);
    if (prepared.status != CatalogPreparation::Status::kReady) {
        const bool cancelled = prepared.status == CatalogPreparation::Status::kCancelled;
        return Fail(options, u"No hay catálogo con el que trabajar.", prepared.problem,
                    cancelled ? kExitCatalogNotCreated : kExitCatalogUnusable);
    }

    rt::Ref<nubex::Catalog> catalog;
    try {
        catalog = nubex::OpenCatalog(catalogPath.string());
    } catch (const rt::RuntimeError& error) {
        return Fail(options, u"No se pudo abrir el catálogo " + PathText(catalogPath) + u".",
                    DescribeError(error), kExitCatalogUnusable);
    }

    rt::Ref<_MundorFx> fx;
    try {
        RegisterComponentLibraries();
        fx = CreateMundorFx();
        MundorClient(fx).SetDataObjects(catalog);
    } catch (const rt::RuntimeError& error) {
        return Fail(options, u"No se pudo registrar o crear el componente Mundor.MundorFx.",
                    DescribeError(error), kExitComponentUnavailable);
    }
    return ShowWindow(options, fx, catalog, catalogPath);
}

}  // namespace mundor::host
