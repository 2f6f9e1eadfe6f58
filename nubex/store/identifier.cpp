#include "nubex/store/identifier.h"

#include <uuid/uuid.h>

namespace nubex::store {

std::u16string NewIdentifier() {
    uuid_t value;
    uuid_generate(value);
    char text[37];
    uuid_unparse_upper(value, text);
    return std::u16string(text, text + 36);
}

}  // namespace nubex::store
