#include "host/world_import_dialog.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <atomic>
#include <limits>
#include <thread>

#include "nubex/import/import_error.h"

namespace mundor::host {

namespace {

using nubex::import::ImportErrc;
using nubex::import::ImportError;
using nubex::import::ImportProgress;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::min<std::int64_t>(value, std::numeric_limits<int>::max()));
}

void SetUp(QProgressDialog& dialog) {
    dialog.setWindowTitle(QStringLiteral("Mundor"));
    dialog.setLabelText(QStringLiteral(
        "Preparando el catálogo por primera vez:\npaíses, estados y ciudades del mundo…"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    dialog.setRange(0, 0);  // busy until the importer reports its first rows
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumWidth(420);
}

// Runs on the worker thread; everything it reports goes back to the dialog's thread as queued
// calls, and the dialog's cancel reaches it through `cancelRequested`.
WorldImportResult RunImport(const std::filesystem::path& dataset,
                            const std::filesystem::path& catalog, QProgressDialog& dialog,
                            const std::atomic<bool>& cancelRequested) {
    const auto progress = [&](const ImportProgress& state) {
        const int done = ClampToInt(state.done);
        const int total = ClampToInt(state.total);
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, done, total] {
                dialog.setMaximum(total);
                dialog.setValue(done);
            },
            Qt::QueuedConnection);
        return !cancelRequested.load();
    };
    WorldImportResult result;
    try {
        result.summary =
            nubex::import::LoadWorldIntoCatalog(dataset.string(), catalog.string(), progress);
        result.status = WorldImportResult::Status::kDone;
    } catch (const ImportError& error) {
        const bool cancelled = error.code() == ImportErrc::kCancelled;
        result.status =
            cancelled ? WorldImportResult::Status::kCancelled : WorldImportResult::Status::kFailed;
        result.errorNumber = error.number();
        result.message = error.what();
    } catch (const std::exception& error) {
        result.message = error.what();
    }
    return result;
}

}  // namespace

WorldImportResult ImportWorldWithProgress(const std::filesystem::path& dataset,
                                          const std::filesystem::path& catalog, QWidget* parent) {
    QProgressDialog dialog(parent);
    SetUp(dialog);
    std::atomic<bool> cancelRequested{false};
    // The dialog hides itself on cancel; the import stops at its next report and rolls back.
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&cancelRequested] { cancelRequested = true; });

    QEventLoop loop;
    WorldImportResult result;
    std::thread worker([&] {
        result = RunImport(dataset, catalog, dialog, cancelRequested);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    dialog.show();
    loop.exec();
    worker.join();
    return result;
}

}  // namespace mundor::host
