// The tree control on a real QTreeWidget: the order the widget shows, keys, indexes, removal of
// subtrees, Clear, the selected node, and node handles that outlive their nodes.
#include <QTreeWidget>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"

namespace mundor::ui::qt::testing {
namespace {

using Keys = std::vector<std::u16string>;
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

Keys KeysOf(const std::vector<NodeRef>& nodes) {
    Keys keys;
    for (const NodeRef& node : nodes) keys.push_back(node->Key());
    return keys;
}

Keys KeysInIndexOrder(const TreeNodes& nodes) {
    Keys keys;
    for (LONG index = 1; index <= nodes.Count(); ++index) keys.push_back(nodes.Item(index)->Key());
    return keys;
}

TEST_F(TreeTest, NodesShowInTheOrderTheyWereAddedAndIndexesFollowTheAdding) {
    const NodeRef mexico = Root(u"SysMX", u"(52) México");
    const NodeRef espana = Root(u"SysES", u"(34) España");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");

    EXPECT_EQ(ShownRoots(),
              (Texts{QString::fromUtf16(u"(52) México"), QString::fromUtf16(u"(34) España")}));
    EXPECT_EQ(ShownChildren(u"(52) México"), (Texts{"Jalisco", "Colima"}));
    EXPECT_EQ(KeysOf(nodes().Roots()), (Keys{u"SysMX", u"SysES"}));
    EXPECT_EQ(KeysInIndexOrder(nodes()), (Keys{u"SysMX", u"SysES", u"EDOJAL", u"EDOCOL"}));
    EXPECT_EQ(mexico->Children(), 2);
    EXPECT_EQ(mexico->Child(), jalisco);
    EXPECT_EQ(jalisco->Next(), colima);
    EXPECT_EQ(colima->Next(), nullptr);
    EXPECT_EQ(mexico->Next(), espana);
    EXPECT_EQ(colima->Parent(), mexico);
    EXPECT_EQ(mexico->Parent(), nullptr);
    EXPECT_EQ(nodes().Item(4), colima) << "the same node answers with the same handle";
    EXPECT_EQ(nodes().Item(u"EDOCOL"), colima);
}

TEST_F(TreeTest, SiblingRelationshipsPlaceTheNodeBesideItsRelativeOnScreen) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    const NodeRef b = ChildOf(mexico, u"B", u"B");
    nodes().Add(b, tvwNext, u"C", u"C");
    nodes().Add(b, tvwPrevious, u"A", u"A");
    nodes().Add(b, tvwFirst, u"First", u"First");
    nodes().Add(b, tvwLast, u"Last", u"Last");
    nodes().Add(mexico, tvwPrevious, u"SysAR", u"AR");

    EXPECT_EQ(ShownChildren(u"MX"), (Texts{"First", "A", "B", "C", "Last"}));
    EXPECT_EQ(KeysOf(mexico->ChildNodes()), (Keys{u"First", u"A", u"B", u"C", u"Last"}));
    EXPECT_EQ(ShownRoots(), (Texts{"AR", "MX"}));
    EXPECT_EQ(ErrorFrom([&] { nodes().Add(b, 9, u"X", u""); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(nodes().Find(u"X"), nullptr);
}

TEST_F(TreeTest, RemovingANodeTakesItsSubtreeOffTheScreenAndMovesLaterIndexesDown) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");
    const NodeRef manzanillo = ChildOf(colima, u"CTYMZO", u"Manzanillo");
    const NodeRef espana = Root(u"SysES", u"ES");
    ASSERT_EQ(espana->Index(), 5);

    nodes().Remove(colima->Index());

    EXPECT_EQ(ShownChildren(u"MX"), (Texts{"Jalisco"}));
    EXPECT_EQ(ItemShowing(u"Manzanillo"), nullptr);
    EXPECT_EQ(nodes().Count(), 3);
    EXPECT_EQ(KeysInIndexOrder(nodes()), (Keys{u"SysMX", u"EDOJAL", u"SysES"}));
    EXPECT_EQ(espana->Index(), 3);
    for (const NodeRef& gone : {colima, manzanillo}) {
        EXPECT_EQ(ErrorFrom([&] { gone->Text(); }).number(), ui::err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Expanded(); }).number(), ui::err::kNodeRemoved);
    }
    EXPECT_EQ(ErrorFrom([&] { ChildOf(colima, u"CTYNEW"); }).number(), ui::err::kElementNotFound);
    // The keys of the removed nodes are free again.
    EXPECT_NO_THROW(ChildOf(jalisco, u"CTYMZO"));
    EXPECT_NO_THROW(ChildOf(mexico, u"EDOCOL"));
}

TEST_F(TreeTest, AKeyIsUniqueAcrossTheTreeAndARefusedAddShowsNothing) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    ChildOf(mexico, u"EDOJAL", u"Jalisco");

    for (const auto& add : std::vector<std::function<void()>>{
             [&] { Root(u"SysMX", u"otra"); }, [&] { ChildOf(mexico, u"EDOJAL", u"otra"); },
             [&] { ChildOf(mexico, u"SysMX", u"otra"); }}) {
        const rt::RuntimeError error = ErrorFrom(add);
        EXPECT_EQ(error.number(), ui::err::kKeyNotUnique);
        EXPECT_EQ(error.description(), u"La clave no es única en la colección");
    }
    EXPECT_EQ(ItemShowing(u"otra"), nullptr);
    EXPECT_EQ(nodes().Count(), 2);
    // Keys compare exactly, and nodes without a key may repeat.
    EXPECT_NO_THROW(Root(u"sysMX"));
    EXPECT_NO_THROW(ChildOf(mexico, u""));
    EXPECT_NO_THROW(ChildOf(mexico, u""));
    EXPECT_EQ(nodes().Find(u""), nullptr);
}

TEST_F(TreeTest, ANodeWithOneChildShowsAsExpandableAndClosed) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    ChildOf(mexico, u"", u"");
    const NodeRef espana = Root(u"SysES", u"ES");

    QTreeWidgetItem& mexicoItem = *ItemShowing(u"MX");
    EXPECT_TRUE(widget().model()->hasChildren(widget().indexFromItem(&mexicoItem)));
    EXPECT_FALSE(widget().model()->hasChildren(widget().indexFromItem(ItemShowing(u"ES"))));
    EXPECT_FALSE(mexico->Expanded());
    EXPECT_FALSE(mexicoItem.isExpanded());
}

TEST_F(TreeTest, TheSelectedItemIsTheNodeTheUserSelected) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    EXPECT_EQ(tree().SelectedItem(), nullptr);

    SelectOnScreen(jalisco);
    EXPECT_EQ(tree().SelectedItem(), jalisco);
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

TEST_F(TreeTest, ClearEmptiesTheWidgetAndStartsIndexesAfresh) {
    const NodeRef mexico = Root(u"SysMX", u"MX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    SelectOnScreen(jalisco);

    nodes().Clear();

    EXPECT_EQ(widget().topLevelItemCount(), 0);
    EXPECT_EQ(nodes().Count(), 0);
    EXPECT_EQ(tree().SelectedItem(), nullptr);
    EXPECT_EQ(ErrorFrom([&] { jalisco->Key(); }).number(), ui::err::kNodeRemoved);
    const NodeRef again = Root(u"SysMX", u"MX");
    EXPECT_EQ(again->Index(), 1);
    EXPECT_NE(again, mexico);
}

TEST_F(TreeTest, BadIndexesAndUnknownKeysRaiseThePlatformErrors) {
    Root(u"SysMX");
    EXPECT_EQ(ErrorFrom([&] { nodes().Remove(0); }).number(), ui::err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Remove(2); }).number(), ui::err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Item(2); }).number(), ui::err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Item(u"SysES"); }).number(), ui::err::kElementNotFound);
    EXPECT_EQ(nodes().Count(), 1);
}

TEST_F(TreeTest, NodeTextChangesInPlaceOnScreen) {
    const NodeRef mexico = Root(u"SysMX", u"(52) México");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    mexico->SetText(u"(52) Estados Unidos Mexicanos");

    EXPECT_EQ(ShownRoots(), (Texts{"(52) Estados Unidos Mexicanos"}));
    EXPECT_EQ(mexico->Text(), u"(52) Estados Unidos Mexicanos");
    EXPECT_EQ(mexico->Child(), jalisco);
    EXPECT_EQ(mexico->Index(), 1);
}

TEST_F(TreeTest, HandlesOutliveTheWindowSafely) {
    const NodeRef mexico = Root(u"SysMX");
    logic_.ReleaseWindow();
    EXPECT_EQ(ErrorFrom([&] { mexico->Text(); }).number(), ui::err::kNodeRemoved);
}

TEST_F(TreeTest, ANodeOfAnotherTreeIsNotARelative) {
    RecordingLogic other(SampleBrowserForm(u"brwOtro"));
    const NodeRef foreign =
        other.window().Get<Tree>(u"tvwPaises").Nodes().Add(nullptr, tvwChild, u"SysMX", u"MX");
    EXPECT_EQ(ErrorFrom([&] { ChildOf(foreign, u"EDOJAL"); }).number(), ui::err::kElementNotFound);
    EXPECT_EQ(nodes().Count(), 0);
}

}  // namespace
}  // namespace mundor::ui::qt::testing
