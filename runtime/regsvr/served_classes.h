// The classes that a registry creates from one library file, by ProgID: what mundor-regsvr
// reports after it registered or unregistered the library.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/registry.h"

namespace mundor::regsvr {

struct ServedClass {
    std::string progId;
    std::string clsid;
    bool operator==(const ServedClass&) const = default;
};

std::vector<ServedClass> ClassesServedBy(const std::vector<rt::RegistrySection>& registry,
                                         const std::filesystem::path& library);

}  // namespace mundor::regsvr
