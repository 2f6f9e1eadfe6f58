// The three dialogs on real Qt widgets (offscreen), opened by a host through the installed
// component: laid out from their twips tables, tabbing in their order, typing within their
// limits and cancelled with Esc. What they do with what is typed is the headless tests' part.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "facade/mundor_client.h"
#include "installed_component.h"
#include "modal_driver.h"
#include "runtime/call_by_name.h"
#include "test_catalog.h"
#include "ui/qt/twips.h"

namespace mundor::dialogs::testing {
namespace {

namespace qtest = ui::qt::testing;

// Rows and layouts have constructors so that the table reads as calls on every compiler.
struct Row {
    Row(const char* n, LONG l, LONG t, LONG w, LONG h)
        : name(n), left(l), top(t), width(w), height(h) {}
    const char* name;
    LONG left, top, width, height;
};

// A dialog as its layout table draws it, controls in tab order, and what typing ten letters
// into its code field leaves there.
struct Layout {
    const char16_t* launcher;
    const char16_t* caption;
    LONG width, height;
    const char* codeAfterTyping;
    std::vector<Row> rows;
    Layout(const char16_t* l, const char16_t* c, LONG w, LONG h, const char* code,
           std::vector<Row> r)
        : launcher(l), caption(c), width(w), height(h), codeAfterTyping(code), rows(std::move(r)) {}
};

const std::vector<Layout> kLayouts = {
    Layout(u"dlgPais_BySysPK", u"País", 4440, 1815, "ABCDEFGH",
           {Row("ctrlCodigo", 75, 75, 2070, 510), Row("ctrlCodigoTel", 2280, 75, 2040, 510),
            Row("ctrlNombre", 75, 750, 4290, 510), Row("cmdAceptar", 1575, 1350, 1350, 405),
            Row("cmdCancelar", 3000, 1350, 1350, 405), Row("axMirel", 120, 1500, 1260, 240)}),
    Layout(u"dlgEdoProv_BySysPK", u"Estado o Provincia", 4560, 1755, "abcdefgh",
           {Row("ctrlCodigo", 75, 75, 4380, 510), Row("ctrlNombre", 75, 750, 4440, 510),
            Row("cmdAceptar", 1680, 1320, 1350, 405), Row("cmdCancelar", 3120, 1320, 1350, 405),
            Row("axMirel", 120, 1440, 1260, 240)}),
    Layout(u"dlgCiudad_BySysPK", u"Ciudad", 4470, 1860, "abcdefgh",
           {Row("ctrlCodigo", 75, 75, 1890, 510), Row("ctrlCodigoTel", 2100, 75, 2190, 510),
            Row("ctrlNombre", 75, 675, 4215, 510), Row("cmdAceptar", 1575, 1350, 1350, 405),
            Row("cmdCancelar", 3000, 1350, 1350, 405), Row("axMirel", 120, 1500, 1260, 240)}),
};

// The control a widget belongs to: the edit box of a titled field answers for its field.
QString ControlOf(const QWidget* widget) {
    if (!widget) return QStringLiteral("(none)");
    if (qobject_cast<const QLineEdit*>(widget)) return widget->parentWidget()->objectName();
    return widget->objectName();
}

class DialogLayoutOnQt : public qtest::QtToolkitTest, public ::testing::WithParamInterface<Layout> {
  protected:
    DialogLayoutOnQt() : fx_(browser_test::InstalledComponent::Get().NewMundorFx()) {
        MundorClient(fx_.As<_MundorFx>()).SetDataObjects(catalog_.catalog());
    }
    browser_test::TestCatalog catalog_;
    rt::Ref<IDispatch> fx_;
};

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogLayoutOnQt, ::testing::ValuesIn(kLayouts), [](const auto& layout) {
        return QString::fromUtf16(layout.param.launcher).section(u'_', 0, 0).toStdString();
    });

TEST_P(DialogLayoutOnQt, IsLaidOutFromItsTableTabsInOrderLimitsTheCodeAndClosesWithEsc) {
    const Layout& layout = GetParam();
    // What the dialog shows is checked while it shows; the tab order and the code afterwards.
    QStringList tabbed;
    QString code;
    qtest::OnNextModal([&](QWidget& shown) {
        const auto scale = ui::qt::TwipsScale::ForScreen(shown.screen());
        EXPECT_EQ(shown.windowTitle(), QString::fromUtf16(layout.caption));
        EXPECT_EQ(shown.size(), scale.ToSize(layout.width, layout.height));
        for (const Row& row : layout.rows) {
            const QWidget* widget = shown.findChild<QWidget*>(row.name);
            EXPECT_EQ(widget ? widget->geometry() : QRect(),
                      scale.ToRect(row.left, row.top, row.width, row.height))
                << row.name;
        }
        // Tab goes to the active window, as a person's key would.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        for (std::size_t step = 0; step < layout.rows.size(); ++step) {
            tabbed << ControlOf(shown.focusWidget());
            qtest::PressKey(Qt::Key_Tab);
        }
        qtest::TypeInto(shown, QStringLiteral("ctrlCodigo"), QStringLiteral("abcdefghij"));
        code = qtest::EditOf(shown, QStringLiteral("ctrlCodigo"))->text();
        qtest::PressKey(Qt::Key_Escape);
    });

    const rt::Variant result = rt::CallByName(fx_.get(), layout.launcher, rt::CallType::Method);

    // Every control takes the focus in its turn but the banner; then it starts over.
    QStringList expectedTabs;
    for (const Row& row : layout.rows) {
        if (QString(row.name) != QStringLiteral("axMirel")) expectedTabs << row.name;
    }
    expectedTabs << expectedTabs.front();
    EXPECT_EQ(tabbed, expectedTabs) << tabbed.join(u' ').toStdString();
    EXPECT_EQ(code, QString(layout.codeAfterTyping));
    EXPECT_EQ(result.vt(), VT_I2) << "Esc must cancel";
    EXPECT_EQ(result.AsLong(), 0);
}

}  // namespace
}  // namespace mundor::dialogs::testing
