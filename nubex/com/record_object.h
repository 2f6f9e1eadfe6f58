// The members every record object shares (DataRecord), written once for Pais, EdoProv and
// Ciudad, and the part of their dispatch tables that serves those members by name.
#pragma once

#include <initializer_list>
#include <vector>

#include "contracts/data_objects.h"
#include "nubex/com/abi.h"
#include "nubex/com/connection_object.h"
#include "nubex/com/module.h"
#include "nubex/com/record_core.h"
#include "runtime/dispatch.h"
#include "runtime/object.h"

namespace nubex::com {

template <class Derived, class Interface>
class RecordObject : public mundor::rt::DispatchObject<Derived, Interface> {
  public:
    RecordCore& core() { return core_; }

    HRESULT get_Codigo(BSTR* result) override { return GetText(result, core_.row().codigo); }
    HRESULT put_Codigo(BSTR* value) override {
        return SetText(value, [&](std::u16string_view text) { core_.SetCodigo(text); });
    }
    HRESULT get_Nombre(BSTR* result) override { return GetText(result, core_.row().nombre); }
    HRESULT put_Nombre(BSTR* value) override {
        return SetText(value, [&](std::u16string_view text) { core_.SetNombre(text); });
    }
    HRESULT get_Sys_PK(LONG* result) override {
        return Produce(result, [&] { return core_.row().pk; });
    }
    HRESULT get_Sys_GUID(BSTR* result) override { return GetText(result, core_.row().guid); }
    HRESULT get_ErrorCode(LONG* result) override {
        return Produce(result, [&] { return core_.errorCode(); });
    }
    HRESULT get_ErrorDescription(BSTR* result) override {
        return GetText(result, core_.errorDescription());
    }
    HRESULT SetConnection(nubex::Connection** cnn) override {
        return mundor::rt::Guard([&] { core_.SetConnection(DatabaseArg(cnn)); });
    }
    HRESULT NewRecord(VARIANT_BOOL* result) override {
        return Produce(result, [&] {
            core_.NewRecord();
            return VARIANT_TRUE;
        });
    }
    // Every mode loads the same way.
    HRESULT LoadRecord(LONG* sysPk, BSTR* sysGuid, nubex::Connection** cnn, LONG*,
                       VARIANT_BOOL* result) override {
        return LoadFromADOConnection(sysPk, sysGuid, cnn, result);
    }
    HRESULT LoadFromADOConnection(LONG* sysPk, BSTR* sysGuid, nubex::Connection** cnn,
                                  VARIANT_BOOL* result) override {
        return Produce(result, [&] {
            const store::Lookup lookup{sysPk ? *sysPk : 0,
                                       sysGuid ? TextOf(*sysGuid) : std::u16string_view()};
            return ToBool(core_.Load(lookup, DatabaseArg(cnn)));
        });
    }
    HRESULT SaveRecord(VARIANT_BOOL* result) override {
        return Produce(result, [&] { return ToBool(core_.Save()); });
    }
    HRESULT DeleteRecord(VARIANT_BOOL* result) override {
        return Produce(result, [&] {
            core_.Delete();
            return VARIANT_TRUE;
        });
    }

  protected:
    RecordObject(const store::TableInfo& table, RecordCore* parent)
        : mundor::rt::DispatchObject<Derived, Interface>(Module()), core_(table, parent) {}

    static HRESULT GetText(BSTR* result, std::u16string_view text) {
        return Produce(result, [&] { return AllocText(text); });
    }
    template <class Setter>
    static HRESULT SetText(BSTR* value, Setter&& set) {
        if (!value) return E_POINTER;
        return mundor::rt::Guard([&] { set(TextOf(*value)); });
    }

  private:
    static std::shared_ptr<db::Database> DatabaseArg(nubex::Connection** cnn) {
        return cnn ? ConnectionObject::DatabaseOf(*cnn) : nullptr;
    }

    RecordCore core_;
};

// The dispatch members of DataRecord followed by the class's own, with their DISPIDs:
// Codigo 1, Nombre 2, CodigoTel 3, Sys_PK 4, Sys_GUID 5, IPais 6, Estado 7, ErrorCode 8,
// ErrorDescription 9, SetConnection 10, NewRecord 11, LoadRecord 12, LoadFromADOConnection 13,
// SaveRecord 14, DeleteRecord 15.
template <class T>
std::vector<mundor::rt::MemberInfo> RecordMembers(
    std::initializer_list<mundor::rt::Member<T>> own) {
    namespace rt = mundor::rt;
    using rt::Frame;
    using rt::MemberKind;
    const rt::Member<T> shared[] = {
        {u"Codigo",
         1,
         MemberKind::Get,
         {},
         VT_BSTR,
         [](T& s, Frame& f) { return s.get_Codigo(f.RetStr()); }},
        {u"Codigo",
         1,
         MemberKind::Put,
         {rt::Str(u"value")},
         VT_EMPTY,
         [](T& s, Frame& f) { return s.put_Codigo(f.Str(0)); }},
        {u"Nombre",
         2,
         MemberKind::Get,
         {},
         VT_BSTR,
         [](T& s, Frame& f) { return s.get_Nombre(f.RetStr()); }},
        {u"Nombre",
         2,
         MemberKind::Put,
         {rt::Str(u"value")},
         VT_EMPTY,
         [](T& s, Frame& f) { return s.put_Nombre(f.Str(0)); }},
        {u"Sys_PK",
         4,
         MemberKind::Get,
         {},
         VT_I4,
         [](T& s, Frame& f) { return s.get_Sys_PK(f.RetLong()); }},
        {u"Sys_GUID",
         5,
         MemberKind::Get,
         {},
         VT_BSTR,
         [](T& s, Frame& f) { return s.get_Sys_GUID(f.RetStr()); }},
        {u"ErrorCode",
         8,
         MemberKind::Get,
         {},
         VT_I4,
         [](T& s, Frame& f) { return s.get_ErrorCode(f.RetLong()); }},
        {u"ErrorDescription",
         9,
         MemberKind::Get,
         {},
         VT_BSTR,
         [](T& s, Frame& f) { return s.get_ErrorDescription(f.RetStr()); }},
        {u"SetConnection",
         10,
         MemberKind::Method,
         {rt::OptObj<nubex::Connection>(u"Cnn")},
         VT_EMPTY,
         [](T& s, Frame& f) { return s.SetConnection(f.template Obj<nubex::Connection>(0)); }},
        {u"NewRecord",
         11,
         MemberKind::Method,
         {},
         VT_BOOL,
         [](T& s, Frame& f) { return s.NewRecord(f.RetBool()); }},
        {u"LoadRecord",
         12,
         MemberKind::Method,
         {rt::OptLong(u"Sys_PK"), rt::OptStr(u"Sys_GUID"), rt::OptObj<nubex::Connection>(u"Cnn"),
          rt::OptLong(u"Mode", 1)},
         VT_BOOL,
         [](T& s, Frame& f) {
             return s.LoadRecord(f.Long(0), f.Str(1), f.template Obj<nubex::Connection>(2),
                                 f.Long(3), f.RetBool());
         }},
        {u"LoadFromADOConnection",
         13,
         MemberKind::Method,
         {rt::OptLong(u"Sys_PK"), rt::OptStr(u"Sys_GUID"), rt::OptObj<nubex::Connection>(u"Cnn")},
         VT_BOOL,
         [](T& s, Frame& f) {
             return s.LoadFromADOConnection(f.Long(0), f.Str(1),
                                            f.template Obj<nubex::Connection>(2), f.RetBool());
         }},
        {u"SaveRecord",
         14,
         MemberKind::Method,
         {},
         VT_BOOL,
         [](T& s, Frame& f) { return s.SaveRecord(f.RetBool()); }},
        {u"DeleteRecord",
         15,
         MemberKind::Method,
         {},
         VT_BOOL,
         [](T& s, Frame& f) { return s.DeleteRecord(f.RetBool()); }},
    };
    std::vector<rt::MemberInfo> members;
    const auto add = [&](const rt::Member<T>& m) { members.push_back(rt::ToMemberInfo(m)); };
    for (const auto& m : shared) add(m);
    for (const auto& m : own) add(m);
    return members;
}

}  // namespace nubex::com
