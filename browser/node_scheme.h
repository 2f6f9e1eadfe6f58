// How a node of the geography tree names its record: a level prefix followed by the record's
// Sys_GUID text as the node's key, and the text the node shows. The browser's commands and its
// tree loading both read keys back through these functions.
#pragma once

#include <string>
#include <string_view>

namespace mundor::browser {

enum class NodeLevel { Country, State, City };

// Written in exactly this case; decoding a key removes them in exactly this case too.
inline constexpr std::u16string_view kCountryPrefix = u"Sys";
inline constexpr std::u16string_view kStatePrefix = u"EDO";
inline constexpr std::u16string_view kCityPrefix = u"CTY";

std::u16string NodeKey(std::u16string_view prefix, std::u16string_view sysGuid);

// "(" codigoTel ") " Nombre; an empty area code keeps its parentheses and the blank after them.
std::u16string CountryNodeText(std::u16string_view codigoTel, std::u16string_view nombre);

// The level a key stands for: its first three characters, folded to lower case, compared with
// "sys" and then "edo"; anything else is taken for a city (no key is ever tested for "cty").
NodeLevel LevelOfKey(std::u16string_view key);

// The Sys_GUID text a key carries: the key with every occurrence of `prefix` taken out, matched
// exactly as to case, not only the leading one. A single pass, as a plain text replace does: what
// the removals bring together is not searched again.
std::u16string IdentifierOfKey(std::u16string_view key, std::u16string_view prefix);

}  // namespace mundor::browser
