#include "runtime/error.h"

#include <new>

#include "runtime/bstr.h"

namespace mundor::rt {

namespace {

// The record is only meaningful while tErrorRecorded is set. Every call by name clears it, so
// clearing must cost no more than a store: a plain flag, whose thread-local slot needs no
// constructor, rather than rewriting the record's strings. The flag sits in the static TLS block
// (the initial-exec model), reached without a __tls_get_addr call; one byte fits the space the
// loader keeps for libraries that are opened later with dlopen.
thread_local ErrorRecord tLastError;
[[gnu::tls_model("initial-exec")]] thread_local bool tErrorRecorded = false;
const ErrorRecord kNoError{};

constexpr std::uint32_t kPlatformFacility = 0x800A0000u;

}  // namespace

RuntimeError::RuntimeError(LONG number, std::u16string description, std::u16string source)
    : number_(number),
      description_(description.empty() ? StandardDescription(number) : std::move(description)),
      source_(std::move(source)),
      what_("(" + std::to_string(number) + ") " + Utf16ToUtf8(description_)) {}

RuntimeError::~RuntimeError() = default;

const char* RuntimeError::what() const noexcept {
    return what_.c_str();
}

HRESULT RuntimeError::hresult() const {
    return HResultFromErrorNumber(number_);
}

std::u16string StandardDescription(LONG number) {
    switch (number) {
        case 0:
            return u"";
        case err::kInvalidCall:
            return u"Llamada a procedimiento o argumento no válido";
        case err::kOverflow:
            return u"Desbordamiento";
        case err::kOutOfMemory:
            return u"Memoria insuficiente";
        case err::kTypeMismatch:
            return u"No coinciden los tipos";
        case err::kObjectNotSet:
            return u"Variable de objeto o bloque With no establecida";
        case err::kCannotCreateObject:
            return u"El componente no puede crear el objeto";
        case err::kMemberNotFound:
            return u"El objeto no admite esta propiedad o método";
        case err::kArgumentNotOptional:
            return u"El argumento no es opcional";
        case err::kWrongArgumentCount:
            return u"Número de argumentos incorrecto o asignación de propiedad no válida";
        default:
            break;
    }
    return u"Error definido por la aplicación o el objeto";
}

LONG ErrorNumberFromHResult(HRESULT hr) {
    const auto bits = static_cast<std::uint32_t>(hr);
    if ((bits & 0xFFFF0000u) == kPlatformFacility) return static_cast<LONG>(bits & 0xFFFFu);
    return ErrorNumberForDispatchFailure(hr);
}

HRESULT HResultFromErrorNumber(LONG number) {
    if (number > 0 && number <= 0xFFFF) {
        return static_cast<HRESULT>(kPlatformFacility | static_cast<std::uint32_t>(number));
    }
    if (number < 0) return number;
    return E_FAIL;
}

LONG ErrorNumberForDispatchFailure(HRESULT hr) {
    switch (hr) {
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_UNKNOWNNAME:
            return err::kMemberNotFound;
        case DISP_E_TYPEMISMATCH:
        case DISP_E_BADVARTYPE:
            return err::kTypeMismatch;
        case DISP_E_OVERFLOW:
            return err::kOverflow;
        case DISP_E_PARAMNOTOPTIONAL:
            return err::kArgumentNotOptional;
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_NONAMEDARGS:
        case DISP_E_PARAMNOTFOUND:
            return err::kWrongArgumentCount;
        case E_OUTOFMEMORY:
            return err::kOutOfMemory;
        case E_POINTER:
            return err::kObjectNotSet;
        case E_INVALIDARG:
            return err::kInvalidCall;
        case REGDB_E_CLASSNOTREG:
        case CO_E_CLASSSTRING:
        case CO_E_DLLNOTFOUND:
        case CLASS_E_CLASSNOTAVAILABLE:
            return err::kCannotCreateObject;
        default:
            break;
    }
    return hr;
}

const ErrorRecord& LastError() {
    return tErrorRecorded ? tLastError : kNoError;
}

void ClearLastError() {
    tErrorRecorded = false;
}

void RecordError(const RuntimeError& error) {
    tLastError = ErrorRecord{error.number(), error.description(), error.source(), error.hresult()};
    tErrorRecorded = true;
}

void Raise(LONG number, std::u16string description, std::u16string source) {
    throw RuntimeError(number, std::move(description), std::move(source));
}

void RaiseObjectNotSet() {
    Raise(err::kObjectNotSet);
}

RuntimeError ErrorFromHResult(HRESULT hr) {
    const ErrorRecord& last = LastError();
    if (last.hresult == hr && last.number != 0) {
        return RuntimeError(last.number, last.description, last.source);
    }
    return RuntimeError(ErrorNumberFromHResult(hr), u"");
}

RuntimeError ErrorFromExcepInfo(const EXCEPINFO& info) {
    LONG number = info.scode != 0 ? ErrorNumberFromHResult(info.scode) : info.wCode;
    if (number == 0) number = static_cast<LONG>(E_FAIL);
    return RuntimeError(number, std::u16string(info.bstrDescription ? info.bstrDescription : u""),
                        std::u16string(info.bstrSource ? info.bstrSource : u""));
}

void ClearExcepInfo(EXCEPINFO* info) {
    if (!info) return;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    *info = EXCEPINFO{};
}

void FillExcepInfo(EXCEPINFO* info, const RuntimeError& error) {
    if (!info) return;
    // The caller's structure is output only: what it held before may be garbage, not strings
    // of ours to free.
    *info = EXCEPINFO{};
    info->bstrSource = BString(error.source()).Detach();
    info->bstrDescription = BString(error.description()).Detach();
    info->scode = error.hresult();
}

HRESULT ReportToCaller(const RuntimeError& error) {
    RecordError(error);
    return error.hresult();
}

RuntimeError CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        RecordError(error);
        return error;
    } catch (...) {
        return ErrorFromHResult(ReportCurrentException());
    }
}

HRESULT ReportCurrentException() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return ReportToCaller(e);
    } catch (const std::bad_alloc&) {
        return ReportToCaller(RuntimeError(err::kOutOfMemory, u""));
    } catch (const std::exception& e) {
        return ReportToCaller(RuntimeError(static_cast<LONG>(E_FAIL), Utf8ToUtf16(e.what())));
    } catch (...) {
        return ReportToCaller(RuntimeError(static_cast<LONG>(E_FAIL), u""));
    }
}

}  // namespace mundor::rt
