// The two toolkits under the shared tests. On Qt a plan is played by a timer that waits, from
// inside the modal loop of whatever is shown, for the planned window to become the modal one.
#include <deque>
#include <map>
#include <set>
#include <utility>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "modal_driver.h"
#include "toolkit_under_test.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/qt/tree_nodes.h"

namespace mundor::ui::contract {
namespace {

using headless::UserAction;
using headless::UserActionKind;

class HeadlessUnderTest final : public ToolkitUnderTest {
  public:
    ShowScript& OnShow(Window& window) override { return toolkit_.user().OnShow(window.Name()); }
    std::optional<Lines> Shown(Tree&) override { return std::nullopt; }

  private:
    headless::HeadlessToolkit toolkit_;
    ScopedThreadToolkit installed_{toolkit_};
};

class QtUnderTest final : public ToolkitUnderTest {
  public:
    QtUnderTest() { WaitForAShow(); }
    ~QtUnderTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ShowScript& OnShow(Window& window) override {
        return plans_[qt::QtToolkit::WidgetOf(window)].emplace_back(&window, ShowScript{}).second;
    }
    std::optional<Lines> Shown(Tree& tree) override {
        Lines lines;
        for (QTreeWidgetItemIterator item(TreeWidget(tree)); *item; ++item) {
            std::u16string indent;
            for (auto* above = (*item)->parent(); above; above = above->parent()) indent += u" ";
            lines.push_back(indent + (*item)->text(0).toStdU16String());
        }
        return lines;
    }

  private:
    static QTreeWidget* TreeWidget(Tree& tree) {
        return static_cast<QTreeWidget*>(qt::QtToolkit::WidgetOf(tree));
    }

    // A fresh timer for every show, armed before the plan plays: a window that a step opens is
    // found from inside its own modal loop, while the step that opened it is still running.
    void WaitForAShow() {
        auto* poll = new QTimer(&timers_);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
            QWidget* modal = QApplication::activeModalWidget();
            const auto plans = plans_.find(modal);
            if (!modal || !modal->isVisible() || playing_.contains(modal) ||
                plans == plans_.end() || plans->second.empty()) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            const auto [window, script] = std::move(plans->second.front());
            plans->second.pop_front();
            playing_.insert(modal);
            WaitForAShow();
            for (const UserAction& action : script.actions()) Play(*modal, *window, action);
            playing_.erase(modal);
        });
        poll->start(5);
    }

    static void Play(QWidget& shown, Window& window, const UserAction& action) {
        QString control = QString::fromStdU16String(action.control);
        if (action.index != kNoIndex) control += QStringLiteral("(%1)").arg(action.index);
        switch (action.kind) {
            case UserActionKind::Type:
                // Typed over the selected text, as the scripted user types.
                return qt::testing::Retype(shown, control, QString::fromStdU16String(action.text));
            case UserActionKind::Click:
                return qt::testing::ClickButton(shown, control);
            case UserActionKind::Close:
                shown.close();
                return;
            case UserActionKind::Run:
                return action.step(window);
            default:
                return ClickNode(window.Get<Tree>(action.control), action);
        }
    }

    // A click on the node's text selects it; one on its branch sign opens or closes it.
    static void ClickNode(Tree& tree, const UserAction& action) {
        QTreeWidget& widget = *TreeWidget(tree);
        const auto node = std::dynamic_pointer_cast<qt::QtNode>(tree.Nodes().Item(action.text));
        const QRect row = widget.visualItemRect(&node->item());
        const QPoint sign(row.left() - widget.indentation() / 2, row.center().y());
        const bool select = action.kind == UserActionKind::SelectNode;
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, select ? row.center() : sign);
    }

    qt::QtToolkit toolkit_;
    ScopedThreadToolkit installed_{toolkit_};
    qt::testing::Watchdog watchdog_;
    std::map<QWidget*, std::deque<std::pair<Window*, ShowScript>>> plans_;
    std::set<QWidget*> playing_;
    QObject timers_;
};

}  // namespace

std::unique_ptr<ToolkitUnderTest> MakeToolkit(std::string_view name) {
    if (name == "Qt") return std::make_unique<QtUnderTest>();
    return std::make_unique<HeadlessUnderTest>();
}

}  // namespace mundor::ui::contract
