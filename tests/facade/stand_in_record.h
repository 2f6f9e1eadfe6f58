// Stand-in records of each level for what a host's data library may do but ours never does:
// refuse a store with any ErrorCode (0 and negative ones too), record the refusal as the
// thread's last run-time error instead, or fail a store or a delete outright with any number.
// They keep their texts in memory and come filled in; a state's IPais and a city's Estado are
// stand-ins of their own.
#pragma once

#include <string>

#include "launch_road.h"
#include "runtime/com_types.h"
#include "runtime/ref.h"

namespace mundor::testing {

struct StandInOutcome {
    LONG errorCode = 0;  // every store is refused with this ErrorCode ...
    std::u16string errorDescription;
    std::u16string platformError;  // ... and, when not empty, this recorded as the last error
    HRESULT failure = S_OK;        // else SaveRecord and DeleteRecord fail with errorDescription
};

rt::Ref<IDispatch> NewStandIn(Level level, StandInOutcome outcome);

}  // namespace mundor::testing
