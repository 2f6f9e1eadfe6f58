// A host process that knows nothing but the ProgID: it creates Mundor.MundorFx through the
// class registry, stores the error properties through the vtable, reads them back by name, and
// prints what it saw. Exit code 0 only when both roads agree.
#include <cstdio>

#include "facade/mundor_client.h"
#include "runtime/call_by_name.h"

int main() {
    using namespace mundor;
    try {
        auto object = rt::CreateObject(u"Mundor.MundorFx");
        MundorClient fx(object.As<_MundorFx>());
        fx.SetLastErrorCode(42);
        fx.SetLastErrorDescrip(u"Desde otro proceso");
        const LONG code =
            rt::CallByName(object.get(), u"LastErrorCode", rt::CallType::Get).AsLong();
        const std::u16string text =
            rt::CallByName(object.get(), u"LastErrorDescrip", rt::CallType::Get).AsString();
        const bool unbound = !fx.DataObjects();
        std::printf("code=%d descrip=%s unbound=%d\n", code, rt::Utf16ToUtf8(text).c_str(),
                    unbound ? 1 : 0);
        return code == 42 && text == u"Desde otro proceso" && unbound ? 0 : 1;
    } catch (const rt::RuntimeError& e) {
        std::printf("error %d: %s\n", e.number(), rt::Utf16ToUtf8(e.description()).c_str());
        return 2;
    }
}
