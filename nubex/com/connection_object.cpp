#include "nubex/com/connection_object.h"

#include "nubex/com/abi.h"
#include "nubex/com/module.h"
#include "nubex/errors.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

// Asked of a Connection to learn whether this library made it; never published.
constexpr IID kIID_ConnectionObject = {
    0x35DD9821, 0x2885, 0x4D63, {0x80, 0x5F, 0x35, 0xF5, 0x89, 0xC7, 0x4B, 0x15}};

}  // namespace

ConnectionObject::ConnectionObject(std::shared_ptr<db::Database> database)
    : DispatchObject(Module()), database_(std::move(database)) {}

const rt::DispatchTableBase& ConnectionObject::Table() {
    static const rt::DispatchTable<ConnectionObject> table{
        {u"Backend",
         1,
         rt::MemberKind::Get,
         {},
         VT_BSTR,
         [](ConnectionObject& self, rt::Frame& f) { return self.get_Backend(f.RetStr()); }},
    };
    return table;
}

bool ConnectionObject::QueryExtraInterface(REFIID riid, void** ppv) {
    if (!(riid == kIID_ConnectionObject)) return false;
    *ppv = static_cast<nubex::Connection*>(this);
    return true;
}

HRESULT ConnectionObject::get_Backend(BSTR* result) {
    return Produce(result, [&] { return AllocText(database_->BackendName()); });
}

std::shared_ptr<db::Database> ConnectionObject::DatabaseOf(nubex::Connection* connection) {
    if (!connection) return nullptr;
    nubex::Connection* ours = nullptr;
    if (FAILED(
            connection->QueryInterface(kIID_ConnectionObject, reinterpret_cast<void**>(&ours)))) {
        rt::Raise(err::kForeignConnection.number, std::u16string(err::kForeignConnection.text));
    }
    rt::Ref<ConnectionObject> object =
        rt::Ref<ConnectionObject>::Attach(static_cast<ConnectionObject*>(ours));
    return object->database();
}

}  // namespace nubex::com
