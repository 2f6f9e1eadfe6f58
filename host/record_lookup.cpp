#include "host/record_lookup.h"

#include <string>

#include "host/host_errors.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/text.h"

namespace mundor::host {

rt::Ref<IDispatch> LoadRecordByKey(Level level, nubex::Catalog& catalog, LONG key) {
    auto record = rt::CreateInstance<nubex::DataRecord>(*InfoOf(level).recordClass);
    rt::Ref<nubex::Connection> connection;
    rt::ThrowIfFailed(catalog.get_ADOCnn(connection.put()));
    rt::BString noGuid;
    LONG byKey = 1;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    rt::ThrowIfFailed(record->LoadRecord(&key, noGuid.slot(), connection.slot(), &byKey, &loaded));
    if (loaded == VARIANT_FALSE) return {};
    return rt::Ref<IDispatch>(record);
}

rt::Ref<IDispatch> ChooseRecord(Level level, nubex::Catalog& catalog, LONG key) {
    if (key == 0) return {};
    rt::Ref<IDispatch> record = LoadRecordByKey(level, catalog, key);
    if (!record) {
        rt::Raise(err::kNoCurrentRecord,
                  u"No hay ningún registro " + std::u16string(InfoOf(level).recordType) +
                      u" con Sys_PK " + rt::DecimalText(key) +
                      u"; no se llamó al miembro.");
    }
    return record;
}

}  // namespace mundor::host
