// The run-time errors of the user-interface platform: the numbers its windows, controls and tree
// report, with their Spanish texts. Every toolkit raises these, so the component's code sees the
// same failure on any of them.
#pragma once

#include <string_view>

#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::ui::err {

inline constexpr LONG kControlArrayElementMissing = 340;
inline constexpr LONG kObjectUnloaded = 364;
inline constexpr LONG kAlreadyShownModal = 400;
inline constexpr LONG kControlNotFound = 730;
inline constexpr LONG kIndexOutOfBounds = 35600;
inline constexpr LONG kElementNotFound = 35601;
inline constexpr LONG kKeyNotUnique = 35602;
inline constexpr LONG kNodeRemoved = 35605;
// No toolkit is installed on the calling thread.
inline constexpr LONG kNoToolkit = 32760;

// Raise the platform's error with its own text; `name` completes the texts that name a control
// or an element.
[[noreturn]] MUNDOR_API void RaiseControlNotFound(std::u16string_view window,
                                                  std::u16string_view control);
[[noreturn]] MUNDOR_API void RaiseControlArrayElementMissing(std::u16string_view control,
                                                             LONG index);
[[noreturn]] MUNDOR_API void RaiseWrongControlKind(std::u16string_view control);
[[noreturn]] MUNDOR_API void RaiseObjectUnloaded(std::u16string_view window);
[[noreturn]] MUNDOR_API void RaiseAlreadyShownModal(std::u16string_view window);
[[noreturn]] MUNDOR_API void RaiseIndexOutOfBounds();
[[noreturn]] MUNDOR_API void RaiseElementNotFound();
[[noreturn]] MUNDOR_API void RaiseKeyNotUnique();
[[noreturn]] MUNDOR_API void RaiseNodeRemoved();
[[noreturn]] MUNDOR_API void RaiseNoToolkit();
[[noreturn]] MUNDOR_API void RaiseUnknownProperty(std::u16string_view property);
[[noreturn]] MUNDOR_API void RaiseInvalidCall(std::u16string_view why);

}  // namespace mundor::ui::err
