// Opening a tree node on real widgets: whichever way the user opens a node (its branch sign, a
// double click, Right, Plus), the logic's Expand handler runs while the node is still closed,
// can replace the placeholder child, and the node opens after it with what the handler left.
#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"
#include "ui/qt/expanding_tree_widget.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;

class TreeExpandTest : public QtToolkitTest {
  protected:
    TreeExpandTest() {
        TreeNodes& nodes = tree().Nodes();
        mexico_ = nodes.Add(nullptr, tvwChild, u"SysMX", u"(52) México");
        nodes.Add(mexico_, tvwChild, u"", u"");  // the placeholder
        espana_ = nodes.Add(nullptr, tvwChild, u"SysES", u"(34) España");
        // The logic loads a node's children the first time it opens, as the browser does.
        logic_.onExpand = [this](Tree& expanded, const NodeRef& node) {
            expandedInHandler_.push_back(node->Expanded());
            shownOpenInHandler_.push_back(ItemOf(node->Text())->isExpanded());
            if (node->Children() != 1 || !node->Child()->Text().empty()) return;
            expanded.Nodes().Remove(node->Child()->Index());
            expanded.Nodes().Add(node, tvwChild, u"EDOJAL", u"Jalisco");
            expanded.Nodes().Add(node, tvwChild, u"EDOCOL", u"Colima");
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
    QPoint BranchSignOf(std::u16string_view text) {
        const QRect item = widget().visualItemRect(ItemOf(text));
        return {item.left() - widget().indentation() / 2, item.center().y()};
    }
    QPoint TextOf(std::u16string_view text) {
        return widget().visualItemRect(ItemOf(text)).center();
    }

    // Shows the browser, runs the user's steps, then closes it.
    void WhileShown(const std::function<void()>& steps) {
        OnNextModal([&](QWidget& shown) {
            steps();
            ClickButton(shown, "cmdCerrar");
        });
        logic_.window().ShowModal();
    }

    void ExpectMexicoLoadedAndOpen() {
        EXPECT_EQ(expandedInHandler_, std::vector<bool>{false});
        EXPECT_EQ(shownOpenInHandler_, std::vector<bool>{false});
        EXPECT_TRUE(mexico_->Expanded());
        EXPECT_TRUE(ItemOf(u"(52) México")->isExpanded());
        ASSERT_EQ(mexico_->Children(), 2);
        EXPECT_EQ(mexico_->Child()->Key(), u"EDOJAL");
        EXPECT_EQ(logic_.events, (Events{u"load", u"expand SysMX", u"click cmdCerrar", u"unload"}));
    }

    RecordingLogic logic_{SampleBrowserForm()};
    NodeRef mexico_;
    NodeRef espana_;
    std::vector<bool> expandedInHandler_;
    std::vector<bool> shownOpenInHandler_;
};

// One way the user opens a node, and what it leaves selected.
enum class Selects { Nothing, TheNode, NotChecked };
struct OpeningWay {
    const char* name;
    void (*open)(TreeExpandTest& test);
    Selects selects;
};

class TreeOpeningWays : public TreeExpandTest, public ::testing::WithParamInterface<OpeningWay> {
  public:
    static void ClickBranchSign(TreeExpandTest& test) {
        auto& self = static_cast<TreeOpeningWays&>(test);
        QTest::mouseClick(self.widget().viewport(), Qt::LeftButton, {},
                          self.BranchSignOf(u"(52) México"));
    }
    static void DoubleClick(TreeExpandTest& test) {
        auto& self = static_cast<TreeOpeningWays&>(test);
        QTest::mouseDClick(self.widget().viewport(), Qt::LeftButton, {},
                           self.TextOf(u"(52) México"));
    }
    template <Qt::Key key>
    static void PressOnCurrent(TreeExpandTest& test) {
        auto& self = static_cast<TreeOpeningWays&>(test);
        self.tree().SetFocus();
        self.widget().setCurrentItem(self.ItemOf(u"(52) México"));
        PressKey(key);
    }
};

INSTANTIATE_TEST_SUITE_P(
    Ways, TreeOpeningWays,
    ::testing::Values(OpeningWay{"BranchSign", &TreeOpeningWays::ClickBranchSign, Selects::Nothing},
                      OpeningWay{"RightArrow", &TreeOpeningWays::PressOnCurrent<Qt::Key_Right>,
                                 Selects::NotChecked},
                      OpeningWay{"Plus", &TreeOpeningWays::PressOnCurrent<Qt::Key_Plus>,
                                 Selects::NotChecked},
                      OpeningWay{"DoubleClick", &TreeOpeningWays::DoubleClick, Selects::TheNode}),
    [](const auto& way) { return std::string(way.param.name); });

TEST_P(TreeOpeningWays, AskTheLogicBeforeTheNodeOpens) {
    WhileShown([&] { GetParam().open(*this); });
    ExpectMexicoLoadedAndOpen();
    if (GetParam().selects == Selects::Nothing) {
        EXPECT_EQ(tree().SelectedItem(), nullptr);
    }
    if (GetParam().selects == Selects::TheNode) {
        EXPECT_EQ(tree().SelectedItem(), mexico_);
    }
}

TEST_F(TreeExpandTest, ANodeWithoutChildrenOffersNothingToOpen) {
    WhileShown([&] {
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(34) España"));
        tree().SetFocus();
        widget().setCurrentItem(ItemOf(u"(34) España"));
        PressKey(Qt::Key_Plus);
    });
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdCerrar", u"unload"}));
    EXPECT_FALSE(espana_->Expanded());
}

TEST_F(TreeExpandTest, ANodeLeftWithoutChildrenByTheHandlerStaysClosed) {
    logic_.onExpand = [](Tree& expanded, const NodeRef& node) {
        expanded.Nodes().Remove(node->Child()->Index());
    };
    WhileShown([&] {
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
    });
    EXPECT_EQ(mexico_->Children(), 0);
    EXPECT_FALSE(mexico_->Expanded());
}

TEST_F(TreeExpandTest, AnErrorInTheHandlerGoesToTheLogicAndTheNodeStillOpens) {
    logic_.onExpand = [](Tree&, const NodeRef&) { rt::RaiseObjectNotSet(); };
    WhileShown([&] {
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
    });
    EXPECT_EQ(logic_.events,
              (Events{u"load", u"expand SysMX", u"error 91", u"click cmdCerrar", u"unload"}));
    EXPECT_TRUE(mexico_->Expanded()) << "the placeholder is still there to show";
}

TEST_F(TreeExpandTest, ClosingMovesAHiddenSelectionUpAndOpeningAgainAsksAgain) {
    NodeRef selectedNode;
    WhileShown([&] {
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, TextOf(u"Colima"));
        EXPECT_EQ(tree().SelectedItem()->Key(), u"EDOCOL");
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
        selectedNode = tree().SelectedItem();
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
    });
    EXPECT_EQ(selectedNode, mexico_);
    EXPECT_EQ(expandedInHandler_, (std::vector<bool>{false, false}));
    EXPECT_EQ(mexico_->Children(), 2) << "a loaded node is not read again";
    EXPECT_TRUE(mexico_->Expanded());
}

TEST_F(TreeExpandTest, AMessageBoxFromTheHandlerIsAnsweredBeforeTheNodeOpens) {
    bool openWhileBoxShown = true;
    logic_.onExpand = [&](Tree&, const NodeRef& node) {
        OnNextModal([&](QWidget&) {
            openWhileBoxShown = ItemOf(node->Text())->isExpanded();
            PressKey(Qt::Key_Return);
        });
        MsgBox(SampleApp(), u"Cargando estados", vbInformation);
    };
    WhileShown([&] {
        QTest::mouseClick(widget().viewport(), Qt::LeftButton, {}, BranchSignOf(u"(52) México"));
    });
    EXPECT_FALSE(openWhileBoxShown);
    EXPECT_TRUE(mexico_->Expanded());
}

}  // namespace
}  // namespace mundor::ui::qt::testing
