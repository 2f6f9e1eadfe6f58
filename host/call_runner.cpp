#include "host/call_runner.h"

#include "host/value_text.h"
#include "runtime/error.h"

namespace mundor::host {

CallRunner::CallRunner(std::unique_ptr<FxMembers> typed, std::unique_ptr<FxMembers> byName)
    : typed_(std::move(typed)), named_(std::move(byName)) {}

void CallRunner::Run(const QString& call, const std::function<std::u16string(FxMembers&)>& body) {
    CallRecord record{call, byName_, {}, false};
    if (onCallStarted) onCallStarted(record);
    try {
        record.outcome = QString::fromStdU16String(body(byName_ ? *named_ : *typed_));
    } catch (const rt::RuntimeError& error) {
        record.outcome = QString::fromStdU16String(DescribeError(error));
        record.failed = true;
    } catch (const std::exception& error) {
        record.outcome = QStringLiteral("Error: ") + QString::fromUtf8(error.what());
        record.failed = true;
    }
    if (onCallEnded) onCallEnded(record);
}

}  // namespace mundor::host
