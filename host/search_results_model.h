// The places a search found, as the window's list shows them: each with its path ("Guadalajara
// — Jalisco — México"), its level and its code, in the search's order.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "nubex/search.h"

namespace mundor::host {

class SearchResultsModel final : public QAbstractTableModel {
  public:
    enum Column { kPlace, kLevel, kCode, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void SetHits(std::vector<nubex::SearchHit> hits);
    // The hit shown in `row`; null outside the list.
    const nubex::SearchHit* HitAt(int row) const;
    // The row of the place with that level and key; -1 when it is not in the list.
    int RowOf(nubex::PlaceLevel level, LONG sysPk) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<nubex::SearchHit> hits_;
};

// "País", "Estado", "Ciudad".
QString LevelName(nubex::PlaceLevel level);

}  // namespace mundor::host
