// The tree as every toolkit keeps and shows it: nodes in order with their keys, texts and
// indexes, removal of subtrees, Clear, the refusals with the platform's errors, handles that
// outlive their nodes; and the tree on screen: the Expand event before the node opens, what the
// user selects, and what a removal or a collapse does to the selection.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "toolkit_under_test.h"

namespace mundor::ui::contract {
namespace {

class TreeContract : public ContractTest {
  protected:
    Window& window() { return logic_.window(); }
    Tree& tree() { return window().Get<Tree>(u"tvwPaises"); }
    TreeNodes& nodes() { return tree().Nodes(); }
    // A node whose text is its key.
    NodeRef Add(const NodeRef& relative, LONG relationship, std::u16string_view key) {
        return nodes().Add(relative, relationship, key, key);
    }

    // Whether the nodes stand as `expected` says, one line per node in the order they stand:
    // "<text> <index>", indented a space a level; and whether the screen shows those texts. Every
    // node is checked on the way against what the rest of the collection says of it.
    void ExpectTree(const Lines& expected) {
        Lines told;
        Walk(nodes().Roots(), nullptr, u"", told);
        EXPECT_EQ(told, expected);
        EXPECT_EQ(nodes().Count(), static_cast<LONG>(told.size()));
        const std::optional<Lines> shown = toolkit_->Shown(tree());
        if (!shown) return;
        Lines texts;
        for (const std::u16string& line : expected)
            texts.push_back(line.substr(0, line.rfind(u' ')));
        EXPECT_EQ(*shown, texts) << "what the screen shows";
    }

    RecordingLogic logic_{SampleBrowserForm()};

  private:
    void Walk(const std::vector<NodeRef>& level, const NodeRef& parent,
              const std::u16string& indent, Lines& told) {
        for (std::size_t at = 0; at < level.size(); ++at) {
            const NodeRef& node = level[at];
            EXPECT_EQ(node->Parent(), parent);
            EXPECT_EQ(node->Next(), at + 1 < level.size() ? level[at + 1] : nullptr);
            EXPECT_EQ(nodes().Item(node->Index()), node) << "one node, one handle";
            if (!node->Key().empty()) {
                EXPECT_EQ(nodes().Item(node->Key()), node);
            }
            const std::vector<NodeRef> children = node->ChildNodes();
            EXPECT_EQ(node->Children(), static_cast<LONG>(children.size()));
            EXPECT_EQ(node->Child(), children.empty() ? nullptr : children.front());
            told.push_back(indent + node->Text() + u" " + rt::DecimalText(node->Index()));
            Walk(children, node, indent + u" ", told);
        }
    }
};
INSTANTIATE_TEST_SUITE_P(Toolkits, TreeContract, EveryToolkit(), ToolkitName);

TEST_P(TreeContract, NodesStandWhereTheirRelationshipPutsThemAndCountInTheOrderAdded) {
    const NodeRef mexico = Add(nullptr, tvwChild, u"MX");
    Add(nullptr, tvwFirst, u"ES");  // without a relative, the last root whatever the relationship
    const NodeRef b = Add(mexico, tvwChild, u"B");
    Add(b, tvwNext, u"C");
    Add(b, tvwPrevious, u"A");
    Add(b, tvwFirst, u"First");
    Add(b, tvwLast, u"Last");
    Add(mexico, tvwPrevious, u"AR");
    ExpectTree({u"AR 8", u"MX 1", u" First 6", u" A 5", u" B 3", u" C 4", u" Last 7", u"ES 2"});

    mexico->SetText(u"México");
    ExpectTree({u"AR 8", u"México 1", u" First 6", u" A 5", u" B 3", u" C 4", u" Last 7", u"ES 2"});
}

TEST_P(TreeContract, RemovalTakesTheSubtreeMovesLaterIndexesDownAndLeavesHandlesThatRaise) {
    const NodeRef mexico = Add(nullptr, tvwChild, u"MX");
    const NodeRef jalisco = Add(mexico, tvwChild, u"JAL");
    const NodeRef colima = Add(mexico, tvwChild, u"COL");
    const NodeRef manzanillo = Add(colima, tvwChild, u"MZO");
    Add(nullptr, tvwChild, u"ES");

    nodes().Remove(colima->Index());

    ExpectTree({u"MX 1", u" JAL 2", u"ES 3"});
    EXPECT_EQ(nodes().Find(u"MZO"), nullptr);
    // A handle to a removed node raises instead of reaching freed memory.
    for (const NodeRef& gone : {colima, manzanillo}) {
        EXPECT_EQ(ErrorFrom([&] { gone->Key(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Text(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->SetText(u"x"); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Index(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Parent(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Next(); }).number(), err::kNodeRemoved);
        EXPECT_EQ(ErrorFrom([&] { gone->Expanded(); }).number(), err::kNodeRemoved);
    }
    EXPECT_EQ(ErrorFrom([&] { Add(colima, tvwChild, u"NEW"); }).number(), err::kElementNotFound);
    // The keys of the removed nodes are free again.
    Add(jalisco, tvwChild, u"MZO");
    Add(mexico, tvwChild, u"COL");
    ExpectTree({u"MX 1", u" JAL 2", u"  MZO 4", u" COL 5", u"ES 3"});

    // Clear removes every node and starts the indexes afresh; a handle outlives the window.
    nodes().Clear();
    ExpectTree({});
    EXPECT_EQ(ErrorFrom([&] { jalisco->Key(); }).number(), err::kNodeRemoved);
    const NodeRef again = Add(nullptr, tvwChild, u"MX");
    EXPECT_NE(again, mexico);
    ExpectTree({u"MX 1"});
    logic_.ReleaseWindow();
    EXPECT_EQ(ErrorFrom([&] { again->Text(); }).number(), err::kNodeRemoved);
}

TEST_P(TreeContract, ATakenKeyABadIndexAndAStrangeRelativeAreRefusedAndAddNothing) {
    const NodeRef mexico = Add(nullptr, tvwChild, u"MX");
    Add(mexico, tvwChild, u"JAL");
    RecordingLogic other(SampleBrowserForm(u"brwOtro"));
    const NodeRef foreign =
        other.window().Get<Tree>(u"tvwPaises").Nodes().Add(nullptr, tvwChild, u"ES", u"ES");
    const struct {
        std::function<void()> call;
        LONG number;
    } refusals[] = {
        {[&] { Add(nullptr, tvwChild, u"MX"); }, err::kKeyNotUnique},
        {[&] { Add(mexico, tvwChild, u"JAL"); }, err::kKeyNotUnique},
        {[&] { Add(mexico, tvwChild, u"MX"); }, err::kKeyNotUnique},
        {[&] {
             nodes().AddChildren(nullptr, {{u"MX", u"MX"}});
         },
         err::kKeyNotUnique},
        {[&] { nodes().Remove(0); }, err::kIndexOutOfBounds},
        {[&] { nodes().Remove(3); }, err::kIndexOutOfBounds},
        {[&] { nodes().Item(3); }, err::kIndexOutOfBounds},
        {[&] { nodes().Item(u"ES"); }, err::kElementNotFound},
        {[&] { Add(foreign, tvwChild, u"X"); }, err::kElementNotFound},
        {[&] { Add(mexico, 9, u"X"); }, rt::err::kInvalidCall},
    };
    for (const auto& refusal : refusals) {
        EXPECT_EQ(ErrorFrom(refusal.call).number(), refusal.number);
    }
    EXPECT_EQ(nodes().Find(u"ES"), nullptr);
    ExpectTree({u"MX 1", u" JAL 2"});

    // Nodes without a key may repeat; keys differing only in case are different keys.
    Add(mexico, tvwChild, u"");
    Add(mexico, tvwChild, u"");
    Add(nullptr, tvwChild, u"mx");
    EXPECT_EQ(nodes().Find(u""), nullptr);
    ExpectTree({u"MX 1", u" JAL 2", u"  3", u"  4", u"mx 5"});
}

// A whole level at once, as the browser adds a state's cities: in order, found by key, counted
// after the nodes already there; a key taken earlier in the list stops it there.
TEST_P(TreeContract, AddChildrenAppendsALevelInOrderUpToATakenKey) {
    const NodeRef mexico = Add(nullptr, tvwChild, u"MX");
    Add(mexico, tvwChild, u"JAL");
    nodes().AddChildren(mexico, {{u"COL", u"COL"}, {u"", u""}, {u"AGS", u"AGS"}});
    EXPECT_EQ(ErrorFrom([&] {
                  nodes().AddChildren(mexico, {{u"SON", u"SON"}, {u"SON", u"x"}, {u"YUC", u"YUC"}});
              }).number(),
              err::kKeyNotUnique);
    EXPECT_EQ(nodes().Find(u"YUC"), nullptr);
    ExpectTree({u"MX 1", u" JAL 2", u" COL 3", u"  4", u" AGS 5", u" SON 6"});
}

// --- The tree on screen ---

class TreeOnScreen : public TreeContract {
  protected:
    TreeOnScreen() {
        mexico_ = AddSampleCountries(nodes());
        logic_.onExpand = [this](Tree& expanded, const NodeRef& node) {
            expandedInHandler_.push_back(node->Expanded());
            LoadSampleStates(expanded, node);
        };
        logic_.clicks[u"cmdCerrar"] = [this](Button&) { window().Hide(); };
    }
    ShowScript& Browse() { return OnShow(window()).ExpandNode(u"tvwPaises", u"SysMX"); }
    std::u16string Selected() {
        const NodeRef selected = tree().SelectedItem();
        return selected ? selected->Key() : u"(none)";
    }

    NodeRef mexico_;
    std::vector<bool> expandedInHandler_;
};
INSTANTIATE_TEST_SUITE_P(Toolkits, TreeOnScreen, EveryToolkit(), ToolkitName);

TEST_P(TreeOnScreen, TheExpandEventArrivesBeforeTheNodeOpensAndASecondOpeningAsksAgain) {
    std::u16string selectedWhenClosed;
    Browse()
        .SelectNode(u"tvwPaises", u"EDOCOL")
        .CollapseNode(u"tvwPaises", u"SysMX")
        .Run(u"the selection moves up", [&](Window&) { selectedWhenClosed = Selected(); })
        .ExpandNode(u"tvwPaises", u"SysMX")
        .Click(u"cmdCerrar");

    window().ShowModal();

    EXPECT_EQ(expandedInHandler_, (std::vector<bool>{false, false}));
    EXPECT_EQ(selectedWhenClosed, u"SysMX");
    EXPECT_TRUE(mexico_->Expanded());
    ExpectTree({u"(52) México 1", u" Jalisco 3", u" Colima 4", u"(34) España 2"});
    EXPECT_EQ(logic_.events,
              (Events{u"load", u"expand SysMX", u"expand SysMX", u"click cmdCerrar"}));
}

TEST_P(TreeOnScreen, RemovingTheSelectedNodeOrItsParentLeavesNothingSelected) {
    Lines selected;
    const auto removing = [&](std::function<NodeRef()> node) {
        return [&, node](Window&) {
            nodes().Remove(node()->Index());
            selected.push_back(Selected());
        };
    };
    Browse()
        .SelectNode(u"tvwPaises", u"EDOCOL")
        .Run(u"remove it", removing([&] { return nodes().Item(u"EDOCOL"); }))
        .SelectNode(u"tvwPaises", u"EDOJAL")
        .Run(u"remove its parent", removing([&] { return mexico_; }))
        .SelectNode(u"tvwPaises", u"SysES")
        .Run(u"remove another", removing([&] { return Add(nullptr, tvwLast, u"SysAR"); }))
        .Click(u"cmdCerrar");

    window().ShowModal();

    EXPECT_EQ(selected, (Lines{u"(none)", u"(none)", u"SysES"}))
        << "nothing is picked in place of a removed node; another's removal keeps the selection";
}

// An Expand handler that fails, or leaves the node without children: the node opens after the
// handler if it has children then.
TEST_P(TreeOnScreen, TheNodeOpensAfterItsHandlerOnlyIfItHasChildrenThen) {
    const struct {
        const char* what;
        std::function<void(Tree&, const NodeRef&)> onExpand;
        bool opens;
        Events events;
    } cases[] = {
        {"raises",
         [](Tree&, const NodeRef&) { rt::RaiseObjectNotSet(); },
         true,
         {u"load", u"expand SysMX", u"error 91", u"click cmdCerrar"}},
        {"empties",
         [](Tree& t, const NodeRef& node) { t.Nodes().Remove(node->Child()->Index()); },
         false,
         {u"load", u"expand SysMX", u"click cmdCerrar"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingLogic logic(SampleBrowserForm(u"brwOtro"));
        Tree& other = logic.window().Get<Tree>(u"tvwPaises");
        const NodeRef mexico = other.Nodes().Add(nullptr, tvwChild, u"SysMX", u"MX");
        other.Nodes().Add(mexico, tvwChild, u"", u"");
        logic.onExpand = c.onExpand;
        logic.clicks[u"cmdCerrar"] = [&](Button&) { logic.window().Hide(); };
        OnShow(logic.window()).ExpandNode(u"tvwPaises", u"SysMX").Click(u"cmdCerrar");

        logic.window().ShowModal();

        EXPECT_EQ(mexico->Expanded(), c.opens);
        EXPECT_EQ(logic.events, c.events);
    }
}

}  // namespace
}  // namespace mundor::ui::contract
