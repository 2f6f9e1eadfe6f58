// Run-time errors: the exception that carries one through C++ code, the thread's record of the
// most recent one, and their translation to and from the COM ABI (HRESULT, EXCEPINFO).
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::rt {

// Numbers the platform uses for its own run-time errors.
namespace err {
inline constexpr LONG kInvalidCall = 5;
inline constexpr LONG kOverflow = 6;
inline constexpr LONG kOutOfMemory = 7;
inline constexpr LONG kTypeMismatch = 13;
inline constexpr LONG kObjectNotSet = 91;
inline constexpr LONG kLibraryNotLoadable = 48;
inline constexpr LONG kCannotCreateObject = 429;
inline constexpr LONG kMemberNotFound = 438;
inline constexpr LONG kArgumentNotOptional = 449;
inline constexpr LONG kWrongArgumentCount = 450;
inline constexpr LONG kEntryPointMissing = 453;
}  // namespace err

// Visible across libraries so that one library's throw is caught by another's handler.
class MUNDOR_API RuntimeError : public std::exception {
  public:
    RuntimeError(LONG number, std::u16string description, std::u16string source = u"");
    ~RuntimeError() override;
    LONG number() const { return number_; }
    const std::u16string& description() const { return description_; }
    const std::u16string& source() const { return source_; }
    HRESULT hresult() const;
    const char* what() const noexcept override;

  private:
    LONG number_;
    std::u16string description_;
    std::u16string source_;
    std::string what_;
};

// The platform's own text for one of its error numbers (Spanish, like the rest of the UI);
// a generic text for any other number.
MUNDOR_API std::u16string StandardDescription(LONG number);

// An error number as the platform reports it: the low word of a 0x800A.... HRESULT, otherwise
// the HRESULT itself (a negative number).
MUNDOR_API LONG ErrorNumberFromHResult(HRESULT hr);
MUNDOR_API HRESULT HResultFromErrorNumber(LONG number);
// Maps the dispatch HRESULTs onto the platform's numbers (unknown member -> 438, ...).
MUNDOR_API LONG ErrorNumberForDispatchFailure(HRESULT hr);

// The thread's most recent run-time error: number 0 and an empty description when none.
struct ErrorRecord {
    LONG number = 0;
    std::u16string description;
    std::u16string source;
    HRESULT hresult = S_OK;
};
MUNDOR_API const ErrorRecord& LastError();
MUNDOR_API void ClearLastError();
MUNDOR_API void RecordError(const RuntimeError& error);

[[noreturn]] MUNDOR_API void Raise(LONG number, std::u16string description = u"",
                                   std::u16string source = u"");
[[noreturn]] MUNDOR_API void RaiseObjectNotSet();

// The error a failed call stands for: the thread's record when it was made for this HRESULT,
// otherwise one built from the HRESULT alone.
MUNDOR_API RuntimeError ErrorFromHResult(HRESULT hr);
MUNDOR_API RuntimeError ErrorFromExcepInfo(const EXCEPINFO& info);
inline void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ErrorFromHResult(hr);
}

MUNDOR_API void FillExcepInfo(EXCEPINFO* info, const RuntimeError& error);
MUNDOR_API void ClearExcepInfo(EXCEPINFO* info);

// Runs a callee body at the ABI edge: any exception becomes a recorded error and its HRESULT,
// so nothing C++ ever unwinds through a vtable slot.
MUNDOR_API HRESULT ReportToCaller(const RuntimeError& error);
MUNDOR_API HRESULT ReportCurrentException();
// The run-time error being handled, whatever was thrown; it also becomes the thread's most recent
// run-time error. Call it only inside a catch block.
MUNDOR_API RuntimeError CurrentError();
template <class Body>
HRESULT Guard(Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (...) {
        return ReportCurrentException();
    }
}

}  // namespace mundor::rt
