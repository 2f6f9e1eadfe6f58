#include "runtime/registry.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "runtime/bstr.h"
#include "runtime/error.h"

namespace mundor::rt {

namespace {

struct InProcessClass {
    CLSID clsid;
    CreateInstanceFn create;
};
// The process-wide state lives until the process ends, so that a library's unload entry point
// may still revoke its classes during exit.
struct RegistryState {
    std::mutex mutex;
    std::string pathOverride;
    std::vector<InProcessClass> inProcess;
};

RegistryState& State() {
    static auto* state = new RegistryState;
    return *state;
}

// Holds an exclusive lock on the store's lock file for the life of the object, so that two
// processes registering at once cannot lose each other's entries.
class StoreLock {
  public:
    explicit StoreLock(const std::string& storePath) {
        fd_ = ::open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~StoreLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

  private:
    int fd_ = -1;
};

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<RegistrySection> ParseStore(std::istream& in) {
    std::vector<RegistrySection> sections;
    std::string line;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos || sections.empty()) continue;
        sections.back().values[Trimmed(line.substr(0, eq))] = Trimmed(line.substr(eq + 1));
    }
    return sections;
}

std::vector<RegistrySection> ReadUnlocked(const std::string& path) {
    std::ifstream in(path);
    if (!in) return {};
    return ParseStore(in);
}

// The lock file lives beside the store, so the folder must exist before the first writer locks.
void CreateParentFolder(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
}

bool WriteUnlocked(const std::string& path, const std::vector<RegistrySection>& sections) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out) return false;
        out << "# Class registry of the Mundor component runtime.\n";
        for (const RegistrySection& s : sections) {
            out << "\n[" << s.heading << "]\n";
            for (const auto& [key, value] : s.values) out << key << '=' << value << '\n';
        }
        out.flush();
        if (!out) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

const RegistrySection* FindSection(const std::vector<RegistrySection>& all,
                                   const std::string& heading) {
    for (const RegistrySection& s : all) {
        if (s.heading == heading) return &s;
    }
    return nullptr;
}

std::string Value(const RegistrySection* s, const std::string& key) {
    if (!s) return {};
    auto it = s->values.find(key);
    return it == s->values.end() ? std::string() : it->second;
}

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);

// Libraries stay loaded for the life of the process once a class of theirs was created, as an
// in-process server does on the platform unless the host frees unused libraries.
HRESULT ClassObjectFromLibrary(const std::string& library, REFCLSID clsid, void** factory) {
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<GetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
    if (!entry) return CO_E_ERRORINDLL;
    return entry(clsid, IID_IClassFactory, factory);
}

// The file registrations go to, and whether a test or the user moved it away from its place.
struct StoreLocation {
    std::string path;
    bool moved = false;
};

StoreLocation UserStore() {
    {
        std::lock_guard lock(State().mutex);
        if (!State().pathOverride.empty()) return {State().pathOverride, true};
    }
    if (const char* env = std::getenv("MUNDOR_REGISTRY"); env && *env) return {env, true};
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return {std::string(data) + "/mundor/registry.ini"};
    }
    const char* home = std::getenv("HOME");
    return {std::string(home && *home ? home : "/tmp") + "/.local/share/mundor/registry.ini"};
}

// Adds the sections of `lower` whose heading `upper` does not have: the user's own entries win.
void AddMissingSections(std::vector<RegistrySection>& upper, std::vector<RegistrySection> lower) {
    for (RegistrySection& section : lower) {
        if (!FindSection(upper, section.heading)) upper.push_back(std::move(section));
    }
}

}  // namespace

std::string GuidToString(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

std::optional<GUID> GuidFromString(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    const std::string s(text.substr(1, 36));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash != (s[i] == '-')) return std::nullopt;
        if (!dash && !std::isxdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
    }
    auto hex = [&](std::size_t pos, std::size_t len) {
        return static_cast<std::uint32_t>(std::stoul(s.substr(pos, len), nullptr, 16));
    };
    GUID g{};
    g.Data1 = hex(0, 8);
    g.Data2 = static_cast<std::uint16_t>(hex(9, 4));
    g.Data3 = static_cast<std::uint16_t>(hex(14, 4));
    g.Data4[0] = static_cast<std::uint8_t>(hex(19, 2));
    g.Data4[1] = static_cast<std::uint8_t>(hex(21, 2));
    for (std::size_t i = 0; i < 6; ++i) {
        g.Data4[2 + i] = static_cast<std::uint8_t>(hex(24 + 2 * i, 2));
    }
    return g;
}

std::string RegistryPath() {
    return UserStore().path;
}

std::string SystemRegistryPath() {
    if (const char* env = std::getenv("MUNDOR_SYSTEM_REGISTRY"); env && *env) return env;
    return MUNDOR_SYSTEM_REGISTRY;  // set by the build: /etc/mundor/registry.ini
}

void SetRegistryPath(std::string path) {
    std::lock_guard lock(State().mutex);
    State().pathOverride = std::move(path);
}

std::vector<RegistrySection> RegistryStore::Read() {
    const StoreLocation user = UserStore();
    std::vector<RegistrySection> sections;
    {
        StoreLock lock(user.path);
        sections = ReadUnlocked(user.path);
    }
    // The system store is replaced by rename only, so it reads whole without a lock (which a
    // user could not take in a folder of root's anyway).
    if (!user.moved) AddMissingSections(sections, ReadUnlocked(SystemRegistryPath()));
    return sections;
}

HRESULT RegistryStore::Write(const std::vector<RegistrySection>& add,
                             const std::vector<std::string>& removeHeadings) {
    const std::string path = RegistryPath();
    CreateParentFolder(path);
    StoreLock lock(path);
    std::vector<RegistrySection> all = ReadUnlocked(path);
    std::erase_if(all, [&](const RegistrySection& s) {
        for (const std::string& h : removeHeadings) {
            if (s.heading == h) return true;
        }
        for (const RegistrySection& n : add) {
            if (s.heading == n.heading) return true;
        }
        return false;
    });
    all.insert(all.end(), add.begin(), add.end());
    return WriteUnlocked(path, all) ? S_OK : SELFREG_E_CLASS;
}

std::optional<ClassRegistration> FindClassByProgId(std::string_view progId) {
    const auto all = RegistryStore::Read();
    const std::string clsidText = Value(FindSection(all, "ProgID " + std::string(progId)), "CLSID");
    const auto clsid = GuidFromString(clsidText);
    if (!clsid) return std::nullopt;
    const RegistrySection* cls = FindSection(all, "CLSID " + clsidText);
    if (!cls) return std::nullopt;
    return ClassRegistration{*clsid, std::string(progId), Value(cls, "InprocServer")};
}

std::optional<ClassRegistration> FindClassById(const CLSID& clsid) {
    const auto all = RegistryStore::Read();
    const RegistrySection* cls = FindSection(all, "CLSID " + GuidToString(clsid));
    if (!cls) return std::nullopt;
    return ClassRegistration{clsid, Value(cls, "ProgID"), Value(cls, "InprocServer")};
}

HRESULT RegisterClassObject(const CLSID& clsid, CreateInstanceFn create) {
    if (!create) return E_INVALIDARG;
    std::lock_guard lock(State().mutex);
    for (InProcessClass& c : State().inProcess) {
        if (c.clsid == clsid) {
            c.create = create;
            return S_OK;
        }
    }
    State().inProcess.push_back({clsid, create});
    return S_OK;
}

void RevokeClassObject(const CLSID& clsid) {
    std::lock_guard lock(State().mutex);
    std::erase_if(State().inProcess, [&](const InProcessClass& c) { return c.clsid == clsid; });
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    CreateInstanceFn inProcess = nullptr;
    {
        std::lock_guard lock(State().mutex);
        for (const InProcessClass& c : State().inProcess) {
            if (c.clsid == clsid) inProcess = c.create;
        }
    }
    if (inProcess) return inProcess(outer, riid, ppv);
    const auto registration = FindClassById(clsid);
    if (!registration || registration->library.empty()) return REGDB_E_CLASSNOTREG;
    IClassFactory* factory = nullptr;
    const HRESULT hr =
        ClassObjectFromLibrary(registration->library, clsid, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    const HRESULT created = factory->CreateInstance(outer, riid, ppv);
    factory->Release();
    return created;
}

HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid) {
    if (!progId || !clsid) return E_INVALIDARG;
    const auto registration = FindClassByProgId(Utf16ToUtf8(progId));
    if (!registration) return CO_E_CLASSSTRING;
    *clsid = registration->clsid;
    return S_OK;
}

Ref<IDispatch> CreateObject(std::u16string_view progId) {
    const std::u16string id(progId);
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(id.c_str(), &clsid))) Raise(err::kCannotCreateObject);
    Ref<IDispatch> object;
    const HRESULT hr =
        CoCreateInstance(clsid, nullptr, IID_IDispatch, reinterpret_cast<void**>(object.put()));
    if (FAILED(hr)) Raise(err::kCannotCreateObject);
    return object;
}

}  // namespace mundor::rt
