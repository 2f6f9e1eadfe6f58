// The tree's node bookkeeping, as every toolkit keeps it: order, keys, indexes, removal of
// subtrees, Clear, and node handles that outlive their nodes.
#include <string>
#include <vector>

#include "headless_test.h"

namespace mundor::ui::headless::testing {
namespace {

class TreeTest : public HeadlessTest {
  protected:
    TreeNodes& nodes() { return logic_.window().Get<Tree>(u"tvwPaises").Nodes(); }
    Tree& tree() { return logic_.window().Get<Tree>(u"tvwPaises"); }

    NodeRef Root(std::u16string_view key, std::u16string_view text = u"") {
        return nodes().Add(nullptr, tvwChild, key, text);
    }
    NodeRef ChildOf(const NodeRef& parent, std::u16string_view key,
                    std::u16string_view text = u"") {
        return nodes().Add(parent, tvwChild, key, text);
    }

    RecordingLogic logic_{SampleBrowserForm()};
};

std::vector<std::u16string> KeysOf(const std::vector<NodeRef>& nodes) {
    std::vector<std::u16string> keys;
    for (const NodeRef& node : nodes) keys.push_back(node->Key());
    return keys;
}

std::vector<std::u16string> KeysInIndexOrder(const TreeNodes& nodes) {
    std::vector<std::u16string> keys;
    for (LONG index = 1; index <= nodes.Count(); ++index) keys.push_back(nodes.Item(index)->Key());
    return keys;
}

using Keys = std::vector<std::u16string>;

TEST_F(TreeTest, RootsAndChildrenKeepTheOrderTheyWereAddedIn) {
    const NodeRef mexico = Root(u"SysMX", u"(52) México");
    const NodeRef espana = Root(u"SysES", u"(34) España");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL", u"Jalisco");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");
    const NodeRef aguas = ChildOf(mexico, u"EDOAGS", u"Aguascalientes");

    EXPECT_EQ(KeysOf(nodes().Roots()), (Keys{u"SysMX", u"SysES"}));
    EXPECT_EQ(KeysOf(mexico->ChildNodes()), (Keys{u"EDOJAL", u"EDOCOL", u"EDOAGS"}));
    EXPECT_EQ(mexico->Children(), 3);
    EXPECT_EQ(mexico->Child(), jalisco);
    EXPECT_EQ(jalisco->Next(), colima);
    EXPECT_EQ(aguas->Next(), nullptr);
    EXPECT_EQ(mexico->Next(), espana);
    EXPECT_EQ(colima->Parent(), mexico);
    EXPECT_EQ(mexico->Parent(), nullptr);
    EXPECT_EQ(espana->Child(), nullptr);
    EXPECT_EQ(espana->Children(), 0);
    EXPECT_EQ(colima->Text(), u"Colima");
    EXPECT_EQ(KeysInIndexOrder(nodes()),
              (Keys{u"SysMX", u"SysES", u"EDOJAL", u"EDOCOL", u"EDOAGS"}));
    EXPECT_EQ(nodes().Item(4), colima) << "the same node answers with the same handle";
    EXPECT_EQ(nodes().Item(u"EDOCOL"), colima);
}

TEST_F(TreeTest, RemovingANodeTakesItsSubtreeAndMovesLaterIndexesDown) {
    const NodeRef mexico = Root(u"SysMX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL");
    const NodeRef manzanillo = ChildOf(colima, u"CTYMZO");
    const NodeRef espana = Root(u"SysES");
    ASSERT_EQ(espana->Index(), 5);

    nodes().Remove(colima->Index());

    EXPECT_EQ(nodes().Count(), 3);
    EXPECT_EQ(KeysInIndexOrder(nodes()), (Keys{u"SysMX", u"EDOJAL", u"SysES"}));
    EXPECT_EQ(espana->Index(), 3);
    EXPECT_EQ(jalisco->Index(), 2);
    EXPECT_EQ(KeysOf(mexico->ChildNodes()), (Keys{u"EDOJAL"}));
    EXPECT_EQ(jalisco->Next(), nullptr);
    EXPECT_EQ(nodes().Find(u"CTYMZO"), nullptr);
    // The keys of the removed nodes are free again.
    EXPECT_NO_THROW(ChildOf(jalisco, u"CTYMZO"));
    EXPECT_NO_THROW(ChildOf(mexico, u"EDOCOL"));
}

TEST_F(TreeTest, AHandleToARemovedNodeRaisesInsteadOfCrashing) {
    const NodeRef mexico = Root(u"SysMX");
    const NodeRef colima = ChildOf(mexico, u"EDOCOL", u"Colima");
    const NodeRef manzanillo = ChildOf(colima, u"CTYMZO", u"Manzanillo");
    nodes().Remove(colima->Index());

    for (const NodeRef& gone : {colima, manzanillo}) {
        EXPECT_EQ(ErrorFrom([&] { gone->Key(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Text(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->SetText(u"x"); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Index(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Parent(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Next(); }).number(), err::kNodeRemoved);
    }
    EXPECT_EQ(ErrorFrom([&] { ChildOf(colima, u"CTYNEW"); }).number(), err::kElementNotFound);
    EXPECT_EQ(mexico->Children(), 0);
}

TEST_F(TreeTest, ADuplicateKeyIsRefusedWith35602AndAddsNothing) {
    const NodeRef mexico = Root(u"SysMX");
    ChildOf(mexico, u"EDOJAL");

    const rt::RuntimeError asRoot = ErrorFrom([&] { Root(u"SysMX"); });
    const rt::RuntimeError asChild = ErrorFrom([&] { ChildOf(mexico, u"EDOJAL"); });
    const rt::RuntimeError elsewhere = ErrorFrom([&] { ChildOf(mexico, u"SysMX"); });

    for (const rt::RuntimeError& error : {asRoot, asChild, elsewhere}) {
        EXPECT_EQ(error.number(), 35602);
        EXPECT_EQ(error.description(), u"La clave no es única en la colección");
    }
    EXPECT_EQ(nodes().Count(), 2);
    EXPECT_EQ(mexico->Children(), 1);
    EXPECT_EQ(nodes().Roots().size(), 1u);
}

// A whole level at once, as the browser adds a state's cities: in order, found by key, counted
// after the nodes already there; a taken key (in the tree or earlier in the list) stops it there.
TEST_F(TreeTest, AddChildrenAppendsALevelInOrderUpToATakenKey) {
    const NodeRef mexico = Root(u"SysMX");
    ChildOf(mexico, u"EDOJAL");
    nodes().AddChildren(mexico, {{u"EDOCOL", u"Colima"}, {u"", u""}, {u"EDOAGS", u"Ags"}});
    const rt::RuntimeError inList = ErrorFrom([&] {
        nodes().AddChildren(mexico,
                            {{u"EDOSON", u"Sonora"}, {u"EDOSON", u"otro"}, {u"EDOYUC", u""}});
    });
    const rt::RuntimeError inTree = ErrorFrom([&] {
        nodes().AddChildren(nullptr, {{u"SysMX", u""}});
    });

    EXPECT_EQ(inList.number(), 35602);
    EXPECT_EQ(inTree.number(), 35602);
    const Keys level{u"EDOJAL", u"EDOCOL", u"", u"EDOAGS", u"EDOSON"};
    EXPECT_EQ(KeysOf(mexico->ChildNodes()), level);
    EXPECT_EQ(KeysInIndexOrder(nodes()).size(), 6u);
    EXPECT_EQ(nodes().Item(6)->Key(), u"EDOSON");
    EXPECT_EQ(nodes().Item(u"EDOCOL")->Text(), u"Colima");
    EXPECT_EQ(nodes().Find(u"EDOYUC"), nullptr);
}

TEST_F(TreeTest, NodesWithoutAKeyMayRepeatAndKeysCompareExactly) {
    const NodeRef mexico = Root(u"SysMX");
    ChildOf(mexico, u"");
    ChildOf(mexico, u"");
    Root(u"sysMX");
    Root(u"SYSMX");

    EXPECT_EQ(mexico->Children(), 2);
    EXPECT_EQ(nodes().Count(), 5);
    EXPECT_EQ(nodes().Find(u""), nullptr);
    EXPECT_EQ(nodes().Item(u"SysMX"), mexico);
}

TEST_F(TreeTest, ClearRemovesEveryNodeAndStartsIndexesAfresh) {
    const NodeRef mexico = Root(u"SysMX");
    const NodeRef jalisco = ChildOf(mexico, u"EDOJAL");
    Root(u"SysES");

    nodes().Clear();

    EXPECT_EQ(nodes().Count(), 0);
    EXPECT_TRUE(nodes().Roots().empty());
    EXPECT_EQ(tree().SelectedItem(), nullptr);
    EXPECT_EQ(ErrorFrom([&] { jalisco->Key(); }).number(), err::kNodeRemoved);
    const NodeRef again = Root(u"SysMX");
    EXPECT_EQ(again->Index(), 1);
    EXPECT_NE(again, mexico);
}

TEST_F(TreeTest, BadIndexesAndUnknownKeysRaiseThePlatformErrors) {
    Root(u"SysMX");
    EXPECT_EQ(ErrorFrom([&] { nodes().Remove(0); }).number(), err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Remove(2); }).number(), err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Item(2); }).number(), err::kIndexOutOfBounds);
    EXPECT_EQ(ErrorFrom([&] { nodes().Item(u"SysES"); }).number(), err::kElementNotFound);
    EXPECT_EQ(nodes().Find(u"SysES"), nullptr);
    EXPECT_EQ(nodes().Count(), 1);
}

TEST_F(TreeTest, SiblingRelationshipsPlaceTheNodeBesideItsRelative) {
    const NodeRef mexico = Root(u"SysMX");
    const NodeRef b = ChildOf(mexico, u"B");
    nodes().Add(b, tvwNext, u"C", u"");
    nodes().Add(b, tvwPrevious, u"A", u"");
    nodes().Add(b, tvwFirst, u"First", u"");
    nodes().Add(b, tvwLast, u"Last", u"");
    nodes().Add(mexico, tvwNext, u"SysES", u"");

    EXPECT_EQ(KeysOf(mexico->ChildNodes()), (Keys{u"First", u"A", u"B", u"C", u"Last"}));
    EXPECT_EQ(nodes().Item(u"C")->Parent(), mexico);
    EXPECT_EQ(KeysOf(nodes().Roots()), (Keys{u"SysMX", u"SysES"}));
    EXPECT_EQ(ErrorFrom([&] { nodes().Add(b, 9, u"X", u""); }).number(), rt::err::kInvalidCall);
    EXPECT_EQ(nodes().Find(u"X"), nullptr);
}

TEST_F(TreeTest, ANodeOfAnotherTreeIsNotARelative) {
    RecordingLogic other(SampleBrowserForm(u"brwOtro"));
    const NodeRef foreign =
        other.window().Get<Tree>(u"tvwPaises").Nodes().Add(nullptr, tvwChild, u"SysMX", u"MX");
    EXPECT_EQ(ErrorFrom([&] { ChildOf(foreign, u"EDOJAL"); }).number(), err::kElementNotFound);
    EXPECT_EQ(nodes().Count(), 0);
}

TEST_F(TreeTest, HandlesOutliveTheWindowSafely) {
    const NodeRef mexico = Root(u"SysMX");
    logic_.ReleaseWindow();
    EXPECT_EQ(ErrorFrom([&] { mexico->Text(); }).number(), err::kNodeRemoved);
}

}  // namespace
}  // namespace mundor::ui::headless::testing
