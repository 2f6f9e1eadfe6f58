#include "host/search_results_model.h"

#include <algorithm>

namespace mundor::host {

QString LevelName(nubex::PlaceLevel level) {
    switch (level) {
        case nubex::PlaceLevel::Pais:
            return QStringLiteral("País");
        case nubex::PlaceLevel::EdoProv:
            return QStringLiteral("Estado");
        case nubex::PlaceLevel::Ciudad:
            return QStringLiteral("Ciudad");
    }
    return {};
}

void SearchResultsModel::SetHits(std::vector<nubex::SearchHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    endResetModel();
}

const nubex::SearchHit* SearchResultsModel::HitAt(int row) const {
    if (row < 0 || row >= static_cast<int>(hits_.size())) return nullptr;
    return &hits_[static_cast<std::size_t>(row)];
}

int SearchResultsModel::RowOf(nubex::PlaceLevel level, LONG sysPk) const {
    const auto found = std::find_if(hits_.begin(), hits_.end(), [&](const nubex::SearchHit& hit) {
        return hit.level == level && hit.sysPk == sysPk;
    });
    return found == hits_.end() ? -1 : static_cast<int>(found - hits_.begin());
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    const nubex::SearchHit* hit = HitAt(index.row());
    if (!hit || role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case kPlace:
            return QString::fromStdU16String(hit->PathText());
        case kLevel:
            return LevelName(hit->level);
        case kCode:
            return QString::fromStdU16String(hit->codigo);
        default:
            return {};
    }
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case kPlace:
            return QStringLiteral("Lugar");
        case kLevel:
            return QStringLiteral("Nivel");
        case kCode:
            return QStringLiteral("Código");
        default:
            return {};
    }
}

}  // namespace mundor::host
