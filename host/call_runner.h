// Runs the window's calls into the component on the road the user chose (typed vtable or by
// name), turns what came back, or the failure, into words, and tells the window.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "host/fx_members.h"

namespace mundor::host {

struct CallRecord {
    QString call;  // "DelPais_BySysPK(Sys_PK:=12, Ask:=True)"
    bool byName = false;
    QString outcome;  // "Boolean: True", or "Error 91: ..."
    bool failed = false;
};

class CallRunner {
  public:
    CallRunner(std::unique_ptr<FxMembers> typed, std::unique_ptr<FxMembers> byName);

    void SetByName(bool byName) { byName_ = byName; }
    bool ByName() const { return byName_; }

    // `body` makes the call and says what it gave back; a run-time error it raises becomes the
    // outcome instead. Every call starts with `onCallStarted` and ends in `onCallEnded`.
    void Run(const QString& call, const std::function<std::u16string(FxMembers&)>& body);

    // Before the call: it may show a window or a box and run for as long as the user takes.
    std::function<void(const CallRecord&)> onCallStarted;
    std::function<void(const CallRecord&)> onCallEnded;

  private:
    std::unique_ptr<FxMembers> typed_;
    std::unique_ptr<FxMembers> named_;
    bool byName_ = false;
};

}  // namespace mundor::host
