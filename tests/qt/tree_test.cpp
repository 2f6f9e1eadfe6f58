// The tree on a real QTreeWidget: a node with a child shows as expandable, and whichever way the
// user opens a node (its branch sign, a double click, Right, Plus), the logic's Expand handler runs
// while the item is still closed, can replace the placeholder child, and the node opens after it
// with what the handler left. The nodes' bookkeeping and what the tree shows, the same on every
// toolkit, are in ui_contract/.
#include <QTest>
#include <QTreeWidget>

#include "modal_driver.h"
#include "ui/qt/expanding_tree_widget.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;

class TreeTest : public QtToolkitTest {
  public:
    TreeTest() {
        mexico_ = AddSampleCountries(tree().Nodes());
        logic_.onExpand = [this](Tree& expanded, const NodeRef& node) {
            expandedInHandler_.push_back(node->Expanded());
            shownOpenInHandler_.push_back(ItemOf(node->Text())->isExpanded());
            LoadSampleStates(expanded, node);
        };
        logic_.clicks[u"cmdCerrar"] = [this](Button&) { logic_.window().Unload(); };
    }

    Tree& tree() { return logic_.window().Get<Tree>(u"tvwPaises"); }
    ExpandingTreeWidget& widget() {
        return *dynamic_cast<ExpandingTreeWidget*>(QtToolkit::WidgetOf(tree()));
    }
    QTreeWidgetItem* ItemOf(std::u16string_view text) {
        const auto found = widget().findItems(QString::fromStdU16String(std::u16string(text)),
                                              Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    void ClickBranchSign(std::u16string_view text) {
        const QRect item = widget().visualItemRect(ItemOf(text));
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {},
                          {item.left() - widget().indentation() / 2, item.center().y()});
    }
    void PressOn(std::u16string_view text, Qt::Key key) {
        tree().SetFocus();
        widget().setCurrentItem(ItemOf(text));
        PressKey(key);
    }

    // Shows the browser, runs the user's steps, then closes it.
    void WhileShown(const std::function<void()>& steps) {
        OnNextModal([&](QWidget& shown) {
            steps();
            ClickButton(shown, "cmdCerrar");
        });
        logic_.window().ShowModal();
    }

    RecordingLogic logic_{SampleBrowserForm()};
    NodeRef mexico_;
    std::vector<bool> expandedInHandler_;
    std::vector<bool> shownOpenInHandler_;
};

// One way the user opens a node, and whether it leaves the node selected.
struct OpeningWay {
    const char* name;
    std::function<void(TreeTest&)> open;
    bool selectsTheNode;
};
class TreeOpeningWays : public TreeTest, public ::testing::WithParamInterface<OpeningWay> {};

INSTANTIATE_TEST_SUITE_P(
    Ways, TreeOpeningWays,
    ::testing::Values(
        OpeningWay{"BranchSign", [](TreeTest& test) { test.ClickBranchSign(u"(52) México"); },
                   false},
        OpeningWay{"RightArrow",
                   [](TreeTest& test) { test.PressOn(u"(52) México", Qt::Key_Right); }, true},
        OpeningWay{"Plus", [](TreeTest& test) { test.PressOn(u"(52) México", Qt::Key_Plus); },
                   true},
        OpeningWay{"DoubleClick",
                   [](TreeTest& test) {
                       QTest::mouseDClick(
                           test.widget().viewport(), Qt::LeftButton, {},
                           test.widget().visualItemRect(test.ItemOf(u"(52) México")).center());
                   },
                   true}),
    [](const auto& way) { return std::string(way.param.name); });

TEST_P(TreeOpeningWays, AskTheLogicBeforeTheNodeOpens) {
    WhileShown([&] { GetParam().open(*this); });
    EXPECT_EQ(expandedInHandler_, std::vector<bool>{false});
    EXPECT_EQ(shownOpenInHandler_, std::vector<bool>{false});
    EXPECT_TRUE(mexico_->Expanded());
    EXPECT_TRUE(ItemOf(u"(52) México")->isExpanded());
    ASSERT_EQ(mexico_->Children(), 2);
    EXPECT_EQ(mexico_->Child()->Key(), u"EDOJAL");
    EXPECT_EQ(logic_.events, (Events{u"load", u"expand SysMX", u"click cmdCerrar", u"unload"}));
    EXPECT_EQ(tree().SelectedItem(), GetParam().selectsTheNode ? mexico_ : nullptr);
}

TEST_F(TreeTest, ANodeWithoutChildrenOffersNothingToOpen) {
    WhileShown([&] {
        ClickBranchSign(u"(34) España");
        PressOn(u"(34) España", Qt::Key_Plus);
    });
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdCerrar", u"unload"}));
    EXPECT_FALSE(tree().Nodes().Find(u"SysES")->Expanded());
}

TEST_F(TreeTest, AMessageBoxFromTheHandlerIsAnsweredBeforeTheNodeOpens) {
    bool openWhileBoxShown = true;
    logic_.onExpand = [&](Tree&, const NodeRef& node) {
        OnNextModal([&](QWidget&) {
            openWhileBoxShown = ItemOf(node->Text())->isExpanded();
            PressKey(Qt::Key_Return);
        });
        MsgBox(SampleApp(), u"Cargando estados", vbInformation);
    };
    WhileShown([&] { ClickBranchSign(u"(52) México"); });
    EXPECT_FALSE(openWhileBoxShown);
    EXPECT_TRUE(mexico_->Expanded());
}

}  // namespace
}  // namespace mundor::ui::qt::testing
