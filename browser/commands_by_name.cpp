#include "browser/commands_by_name.h"

#include "browser/catalog_by_name.h"
#include "browser/level_members.h"
#include "runtime/call_by_name.h"

namespace mundor::browser {

namespace {

using rt::CallByName;
using rt::CallType;

rt::Variant Property(IDispatch* record, std::u16string_view name) {
    return CallByName(record, name, CallType::Get);
}

}  // namespace

bool LaunchDialog(IDispatch* thisFx, NodeLevel level, rt::Variant& obj,
                  std::optional<LONG> parentKey) {
    const std::u16string_view launcher = MembersOf(level).launcher;
    if (!parentKey) return CallByName(thisFx, launcher, CallType::Method, obj).AsBool();
    return CallByName(thisFx, launcher, CallType::Method, obj, *parentKey).AsBool();
}

bool DeleteThroughFacade(IDispatch* thisFx, NodeLevel level, rt::Variant& obj) {
    return CallByName(thisFx, MembersOf(level).deleter, CallType::Method, obj).AsBool();
}

rt::Ref<IDispatch> LoadFromKey(IDispatch* thisFx, NodeLevel level, std::u16string_view key) {
    const LevelMembers& members = MembersOf(level);
    return LoadRecordByGuid(thisFx, members.recordClass, IdentifierOfKey(key, members.prefix));
}

LONG ParentSysPkOf(NodeLevel level, IDispatch* record) {
    const rt::Ref<IDispatch> parent = Property(record, MembersOf(level).parent).AsDispatch();
    return SysPkOf(parent.get());
}

std::u16string NodeTextOf(NodeLevel level, IDispatch* record) {
    if (level != NodeLevel::Country) return Property(record, u"Nombre").AsString();
    return CountryNodeText(ConcatenatedText(Property(record, u"CodigoTel")),
                           ConcatenatedText(Property(record, u"Nombre")));
}

std::u16string NodeKeyOf(NodeLevel level, IDispatch* record) {
    return NodeKey(MembersOf(level).prefix, ConcatenatedText(Property(record, u"Sys_GUID")));
}

}  // namespace mundor::browser
