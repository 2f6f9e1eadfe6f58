// A QTreeWidget that asks before it opens an item. QTreeWidget reports an expansion only once
// the item is open; the window's logic must hear of it first, to put the real children in place
// of a placeholder. So every way a user opens an item (a click on its branch sign, a double
// click, the Right, Plus and Asterisk keys) is taken here and handed to `onExpandRequest`
// with the item still closed; the callee opens it.
#pragma once

#include <functional>

#include <QTreeWidget>

namespace mundor::ui::qt {

class ExpandingTreeWidget final : public QTreeWidget {
  public:
    explicit ExpandingTreeWidget(QWidget* parent);

    std::function<void(QTreeWidgetItem&)> onExpandRequest;

    // The item whose branch sign (the plus or the arrow) is at that viewport point, or null.
    QTreeWidgetItem* ItemWithBranchSignAt(const QPoint& point) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // Whether the user can open the item: it is closed and has something to show.
    bool CanOpen(const QTreeWidgetItem* item) const;
    bool IsOpenKey(const QKeyEvent& event) const;
    void RequestExpand(QTreeWidgetItem& item);

    bool swallowRelease_ = false;  // the press that opened an item also owns its release
};

}  // namespace mundor::ui::qt
