// The component's log on Qt's logging, for a Qt host: the runtime's log of dropped errors goes to
// the categories "mundor.<area>" ("mundor.ui", "mundor.runtime", "mundor.facade") as warnings,
// where QT_LOGGING_RULES and the host's message handler decide what becomes of them. Like the
// runtime's own default, those warnings are on when MUNDOR_LOG is set and off otherwise; rules
// can turn them on or off either way.
//
//   QApplication application(argc, argv);
//   mundor::ui::qt::RouteLogToQt();
#pragma once

#include "runtime/export.h"

namespace mundor::ui::qt {

// Installs the runtime's log sink (rt::SetLogSink) for the whole process.
MUNDOR_API void RouteLogToQt();

}  // namespace mundor::ui::qt
