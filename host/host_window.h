// The host's main window: every public member of Mundor.MundorFx behind a button, the road the
// calls take (typed vtable or by name), what the last call gave back, a log of the calls, and a
// status line with the catalog's path and counts.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>

#include "contracts/data_objects.h"
#include "facade/mundor_fx_interface.h"
#include "host/background_counter.h"
#include "host/call_runner.h"
#include "runtime/ref.h"

class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

namespace mundor::host {

class HostWindow final : public QMainWindow {
  public:
    HostWindow(rt::Ref<_MundorFx> fx, rt::Ref<nubex::Catalog> catalog,
               std::filesystem::path catalogPath, bool byName, QWidget* parent = nullptr);

    // Whether the status line's counts answer the last call (they are counted in the background).
    bool CountsSettled() const { return counter_.Settled(); }
    // Runs `action` once the status line shows settled counts: now, or when they arrive.
    void WhenCountsSettled(std::function<void()> action);

  private:
    QWidget* NewTopBar(bool byName);
    QWidget* NewResultBox();
    void ShowCallUnderWay(const CallRecord& record);
    void ShowCall(const CallRecord& record);
    void RefreshStatus();
    void ShowStatus();
    void ShowCounts(const std::optional<CatalogCounts>& counts);

    CallRunner runner_;
    std::filesystem::path catalogPath_;
    QLabel* result_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* status_ = nullptr;
    QString countsText_;
    std::function<void()> afterCounts_;
    BackgroundCounter counter_;  // last: its count ends before the widgets go
};

}  // namespace mundor::host
