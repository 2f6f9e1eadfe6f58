#include "contracts/ui/toolkit.h"

namespace mundor::ui {

namespace {

// One slot per thread, kept in this shared library so that the host, the toolkit and every
// component loaded into the process see the same one.
thread_local Toolkit* tThreadToolkit = nullptr;

}  // namespace

void SetThreadToolkit(Toolkit* toolkit) {
    tThreadToolkit = toolkit;
}

Toolkit& ThreadToolkit() {
    if (!tThreadToolkit) err::RaiseNoToolkit();
    return *tThreadToolkit;
}

bool HasThreadToolkit() {
    return tThreadToolkit != nullptr;
}

ScopedThreadToolkit::ScopedThreadToolkit(Toolkit& toolkit) : previous_(tThreadToolkit) {
    tThreadToolkit = &toolkit;
}

ScopedThreadToolkit::~ScopedThreadToolkit() {
    tThreadToolkit = previous_;
}

}  // namespace mundor::ui
