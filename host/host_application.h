// The host's run from start to end: the catalog (created and filled with the world on first
// use), the component registered and created by its ProgID, the catalog bound, the Qt toolkit
// installed on this thread, and the main window until it closes. A QApplication must exist.
#pragma once

#include "host/host_options.h"

namespace mundor::host {

// Returns the program's exit status (host_errors.h). A failure to start is told on stderr and,
// in an interactive run, in a message box.
int RunHost(const HostOptions& options);

}  // namespace mundor::host
