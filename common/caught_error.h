// The error a failure path has caught, as the platform reports it to code that handles errors.
#pragma once

#include "runtime/error.h"

namespace mundor::common {

// The run-time error being handled, whatever was thrown; it also becomes the thread's most
// recent run-time error, as the platform records it. Call it only inside a catch block.
rt::RuntimeError CaughtError();

}  // namespace mundor::common
