// The members by name through IDispatch, as a scripting host calls them: every argument is a
// Variant variable passed by reference, so an Obj the member replaces comes back.
#include "host/fx_members.h"
#include "runtime/call_by_name.h"

namespace mundor::host {

namespace {

using rt::CallType;

rt::Variant ObjectArgument(const rt::Ref<IDispatch>& record) {
    return record ? rt::Variant(record.get()) : rt::Variant::Nothing();
}

class FxMembersByName final : public FxMembers {
  public:
    explicit FxMembersByName(rt::Ref<IDispatch> fx) : fx_(std::move(fx)) {}

    rt::Variant GetLastErrorCode() override { return Call(u"LastErrorCode", CallType::Get); }
    void LetLastErrorCode(LONG value) override {
        rt::Variant argument(value);
        Call(u"LastErrorCode", CallType::Let, argument);
    }
    rt::Variant GetLastErrorDescrip() override { return Call(u"LastErrorDescrip", CallType::Get); }
    void LetLastErrorDescrip(const std::u16string& text) override {
        rt::Variant argument{std::u16string_view(text)};
        Call(u"LastErrorDescrip", CallType::Let, argument);
    }
    rt::Variant GetDataObjects() override { return Call(u"DataObjects", CallType::Get); }
    void SetDataObjects(const rt::Ref<nubex::Catalog>& catalog) override {
        rt::Variant newValue(catalog);
        Call(u"SetDataObjects", CallType::Method, newValue);
    }
    void ExplorerCountry() override { Call(u"ExplorerCountry", CallType::Method); }

    rt::Variant Launch(Level level, rt::Ref<IDispatch>& record, LONG parentKey) override {
        const LevelInfo& info = InfoOf(level);
        rt::Variant obj = ObjectArgument(record);
        rt::Variant result;
        if (info.parentKeyName.empty()) {
            result = Call(info.launcher, CallType::Method, obj);
        } else {
            rt::Variant fk(parentKey);
            result = Call(info.launcher, CallType::Method, obj, fk);
        }
        record = obj.AsDispatch();
        return result;
    }

    rt::Variant LaunchByKey(Level level, LONG key) override {
        rt::Variant sysPk(key);
        return Call(InfoOf(level).launcherByKey, CallType::Method, sysPk);
    }

    rt::Variant Remove(Level level, rt::Ref<IDispatch>& record, bool ask) override {
        rt::Variant obj = ObjectArgument(record);
        rt::Variant askArgument(ask);
        rt::Variant result = Call(InfoOf(level).remover, CallType::Method, obj, askArgument);
        record = obj.AsDispatch();
        return result;
    }

    rt::Variant RemoveByKey(Level level, LONG key, bool ask) override {
        rt::Variant sysPk(key);
        rt::Variant askArgument(ask);
        return Call(InfoOf(level).removerByKey, CallType::Method, sysPk, askArgument);
    }

  private:
    template <class... Args>
    rt::Variant Call(std::u16string_view name, CallType type, Args&... args) {
        return rt::CallByName(fx_.get(), name, type, args...);
    }

    rt::Ref<IDispatch> fx_;
};

}  // namespace

std::unique_ptr<FxMembers> MembersByName(rt::Ref<IDispatch> fx) {
    return std::make_unique<FxMembersByName>(std::move(fx));
}

}  // namespace mundor::host
