// The tree control on a real QTreeWidget: nodes show where they stand, with their text, removed
// nodes leave the screen, a node with a child shows as expandable, the selected node is the one
// the user selected, and handles outlive the widget. The node bookkeeping itself (keys, indexes,
// the errors) is the headless suite's: it is one code.
#include <QTreeWidget>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"

namespace mundor::ui::qt::testing {
namespace {

using Texts = std::vector<QString>;

class TreeTest : public QtToolkitTest {
  protected:
    Tree& tree() { return logic_.window().Get<Tree>(u"tvwPaises"); }
    TreeNodes& nodes() { return tree().Nodes(); }
    QTreeWidget& widget() { return *static_cast<QTreeWidget*>(QtToolkit::WidgetOf(tree())); }

    NodeRef Root(std::u16string_view key, std::u16string_view text = u"") {
        return nodes().Add(nullptr, tvwChild, key, text);
    }
    NodeRef ChildOf(const NodeRef& parent, std::u16string_view key,
                    std::u16string_view text = u"") {
        return nodes().Add(parent, tvwChild, key, text);
    }
    void SelectOnScreen(const NodeRef& node) { widget().setCurrentItem(ItemShowing(node->Text())); }
    QTreeWidgetItem* ItemShowing(std::u16string_view text) {
        const auto found = widget().findItems(QString::fromStdU16String(std::u16string(text)),
                                              Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    Texts ShownRoots() {
        Texts texts;
        for (int i = 0; i < widget().topLevelItemCount(); ++i) {
            texts.push_back(widget().topLevelItem(i)->text(0));
        }
        return texts;
    }
    Texts ShownChildren(std::u16string_view parentText) {
        Texts texts;
        QTreeWidgetItem* parent = ItemShowing(parentText);
        for (int i = 0; parent && i < parent->childCount(); ++i) {
            texts.push_back(parent->child(i)->text(0));
        }
        return texts;
    }

    RecordingLogic logic_{SampleBrowserForm()};
};

TEST_F(TreeTest, NodesShowWhereTheyStandWithTheirText) {
    const NodeRef mexico = Root(u"SysMX", u"(52) México");
    Root(u"SysES", u"(34) España");
    const NodeRef b = ChildOf(mexico, u"B", u"B");
    nodes().Add(b, tvwNext, u"C", u"C");
    nodes().Add(b, tvwPrevious, u"A", u"A");
    nodes().Add(b, tvwFirst, u"First", u"First");
    nodes().Add(b, tvwLast, u"Last", u"Last");
    nodes().Add(mexico, tvwPrevious, u"SysAR", u"(54) Argentina");
    EXPECT_EQ(ErrorFrom([&] { Root(u"SysMX", u"otra"); }).number(), ui::err::kKeyNotUnique);

    EXPECT_EQ(ShownRoots(),
              (Texts{QString::fromUtf16(u"(54) Argentina"), QString::fromUtf16(u"(52) México"),
                     QString::fromUtf16(u"(34) España")}));
    EXPECT_EQ(ShownChildren(u"(52) México"), (Texts{"First", "A", "B", "C", "Last"}));
    EXPECT_EQ(ItemShowing(u"otra"), nullptr) << "a refused node shows nothing";

    mexico->SetText(u"(52) Estados Unidos Mexicanos");
    EXPECT_NE(ItemShowing(u"(52) Estados Unidos Mexicanos"), nullptr);
    EXPECT_EQ(ItemShowing(u"(52) México"), nullptr);
}

TEST_F(TreeTest, RemovingANodeTakesItsSubtreeOffTheScreen) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    ChildOf(mexico, u"EDOJAL", u"Jalisco");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");
    const NodeRef manzanillo = ChildOf(colima, u"CTYMZO", u"Manzanillo");

    nodes().Remove(colima->Index());

    EXPECT_EQ(ShownChildren(u"MX"), (Texts{"Jalisco"}));
    EXPECT_EQ(ItemShowing(u"Manzanillo"), nullptr);
    for (const NodeRef& gone : {colima, manzanillo}) {
        EXPECT_EQ(ErrorFrom([&] { gone->Expanded(); }).number(), ui::err::kNodeRemoved);
    }
    // The place is free again, on the screen too.
    ChildOf(mexico, u"EDOCOL", u"Colima");
    EXPECT_EQ(ShownChildren(u"MX"), (Texts{"Jalisco", "Colima"}));
}

TEST_F(TreeTest, ANodeWithOneChildShowsAsExpandableAndClosedAndTheUsersSelectionIsTheNodes) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    ChildOf(mexico, u"", u"");
    Root(u"SysES", u"ES");

    QTreeWidgetItem& mexicoItem = *ItemShowing(u"MX");
    EXPECT_TRUE(widget().model()->hasChildren(widget().indexFromItem(&mexicoItem)));
    EXPECT_FALSE(widget().model()->hasChildren(widget().indexFromItem(ItemShowing(u"ES"))));
    EXPECT_FALSE(mexico->Expanded());
    EXPECT_FALSE(mexicoItem.isExpanded());

    EXPECT_EQ(tree().SelectedItem(), nullptr);
    SelectOnScreen(mexico);
    EXPECT_EQ(tree().SelectedItem(), mexico);
    widget().clearSelection();
    EXPECT_EQ(tree().SelectedItem(), nullptr);
}

TEST_F(TreeTest, RemovingTheSelectedNodeOrItsParentLeavesNothingSelected) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");
    const NodeRef espana = Root(u"SysES", u"ES");

    SelectOnScreen(colima);
    nodes().Remove(colima->Index());
    EXPECT_EQ(tree().SelectedItem(), nullptr) << "the widget must not pick a neighbour";
    EXPECT_EQ(widget().selectedItems().size(), 0);

    SelectOnScreen(jalisco);
    nodes().Remove(mexico->Index());
    EXPECT_EQ(tree().SelectedItem(), nullptr);

    SelectOnScreen(espana);
    Root(u"SysAR", u"AR");
    nodes().Remove(nodes().Item(u"SysAR")->Index());
    EXPECT_EQ(tree().SelectedItem(), espana) << "removing another node keeps the selection";
}

TEST_F(TreeTest, ClearEmptiesTheWidgetAndHandlesOutliveTheWindowSafely) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    SelectOnScreen(ChildOf(mexico, u"EDOJAL", u"Jalisco"));

    nodes().Clear();

    EXPECT_EQ(widget().topLevelItemCount(), 0);
    EXPECT_EQ(tree().SelectedItem(), nullptr);
    const NodeRef again = Root(u"SysMX", u"MX");
    EXPECT_EQ(ShownRoots(), (Texts{"MX"}));
    logic_.ReleaseWindow();
    EXPECT_EQ(ErrorFrom([&] { again->Text(); }).number(), ui::err::kNodeRemoved);
    EXPECT_EQ(ErrorFrom([&] { again->Expanded(); }).number(), ui::err::kNodeRemoved);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
