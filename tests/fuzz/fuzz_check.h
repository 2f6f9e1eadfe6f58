// What the fuzz targets share: a broken promise stops the run with a sentence naming the target
// (libFuzzer then keeps the input that broke it), and the fuzzer's bytes read as UTF-16 text.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace mundor::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what.c_str());
    std::abort();
}

// The bytes as UTF-16 code units; an odd last byte is left out.
inline std::u16string Utf16Of(const std::uint8_t* data, std::size_t size) {
    return std::u16string(reinterpret_cast<const char16_t*>(data), size / 2);
}

}  // namespace mundor::fuzz
