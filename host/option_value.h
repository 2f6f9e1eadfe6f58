// A check for the values of mundor-host's options that take one: an empty value, or one that
// looks like an option ("--catalog --exit-after-first-paint" would otherwise open a catalog
// named "--exit-after-first-paint"), is refused with a clear message. A file whose name starts
// with '-' is given as "./-name".
#pragma once

#include <CLI/CLI.hpp>

namespace mundor::host {

CLI::Validator PlainOptionValue();

}  // namespace mundor::host
