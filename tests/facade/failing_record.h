// A city record whose delete fails with a given HRESULT: the one stand-in the facade tests use,
// to reach failures the real data library does not produce (a negative error number).
#pragma once

#include <string>

#include "contracts/data_objects.h"
#include "runtime/ref.h"

namespace mundor::testing {

rt::Ref<nubex::Ciudad> NewCityWhoseDeleteFails(HRESULT failure, std::u16string description);

}  // namespace mundor::testing
