// The run-time errors of the Qt toolkit itself: it needs the host's QApplication, and it works
// only on the thread that runs it.
#pragma once

#include "runtime/com_types.h"

namespace mundor::ui::qt::err {

// The process has no QApplication (or only a core or GUI application without widgets).
inline constexpr LONG kNoApplication = 32762;
// A window or message box was asked for on a thread other than the QApplication's.
inline constexpr LONG kNotUserInterfaceThread = 32763;

// Raises one of the two errors above unless widgets can be made on the calling thread.
void RequireWidgetsThread();

}  // namespace mundor::ui::qt::err
