#include "host/option_value.h"

#include <string>

namespace mundor::host {

CLI::Validator PlainOptionValue() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            if (value.empty()) return "le falta el valor: está vacío";
            if (value.front() == '-') {
                return "le falta el valor: \"" + value +
                       "\" es otra opción (un archivo que empieza por '-' se escribe ./" + value +
                       ")";
            }
            return {};
        },
        "", "PlainOptionValue");
}

}  // namespace mundor::host
