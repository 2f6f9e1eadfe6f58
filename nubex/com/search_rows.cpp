#include "nubex/com/search_rows.h"

namespace nubex::com {

namespace rt = mundor::rt;

namespace {

class SearchViewRows final : public ViewRows {
  public:
    explicit SearchViewRows(std::vector<SearchHit> hits) : hits_(std::move(hits)) {}

    std::size_t size() const override { return hits_.size(); }

    rt::Variant Field(std::size_t row, std::u16string_view name) const override {
        const SearchHit& hit = hits_[row];
        if (rt::SameMemberName(name, u"Nivel")) return rt::Variant(static_cast<LONG>(hit.level));
        if (rt::SameMemberName(name, u"Coincidencia")) {
            return rt::Variant(static_cast<LONG>(hit.match));
        }
        if (rt::SameMemberName(name, u"Sys_PK")) return rt::Variant(hit.sysPk);
        if (rt::SameMemberName(name, u"Sys_GUID")) return rt::Variant(hit.sysGuid);
        if (rt::SameMemberName(name, u"Nombre")) return rt::Variant(hit.nombre);
        if (rt::SameMemberName(name, u"Codigo")) return rt::Variant(hit.codigo);
        if (rt::SameMemberName(name, u"Ruta")) return rt::Variant(hit.PathText());
        if (rt::SameMemberName(name, u"IPais")) return rt::Variant(hit.paisPk);
        if (rt::SameMemberName(name, u"Estado")) return rt::Variant(hit.estadoPk);
        RaiseNoSuchField(name);
    }

  private:
    std::vector<SearchHit> hits_;
};

}  // namespace

std::unique_ptr<const ViewRows> SearchRows(std::vector<SearchHit> hits) {
    return std::make_unique<SearchViewRows>(std::move(hits));
}

}  // namespace nubex::com
