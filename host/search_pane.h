// The search as the main window offers it: a field that searches the whole catalog as the user
// types (in the background, so no keystroke waits for the database), a line that says what was
// found, and the list of places found, each with its path, level and code. The selection
// follows the user and, after a command, the place the window asks for.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "host/background_search.h"
#include "host/search_results_model.h"

class QLabel;
class QTreeView;

namespace mundor::host {

// The search field. The window's Ctrl shortcuts (Ctrl+E, Ctrl+N...) reach their commands even
// while it has the keyboard, where X11's key scheme would take Ctrl+E for "end of line"; the
// down arrow and Enter go on to the list.
class SearchField final : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    std::function<void()> onLeave;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A place to select once the next answer arrives: by level and key; failing that, the row
// where the place stood (the next one, after a delete); and, when `name` is given and the place
// is not among the answers, the search is changed to that name to find it.
struct WantedPlace {
    nubex::PlaceLevel level = nubex::PlaceLevel::Pais;
    LONG key = 0;
    int row = 0;
    std::u16string name;
};

class SearchPane final : public QWidget {
  public:
    // `catalog` is the catalog's location (searched over a connection of its own); `shownName`
    // is how the window names it to the user.
    SearchPane(const std::string& catalog, QString shownName, QWidget* parent = nullptr);

    SearchField& field() const { return *field_; }
    QTreeView& results() const { return *results_; }

    // The selected place; null when none is.
    const nubex::SearchHit* Selected() const;
    // Searches the field's text again, then selects `wanted`, or else the place selected now.
    void Refresh(std::optional<WantedPlace> wanted = std::nullopt);
    // Whether the list answers the field's text as it stands.
    bool Settled() const { return search_.Settled(); }

    std::function<void()> onSelectionChanged;
    std::function<void()> onActivated;  // Enter or a double click on a place
    std::function<void()> onSettled;    // an answer has been shown

  private:
    void TextChanged();
    void Show(const SearchAnswer& answer);
    void Select(int row);
    void SelectWanted();
    QString Summary(const SearchAnswer& answer) const;

    QString shownName_;
    SearchField* field_;
    QLabel* summary_;
    QTreeView* results_;
    SearchResultsModel model_;
    std::optional<WantedPlace> wanted_;
    bool placing_ = false;     // the pane itself is moving the selection
    BackgroundSearch search_;  // last: its answers land in everything above
};

}  // namespace mundor::host
