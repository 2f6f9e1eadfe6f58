// The browser on real Qt widgets, end to end: a host with a QApplication and the Qt toolkit opens
// it with ExplorerCountry over a real catalog, and a person opens nodes with a click on their
// branch sign, selects them with a click, presses the buttons and answers the dialogs and boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "modal_answerer.h"
#include "modal_driver.h"
#include "test_catalog.h"

namespace browser_test {
namespace {

namespace qtest = mundor::ui::qt::testing;

// The browser's tree as a person finds things on it: items by their texts, from a root down
// (null when there is none), opened with a click on their branch sign, selected with a click.
QStringList ChildTextsOf(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i) texts << item->child(i)->text(0);
    return texts;
}
QTreeWidgetItem* ItemAt(QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* item = tree.invisibleRootItem();
    for (const QString& text : path) {
        QTreeWidgetItem* parent = std::exchange(item, nullptr);
        for (int i = 0; i < parent->childCount() && !item; ++i) {
            if (parent->child(i)->text(0) == text) item = parent->child(i);
        }
        if (!item) ADD_FAILURE() << "no item " << path.join(" > ").toStdString();
        if (!item) return nullptr;
    }
    return item;
}
// A click on the item's text selects it; one on its branch sign opens or closes it.
void Click(QTreeWidget& tree, const QStringList& path, bool onBranchSign = false) {
    QTreeWidgetItem* item = ItemAt(tree, path);
    if (!item) return;
    tree.scrollToItem(item);
    const QRect row = tree.visualItemRect(item);
    const int x = onBranchSign ? row.left() - tree.indentation() / 2 : row.center().x();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(x, row.center().y()));
}

class BrowserOnQt : public qtest::QtToolkitTest {
  protected:
    BrowserOnQt() : fx_(InstalledComponent::Get().NewMundorFx().As<mundor::_MundorFx>()) {
        fx_.SetDataObjects(catalog_.catalog());
    }
    TestCatalog catalog_;
    mundor::MundorClient fx_;
};

// What a command must leave as it was on screen: how far the tree is scrolled and which items
// are open.
struct View {
    int scroll = 0;
    QSet<const QTreeWidgetItem*> open;
};
View ViewOf(QTreeWidget& tree) {
    View view{tree.verticalScrollBar()->value(), {}};
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if ((*it)->isExpanded()) view.open.insert(*it);
    }
    return view;
}

// The user fills the dialog's fields, each typed over what it held, and presses Aceptar.
std::function<void(QWidget&)> Saves(std::map<QString, QString> fields) {
    return [fields](QWidget& dialog) {
        for (const auto& [field, text] : fields) {
            if (QLineEdit* edit = qtest::EditOf(dialog, field)) edit->clear();
            qtest::TypeInto(dialog, field, text);
        }
        qtest::ClickButton(dialog, QStringLiteral("cmdAceptar"));
    };
}

void PressYes(QWidget& box) {
    qtest::PressButton(box, QString::fromUtf16(u"&Sí"));
}

// México has enough states to scroll the tree once it is open, a click on its branch sign reads
// them, each with the sign that opens it.
TEST_F(BrowserOnQt, AddsRenamesAndDeletesAtEachLevelKeepingTheScrollAndWhatIsOpen) {
    const Stored mexico = catalog_.AddPais(u"MX", u"México", u"52");
    for (int i = 10; i < 50; ++i) {
        const std::u16string number = QString::number(i).toStdU16String();
        catalog_.AddEdoProv(mexico.pk, u"E" + number, u"Estado " + number);
    }
    catalog_.AddPais(u"PE", u"Perú", u"51");
    const QString zembla = QStringLiteral("(999) Zembla");
    QString title;
    QStringList added, renamed, after, before, states;
    qtest::OnNextModal([&](QWidget& browser) {
        title = browser.windowTitle();
        QTreeWidget& tree = *browser.findChild<QTreeWidget*>(QStringLiteral("tvwPaises"));
        before = ChildTextsOf(tree.invisibleRootItem());
        const QStringList mexicoPath{QString::fromUtf16(u"(52) México")};
        Click(tree, mexicoPath, true);
        QTreeWidgetItem& mexicoItem = *ItemAt(tree, mexicoPath);
        if (mexicoItem.isExpanded()) states = ChildTextsOf(&mexicoItem);
        for (int i = 0; i < mexicoItem.childCount(); ++i) {
            EXPECT_EQ(mexicoItem.child(i)->childCount(), 1) << "a state that cannot open";
        }
        tree.verticalScrollBar()->setValue(tree.verticalScrollBar()->maximum() / 2);
        // One command: the dialog or box it opens answered, then the view as it was, but for
        // an item that the command removes.
        const auto command = [&](const QString& button, std::function<void(QWidget&)> answer,
                                 const QTreeWidgetItem* removed = nullptr) {
            View expected = ViewOf(tree);
            expected.open.remove(removed);
            qtest::OnNextModal(std::move(answer));
            qtest::ClickButton(browser, button);
            QCoreApplication::processEvents();
            const View shown = ViewOf(tree);
            // A removal at the very bottom brings the end of the list up by a row, no more.
            const int maximum = tree.verticalScrollBar()->maximum();
            EXPECT_EQ(shown.scroll, std::min(expected.scroll, maximum)) << button.toStdString();
            EXPECT_EQ(shown.open, expected.open) << button.toStdString();
        };

        command("cmdAction(0)",
                Saves({{"ctrlCodigo", "ZB"}, {"ctrlCodigoTel", "999"}, {"ctrlNombre", "Zembla"}}));
        Click(tree, {zembla});
        command("cmdAction(1)", Saves({{"ctrlCodigo", "NO"}, {"ctrlNombre", "Norte"}}));
        Click(tree, {zembla}, true);
        Click(tree, {zembla, "Norte"});
        command("cmdAction(2)",
                Saves({{"ctrlCodigo", "CA"}, {"ctrlCodigoTel", "999"}, {"ctrlNombre", "Capital"}}));
        Click(tree, {zembla, "Norte"}, true);
        added =
            ChildTextsOf(ItemAt(tree, {zembla})) + ChildTextsOf(ItemAt(tree, {zembla, "Norte"}));

        Click(tree, {zembla, "Norte", "Capital"});
        command("cmdEdit", Saves({{"ctrlNombre", "Capital Nueva"}}));
        Click(tree, {zembla, "Norte"});
        command("cmdEdit", Saves({{"ctrlNombre", "Norte Grande"}}));
        Click(tree, {zembla});
        command("cmdEdit", Saves({{"ctrlCodigoTel", "998"}, {"ctrlNombre", "Zembla Libre"}}));
        const QString libre = QStringLiteral("(998) Zembla Libre");
        renamed = ChildTextsOf(ItemAt(tree, {libre})) +
                  ChildTextsOf(ItemAt(tree, {libre, "Norte Grande"}));

        for (const QStringList& path : {QStringList{libre, "Norte Grande", "Capital Nueva"},
                                        QStringList{libre, "Norte Grande"}, QStringList{libre}}) {
            Click(tree, path);
            command("cmdDel", PressYes, ItemAt(tree, path));
        }
        after = ChildTextsOf(tree.invisibleRootItem());
        qtest::ClickButton(browser, QStringLiteral("cmdCerrar"));
    });

    fx_.ExplorerCountry();

    EXPECT_EQ(title, QStringLiteral("Explorar Paises"));
    EXPECT_EQ(before,
              (QStringList{QString::fromUtf16(u"(52) México"), QString::fromUtf16(u"(51) Perú")}));
    ASSERT_EQ(states.size(), 40);
    EXPECT_EQ(states.front(), QStringLiteral("Estado 10"));
    EXPECT_EQ(added, (QStringList{"Norte", "Capital"}));
    EXPECT_EQ(renamed, (QStringList{"Norte Grande", "Capital Nueva"}));
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace browser_test
