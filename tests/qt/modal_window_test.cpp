// Modal windows on real widgets: the show runs an event loop that ends when the window hides,
// windows nest, the close box and Esc ask the logic, an error from a handler leaves the loop
// running, and a window released from inside its own handler goes without a crash. The window's
// life itself (load once, the show's guards, release) is the headless suite's: it is one code.
#include <QApplication>
#include <QCloseEvent>

#include "modal_driver.h"
#include "recording_logic.h"
#include "sample_forms.h"

namespace mundor::ui::qt::testing {
namespace {

using Events = std::vector<std::u16string>;

class ModalWindowTest : public QtToolkitTest {
  protected:
    ModalWindowTest() {
        logic_.clicks[u"cmdAceptar"] = [this](Button&) { window().Hide(); };
    }
    Window& window() { return logic_.window(); }
    QWidget& dialog() { return *QtToolkit::WidgetOf(window()); }

    RecordingLogic logic_{SampleDialogForm()};
};

TEST_F(ModalWindowTest, ShowModalReturnsWhenTheWindowHidesItself) {
    bool shownDuringTheLoop = false;
    bool modalDuringTheLoop = false;
    OnNextModal([&](QWidget& shown) {
        shownDuringTheLoop = window().Visible() && shown.isVisible();
        modalDuringTheLoop = &shown == &dialog();
        ClickButton(shown, "cmdAceptar");
    });

    window().ShowModal();

    EXPECT_TRUE(shownDuringTheLoop);
    EXPECT_TRUE(modalDuringTheLoop) << "the window is application-modal while shown";
    EXPECT_FALSE(window().Visible());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAceptar"}));
}

TEST_F(ModalWindowTest, AWindowLoadsOnceAndCanBeShownAgainAfterHiding) {
    OnNextModal([](QWidget& shown) {
        TypeInto(shown, "ctrlNombre", "primero");
        ClickButton(shown, "cmdAceptar");
    });
    window().ShowModal();
    OnNextModal([](QWidget& shown) { ClickButton(shown, "cmdAceptar"); });
    window().ShowModal();

    EXPECT_EQ(window().Get<TextField>(u"ctrlNombre").Value(), u"primero");
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdAceptar", u"click cmdAceptar"}));
}

TEST_F(ModalWindowTest, ADialogOpenedFromAButtonRunsItsOwnLoopInsideTheOuterOne) {
    RecordingLogic inner(SampleDialogForm(u"dlgInterior"));
    inner.clicks[u"cmdAceptar"] = [&](Button&) { inner.window().Hide(); };
    std::u16string readAfterInnerShow;
    logic_.clicks[u"cmdCancelar"] = [&](Button&) {
        inner.window().ShowModal();
        readAfterInnerShow = inner.window().Get<TextField>(u"ctrlNombre").Value();
        window().Unload();
    };
    OnNextModal([&](QWidget& outer) {
        OnNextModal([](QWidget& shown) {
            TypeInto(shown, "ctrlNombre", "Jalisco");
            ClickButton(shown, "cmdAceptar");
        });
        ClickButton(outer, "cmdCancelar");
    });

    window().ShowModal();

    EXPECT_EQ(readAfterInnerShow, u"Jalisco");
    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdCancelar", u"unload"}));
    EXPECT_EQ(inner.events, (Events{u"load", u"click cmdAceptar"}));
}

TEST_F(ModalWindowTest, TheCloseBoxAsksTheLogicAndAGrantedRequestUnloadsTheWindow) {
    OnNextModal([](QWidget& shown) { shown.close(); });

    window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"unload"}));
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(ErrorFrom([&] { window().ShowModal(); }).number(), ui::err::kObjectUnloaded);
    window().Unload();  // unloading again does nothing
    EXPECT_EQ(logic_.events.size(), 3u);
}

TEST_F(ModalWindowTest, ARefusedCloseRequestLeavesTheWindowShown) {
    logic_.allowClose = false;
    bool stillShown = false;
    OnNextModal([&](QWidget& shown) {
        shown.close();
        stillShown = shown.isVisible() && window().Visible();
        ClickButton(shown, "cmdAceptar");
    });

    window().ShowModal();

    EXPECT_TRUE(stillShown);
    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"click cmdAceptar"}));
}

TEST_F(ModalWindowTest, EscAsksTheLogicToCloseLikeTheCloseBox) {
    OnNextModal([](QWidget&) { PressKey(Qt::Key_Escape); });

    window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"close request", u"unload"}));
}

TEST_F(ModalWindowTest, TheLogicMayReleaseItsWindowFromItsOwnButton) {
    logic_.clicks[u"cmdCancelar"] = [&](Button&) { logic_.ReleaseWindow(); };
    const QPointer<QWidget> widget = &dialog();
    OnNextModal([](QWidget& shown) { ClickButton(shown, "cmdCancelar"); });

    logic_.window().ShowModal();

    EXPECT_EQ(logic_.events, (Events{u"load", u"click cmdCancelar", u"unload"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull()) << "the released window's widgets are gone";
}

TEST_F(ModalWindowTest, AnErrorEscapingAClickGoesToTheLogicAndTheWindowStaysShown) {
    logic_.clicks[u"cmdCancelar"] = [](Button&) { rt::RaiseObjectNotSet(); };
    bool shownAfterError = false;
    OnNextModal([&](QWidget& shown) {
        ClickButton(shown, "cmdCancelar");
        shownAfterError = window().Visible();
        ClickButton(shown, "cmdAceptar");
    });

    window().ShowModal();

    EXPECT_TRUE(shownAfterError);
    EXPECT_EQ(logic_.events,
              (Events{u"load", u"click cmdCancelar", u"error 91", u"click cmdAceptar"}));
}

}  // namespace
}  // namespace mundor::ui::qt::testing
