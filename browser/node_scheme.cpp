#include "browser/node_scheme.h"

#include "runtime/text.h"

namespace mundor::browser {

namespace {

constexpr std::size_t kLevelTagLength = 3;

std::u16string LevelTagOf(std::u16string_view key) {
    std::u16string tag(key.substr(0, kLevelTagLength));
    for (char16_t& unit : tag) unit = rt::FoldCase(unit);
    return tag;
}

}  // namespace

std::u16string NodeKey(std::u16string_view prefix, std::u16string_view sysGuid) {
    std::u16string key(prefix);
    key += sysGuid;
    return key;
}

std::u16string CountryNodeText(std::u16string_view codigoTel, std::u16string_view nombre) {
    std::u16string text = u"(";
    text += codigoTel;
    text += u") ";
    text += nombre;
    return text;
}

NodeLevel LevelOfKey(std::u16string_view key) {
    const std::u16string tag = LevelTagOf(key);
    if (tag == u"sys") return NodeLevel::Country;
    if (tag == u"edo") return NodeLevel::State;
    return NodeLevel::City;
}

std::u16string IdentifierOfKey(std::u16string_view key, std::u16string_view prefix) {
    if (prefix.empty()) return std::u16string(key);
    std::u16string identifier;
    identifier.reserve(key.size());
    std::size_t from = 0;
    for (std::size_t found = key.find(prefix); found != std::u16string_view::npos;
         found = key.find(prefix, from)) {
        identifier += key.substr(from, found - from);
        from = found + prefix.size();
    }
    identifier += key.substr(from);
    return identifier;
}

}  // namespace mundor::browser
