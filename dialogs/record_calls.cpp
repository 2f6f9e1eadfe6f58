#include "dialogs/record_calls.h"

#include "runtime/ref.h"

namespace mundor::dialogs {

namespace {
constexpr LONG kLoadByKeyMode = 1;
}  // namespace

void SetConnection(nubex::DataRecord& record, nubex::Connection* connection) {
    // A copy of our own: the callee may replace the reference it is handed.
    rt::Ref<nubex::Connection> given(connection);
    rt::ThrowIfFailed(record.SetConnection(given.slot()));
}

void NewRecord(nubex::DataRecord& record) {
    VARIANT_BOOL ignored = VARIANT_FALSE;
    rt::ThrowIfFailed(record.NewRecord(&ignored));
}

bool SaveRecord(nubex::DataRecord& record) {
    VARIANT_BOOL saved = VARIANT_FALSE;
    rt::ThrowIfFailed(record.SaveRecord(&saved));
    return saved != VARIANT_FALSE;
}

LONG ErrorCode(nubex::DataRecord& record) {
    LONG code = 0;
    rt::ThrowIfFailed(record.get_ErrorCode(&code));
    return code;
}

std::u16string ErrorDescription(nubex::DataRecord& record) {
    rt::BString text;
    rt::ThrowIfFailed(record.get_ErrorDescription(text.put()));
    return text.str();
}

void LoadParentByKey(nubex::DataRecord& parent, LONG key) {
    rt::BString noGuid(u"");
    rt::Ref<nubex::Connection> noConnection;
    LONG mode = kLoadByKeyMode;
    VARIANT_BOOL ignored = VARIANT_FALSE;
    rt::ThrowIfFailed(parent.LoadRecord(&key, noGuid.slot(), noConnection.slot(), &mode, &ignored));
}

}  // namespace mundor::dialogs
