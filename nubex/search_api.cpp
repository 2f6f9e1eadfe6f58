#include "nubex/com/connection_object.h"
#include "nubex/search.h"
#include "nubex/store/place_search.h"
#include "runtime/error.h"

namespace nubex {

namespace rt = mundor::rt;

std::vector<SearchHit> Search(Catalog* catalog, std::u16string_view text, int limit) {
    if (!catalog) rt::RaiseObjectNotSet();
    rt::Ref<Connection> connection;
    rt::ThrowIfFailed(catalog->get_ADOCnn(connection.put()));
    return store::FindPlaces(*com::ConnectionObject::DatabaseOf(connection.get()), text, limit);
}

}  // namespace nubex
