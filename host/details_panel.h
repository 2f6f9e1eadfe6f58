// The selected place's details: level, name, code, area code, where it belongs (its state and
// country), and its keys. Everything but the area code comes with the search's answer; the area
// code is read from the record once the selection has rested for a moment, so that running
// through the list or typing never waits for the catalog.
#pragma once

#include <QGroupBox>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "nubex/search.h"

class QFormLayout;
class QLabel;

namespace mundor::host {

class DetailsPanel final : public QGroupBox {
  public:
    // `readAreaCode` reads a place's area code from the catalog; none when it cannot.
    using AreaCodeReader = std::function<std::optional<std::u16string>(const nubex::SearchHit&)>;

    DetailsPanel(AreaCodeReader readAreaCode, QWidget* parent = nullptr);

    // The place's details, or none's when `hit` is null.
    void Show(const nubex::SearchHit* hit);
    // Whether everything shown answers the last Show (the area code has been read).
    bool Settled() const { return !areaCodeTimer_.isActive(); }

  private:
    QLabel* AddRow(const QString& caption, const char* name);
    void ReadAreaCode();

    AreaCodeReader readAreaCode_;
    QFormLayout* form_;
    QLabel* none_;
    QLabel* level_;
    QLabel* name_;
    QLabel* code_;
    QLabel* areaCode_;
    QLabel* parent_;
    QLabel* key_;
    QLabel* guid_;
    std::optional<nubex::SearchHit> shown_;
    QTimer areaCodeTimer_;
};

}  // namespace mundor::host
