// The member console, for people who integrate the component: every public member of
// Mundor.MundorFx behind a button, the road the calls take (typed vtable or by name), what the
// last call gave back and a log of the calls. The main window opens it from Herramientas →
// Consola de miembros.
#pragma once

#include <QMainWindow>
#include <functional>

#include "contracts/data_objects.h"
#include "facade/mundor_fx_interface.h"
#include "host/call_runner.h"
#include "runtime/ref.h"

class QLabel;
class QPlainTextEdit;

namespace mundor::host {

class ConsoleWindow final : public QMainWindow {
  public:
    ConsoleWindow(rt::Ref<_MundorFx> fx, rt::Ref<nubex::Catalog> catalog, bool byName,
                  QWidget* parent = nullptr);

    // After every call: a call may have changed the catalog.
    std::function<void()> afterCall;

  private:
    QWidget* NewTopBar(bool byName);
    QWidget* NewResultBox();
    void ShowCallUnderWay(const CallRecord& record);
    void ShowCall(const CallRecord& record);

    CallRunner runner_;
    QLabel* result_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
};

}  // namespace mundor::host
