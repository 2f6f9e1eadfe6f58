#include "nubex/import/world_guid.h"

#include <uuid/uuid.h>

#include "nubex/import/import_error.h"

namespace nubex::import {
namespace {

const char* NamePrefix(RowKind kind) {
    switch (kind) {
        case RowKind::kPais:
            return "country:";
        case RowKind::kEdoProv:
            return "state:";
        case RowKind::kCiudad:
            return "city:";
    }
    return "";
}

}  // namespace

WorldGuid::WorldGuid(const std::string& namespaceText) {
    if (uuid_parse(namespaceText.c_str(), namespace_.data()) != 0) {
        throw ImportError(ImportErrc::kDatasetCorrupt,
                          "Espacio de nombres de identificadores no válido: " + namespaceText);
    }
}

std::string WorldGuid::For(RowKind kind, std::int64_t id) const {
    const std::string name = NamePrefix(kind) + std::to_string(id);
    uuid_t value;
    uuid_generate_sha1(value, namespace_.data(), name.data(), name.size());
    char text[37];
    uuid_unparse_upper(value, text);
    return text;
}

}  // namespace nubex::import
