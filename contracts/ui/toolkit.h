// The window service: what the component asks of whichever toolkit the host runs it on (the
// headless toolkit in tests, Qt Widgets in a desktop host). The host installs one toolkit per
// user-interface thread; the component finds it there and never names a toolkit.
#pragma once

#include <memory>

#include "contracts/ui/form_definition.h"
#include "contracts/ui/message_box.h"
#include "contracts/ui/window.h"
#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui {

class MUNDOR_API Toolkit {
  public:
    Toolkit() = default;
    virtual ~Toolkit() = default;
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    // Builds a window and its controls from `form`, not yet loaded or shown. `events` receives
    // the window's events and must outlive the window (the logic usually owns its window).
    // A definition that CheckFormDefinition refuses raises its error.
    virtual std::unique_ptr<Window> CreateWindow(const FormDefinition& form,
                                                 FormEvents& events) = 0;
    // Shows the box and blocks until it is answered; returns the answer code.
    virtual LONG MsgBox(const MessageBoxRequest& request) = 0;
};

// The toolkit of the calling thread. Installing does not take ownership; null uninstalls.
MUNDOR_API void SetThreadToolkit(Toolkit* toolkit);
// Raises kNoToolkit when the thread has none installed.
MUNDOR_API Toolkit& ThreadToolkit();
MUNDOR_API bool HasThreadToolkit();

// Installs a toolkit for a scope and puts the earlier one back when it ends.
class MUNDOR_API ScopedThreadToolkit {
  public:
    explicit ScopedThreadToolkit(Toolkit& toolkit);
    ~ScopedThreadToolkit();
    ScopedThreadToolkit(const ScopedThreadToolkit&) = delete;
    ScopedThreadToolkit& operator=(const ScopedThreadToolkit&) = delete;

  private:
    Toolkit* previous_;
};

}  // namespace mundor::ui
