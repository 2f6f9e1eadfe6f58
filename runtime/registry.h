// The class registry: which library serves which class, under which ProgID and type library.
// It lives in one per-user file that every process on the machine shares; tests move it with
// SetRegistryPath (or the MUNDOR_REGISTRY environment variable).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/com_types.h"
#include "runtime/object.h"
#include "runtime/ref.h"

namespace mundor::rt {

std::string GuidToString(const GUID& guid);  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
std::optional<GUID> GuidFromString(std::string_view text);

std::string RegistryPath();
void SetRegistryPath(std::string path);  // empty: back to the default location

// One section of the store: its heading ("CLSID {...}", "ProgID Mundor.MundorFx", ...) and values.
struct RegistrySection {
    std::string heading;
    std::map<std::string, std::string> values;
};

// Reads and rewrites the store under an exclusive file lock; writes replace the file atomically.
class RegistryStore {
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
std::optional<ClassRegistration> FindClassByProgId(std::string_view progId);
std::optional<ClassRegistration> FindClassById(const CLSID& clsid);

// Class objects registered by a library that is linked into the process (no file lookup).
HRESULT RegisterClassObject(const CLSID& clsid, CreateInstanceFn create);
void RevokeClassObject(const CLSID& clsid);

// Creates an object: in-process registrations first, then the store (dlopen + DllGetClassObject).
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, REFIID riid, void** ppv);
HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid);

// Late-bound creation as hosts write it; raises the platform's error 429 when it cannot.
Ref<IDispatch> CreateObject(std::u16string_view progId);
template <class I>
Ref<I> CreateInstance(const CLSID& clsid);

}  // namespace mundor::rt

#include "runtime/error.h"

template <class I>
mundor::rt::Ref<I> mundor::rt::CreateInstance(const CLSID& clsid) {
    Ref<I> out;
    ThrowIfFailed(
        CoCreateInstance(clsid, nullptr, uuidof<I>(), reinterpret_cast<void**>(out.put())));
    return out;
}
