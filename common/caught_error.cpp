#include "common/caught_error.h"

namespace mundor::common {

rt::RuntimeError CaughtError() {
    return rt::CurrentError();
}

}  // namespace mundor::common
