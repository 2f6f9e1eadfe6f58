// What a call gave back, in words: the kind of the value and the value, as the window and its
// call log show them ("Boolean: True", "Long: 1234", "Integer: 0", "Pais 12 «México»"), and a
// failure as its number and text ("Error 91: Variable de objeto...").
#pragma once

#include <string>

#include "runtime/com_types.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace mundor::host {

std::u16string DescribeValue(const rt::Variant& value);
// A catalog or record by its kind; a record with its Sys_PK and Nombre. "Nothing" when empty.
std::u16string DescribeObject(IDispatch* object);
std::u16string DescribeError(const rt::RuntimeError& error);

}  // namespace mundor::host
