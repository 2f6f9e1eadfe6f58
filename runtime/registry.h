// The class registry: which library serves which class, under which ProgID and type library.
// Two files hold it: the user's own (~/.local/share/mundor/registry.ini, or under
// $XDG_DATA_HOME), which registrations write, and the machine's (/etc/mundor/registry.ini, or
// $MUNDOR_SYSTEM_REGISTRY), which a package's installer writes with `mundor-regsvr --system`.
// Lookups read both, and the user's entry wins where both name the same class or ProgID. A
// store moved with SetRegistryPath (tests, mundor-regsvr) or with the MUNDOR_REGISTRY
// environment variable replaces both.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/com_types.h"
#include "runtime/object.h"
#include "runtime/ref.h"

namespace mundor::rt {

MUNDOR_API std::string GuidToString(const GUID& guid);  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
MUNDOR_API std::optional<GUID> GuidFromString(std::string_view text);

// The file registrations write: the user's own, unless moved.
MUNDOR_API std::string RegistryPath();
MUNDOR_API void SetRegistryPath(std::string path);  // empty: back to the default location
MUNDOR_API std::string SystemRegistryPath();

// One section of the store: its heading ("CLSID {...}", "ProgID Mundor.MundorFx", ...) and values.
struct RegistrySection {
    std::string heading;
    std::map<std::string, std::string> values;
};

// Reads the registry (both files unless moved) and rewrites the file registrations write, under an
// exclusive file lock; writes replace the file atomically.
class MUNDOR_API RegistryStore {
  public:
    static std::vector<RegistrySection> Read();
    static HRESULT Write(const std::vector<RegistrySection>& add,
                         const std::vector<std::string>& removeHeadings);
};

struct ClassRegistration {
    CLSID clsid;
    std::string progId;
    std::string library;
};
MUNDOR_API std::optional<ClassRegistration> FindClassByProgId(std::string_view progId);
MUNDOR_API std::optional<ClassRegistration> FindClassById(const CLSID& clsid);

// Class objects registered by a library that is linked into the process (no file lookup).
MUNDOR_API HRESULT RegisterClassObject(const CLSID& clsid, CreateInstanceFn create);
MUNDOR_API void RevokeClassObject(const CLSID& clsid);

// Creates an object: in-process registrations first, then the store (dlopen + DllGetClassObject).
MUNDOR_API HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, REFIID riid, void** ppv);
MUNDOR_API HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid);

// Late-bound creation as hosts write it; raises the platform's error 429 when it cannot.
MUNDOR_API Ref<IDispatch> CreateObject(std::u16string_view progId);
template <class I>
Ref<I> CreateInstance(const CLSID& clsid);

}  // namespace mundor::rt

#include "runtime/error.h"
#include "runtime/export.h"

template <class I>
mundor::rt::Ref<I> mundor::rt::CreateInstance(const CLSID& clsid) {
    Ref<I> out;
    ThrowIfFailed(
        CoCreateInstance(clsid, nullptr, uuidof<I>(), reinterpret_cast<void**>(out.put())));
    return out;
}
