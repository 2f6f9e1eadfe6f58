// Runs a call that must fail and returns the run-time error it raised; the test fails when it
// raised none.
#pragma once

#include <functional>

#include <gtest/gtest.h>

#include "runtime/error.h"

namespace mundor::testing {

inline rt::RuntimeError ErrorFrom(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "the call raised no run-time error";
    return rt::RuntimeError(0, u"");
}

}  // namespace mundor::testing
