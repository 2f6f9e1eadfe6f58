#include "runtime/regsvr/served_classes.h"

namespace mundor::regsvr {

namespace {

const rt::RegistrySection* Find(const std::vector<rt::RegistrySection>& registry,
                                const std::string& heading) {
    for (const rt::RegistrySection& section : registry) {
        if (section.heading == heading) return &section;
    }
    return nullptr;
}

std::string ValueOf(const rt::RegistrySection& section, const std::string& key) {
    const auto found = section.values.find(key);
    return found == section.values.end() ? std::string() : found->second;
}

}  // namespace

std::vector<ServedClass> ClassesServedBy(const std::vector<rt::RegistrySection>& registry,
                                         const std::filesystem::path& library) {
    static const std::string kProgIdHeading = "ProgID ";
    std::vector<ServedClass> served;
    for (const rt::RegistrySection& progId : registry) {
        if (!progId.heading.starts_with(kProgIdHeading)) continue;
        const std::string clsid = ValueOf(progId, "CLSID");
        const rt::RegistrySection* cls = Find(registry, "CLSID " + clsid);
        if (!cls) continue;
        std::error_code error;
        if (!std::filesystem::equivalent(ValueOf(*cls, "InprocServer"), library, error)) continue;
        served.push_back({progId.heading.substr(kProgIdHeading.size()), clsid});
    }
    return served;
}

}  // namespace mundor::regsvr
