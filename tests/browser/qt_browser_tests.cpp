// The browser on real Qt widgets, end to end: a host with a QApplication and the Qt toolkit opens
// it with ExplorerCountry over a real catalog, and a person opens a country with a click on its
// branch sign.
#include <gtest/gtest.h>

#include <QTreeWidget>

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "modal_driver.h"
#include "qt_tree_items.h"
#include "test_catalog.h"

namespace browser_test {
namespace {

namespace qtest = mundor::ui::qt::testing;

class BrowserOnQt : public qtest::QtToolkitTest {
  protected:
    BrowserOnQt() : fx_(InstalledComponent::Get().NewMundorFx().As<mundor::_MundorFx>()) {
        fx_.SetDataObjects(catalog_.catalog());
    }
    TestCatalog catalog_;
    mundor::MundorClient fx_;
};

TEST_F(BrowserOnQt, ShowsTheCountriesAndReadsAStatesListWhenACountryIsOpened) {
    const Stored mexico = catalog_.AddPais(u"MX", u"México", u"52");
    catalog_.AddEdoProv(mexico.pk, u"JAL", u"Jalisco");
    catalog_.AddEdoProv(mexico.pk, u"COL", u"Colima");
    catalog_.AddPais(u"PE", u"Perú", u"51");
    QString title;
    QStringList roots;
    QStringList states;
    bool mexicoOpen = false;
    bool statesCanOpen = false;
    qtest::OnNextModal([&](QWidget& shown) {
        title = shown.windowTitle();
        QTreeWidget& tree = TreeWidgetOf(shown);
        roots = TextsOf(tree);
        QTreeWidgetItem* item = ItemWithText(tree, QString::fromUtf16(u"(52) México"));
        if (item) {
            ClickBranchSign(tree, *item);
            mexicoOpen = item->isExpanded();
            states = ChildTextsOf(*item);
            statesCanOpen = item->childCount() == 2 && item->child(0)->childCount() == 1 &&
                            item->child(1)->childCount() == 1;
        }
        qtest::ClickButton(shown, QStringLiteral("cmdCerrar"));
    });

    fx_.ExplorerCountry();

    EXPECT_EQ(title, QStringLiteral("Explorar Paises"));
    EXPECT_EQ(roots,
              (QStringList{QString::fromUtf16(u"(52) México"), QString::fromUtf16(u"(51) Perú")}));
    EXPECT_TRUE(mexicoOpen);
    EXPECT_EQ(states, (QStringList{QStringLiteral("Colima"), QStringLiteral("Jalisco")}));
    EXPECT_TRUE(statesCanOpen);
}

}  // namespace
}  // namespace browser_test
