// The member console, one menu away from the main window, offers the whole component, and every
// call shows what came back: the value with its kind, or the error with its number and text,
// through either road. What each member does is the component's own suites'; here, that the
// console reaches it and shows its answer.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/console_window.h"
#include "host/member_controls.h"
#include "host_fixture.h"
#include "modal_answerer.h"
#include "modal_driver.h"
#include "raw_client.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::host::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// The member console, opened from the main window's menu, its calls routed through the typed
// vtable (false) or by name (true).
class ConsoleTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {
  protected:
    ConsoleTest() {
        Press(QKeySequence(Qt::CTRL | Qt::Key_M));
        console_ = window_->findChild<ConsoleWindow*>();
        if (!console_) throw std::runtime_error("Ctrl+M opened no console");
        Set("byName", GetParam() ? QStringLiteral("1") : QStringLiteral("0"));
    }

    // Sets a number box, a text field or a check box ("1" checked) of the console.
    void Set(const char* control, const QString& value) {
        auto* widget = console_->findChild<QWidget*>(QString::fromLatin1(control));
        ASSERT_NE(widget, nullptr) << "no control named " << control;
        if (auto* number = qobject_cast<QSpinBox*>(widget)) number->setValue(value.toInt());
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(value);
        auto* box = qobject_cast<QCheckBox*>(widget);
        // On the box itself: a check box spread over a wide cell takes clicks on its box and text.
        if (box && box->isChecked() != (value == QStringLiteral("1"))) {
            const QPoint onTheBox(box->height() / 2, box->height() / 2);
            QTest::mouseClick(box, Qt::LeftButton, {}, onTheBox);
        }
    }
    void Click(const char* button) {
        auto* pressed = console_->findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(pressed, nullptr) << "no button named " << button;
        QTest::mouseClick(pressed, Qt::LeftButton);
        WaitUntilSettled();
    }
    QString Result() const {
        return console_->findChild<QLabel*>(QStringLiteral("result"))->text();
    }

    ConsoleWindow* console_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Roads, ConsoleTest, ::testing::Bool(), [](const auto& road) {
    return std::string(road.param ? "PorNombre" : "PorInterfaz");
});

TEST_P(ConsoleTest, OffersAControlForEveryPublicMemberAndNoOther) {
    QSet<QString> offered;
    for (const auto* button : console_->findChildren<QPushButton*>()) {
        const QString member = button->property(kMemberProperty).toString();
        if (member.isEmpty()) continue;
        offered.insert(member);
        // A member the component does not have would raise 438 here.
        EXPECT_NO_THROW(rt::DispIdOf(fx_.get(), member.toStdU16String())) << Text(member);
    }
    for (const char16_t* member : rawcom::kMemberNames) {
        const QString name = QString::fromStdU16String(member);
        EXPECT_TRUE(offered.contains(name)) << "no control for " << Text(name);
    }
    for (const char* side : {"get_LastErrorCode", "let_LastErrorCode", "get_LastErrorDescrip",
                             "let_LastErrorDescrip", "get_DataObjects"}) {
        EXPECT_NE(console_->findChild<QPushButton*>(side), nullptr) << side;
    }
}

struct Call {
    const char* control;  // set before the click; empty: none
    const char* value;
    const char* button;
    const char* result;  // how the console's answer starts
};

TEST_P(ConsoleTest, EveryCallShowsItsAnswerAndTheWindowFollows) {
    const Call calls[] = {
        {"LastErrorCode.value", "7", "let_LastErrorCode", "Listo"},
        {"LastErrorCode.value", "0", "get_LastErrorCode", "Long: 7"},
        {"LastErrorDescrip.value", "Sin conexión", "let_LastErrorDescrip", "Listo"},
        {"", "", "get_LastErrorDescrip", "String: \"Sin conexión\""},
        {"", "", "get_DataObjects", "Object: Catalog"},
        // Unbound, the key-based delete fails towards the host, with no box.
        {"", "", "SetDataObjects.Nothing", "Listo"},
        {"", "", "get_DataObjects", "Nothing"},
        {"DelPais_BySysPK.Sys_PK", "1", "DelPais_BySysPK", "Error 91: "},
        {"", "", "SetDataObjects", "Listo"},
        // An object key that loads nothing is told without calling the member.
        {"DelCiudad.Obj", "31337", "DelCiudad",
         "Error 3021: No hay ningún registro Ciudad con Sys_PK 31337; no se llamó al miembro."},
        {"dlgEdoProv_BySysPK.Sys_PK", "424242", "dlgEdoProv_BySysPK", "Boolean: False"},
        // Nothing to delete: the component's error box (answered below), and False.
        {"Ask", "0", "DelPais", "Boolean: False"},
        {"", "", "ExplorerCountry", "Listo"},
    };
    ModalAnswerer answerer;
    QString browser;
    answerer.ThenPress(QStringLiteral("Aceptar")).Then([&](QWidget& shown) {
        browser = shown.windowTitle();
        ui::qt::testing::ClickButton(shown, QStringLiteral("cmdCerrar"));
    });
    for (const Call& call : calls) {
        SCOPED_TRACE(call.button);
        if (*call.control) Set(call.control, QString::fromUtf8(call.value));
        Click(call.button);
        EXPECT_THAT(Text(Result()), StartsWith(call.result));
    }
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_THAT(Text(answerer.boxes()[0].text), StartsWith("(91) "));
    EXPECT_EQ(Text(browser), "Explorar Paises");
    EXPECT_TRUE(answerer.unexpected().isEmpty()) << Text(answerer.unexpected().join(", "));
    const auto* log = console_->findChild<QPlainTextEdit*>(QStringLiteral("callLog"));
    EXPECT_THAT(Text(log->toPlainText()),
                HasSubstr(std::string(GetParam() ? "[por nombre] " : "[interfaz] ") +
                          "LastErrorDescrip → String: \"Sin conexión\""));
    // Both roads reach the window's own instance.
    EXPECT_EQ(rt::CallByName(fx_.get(), u"LastErrorCode", rt::CallType::Get).AsLong(), 7);

    // A delete through the console, without asking: the main window's list follows.
    Type(QStringLiteral("gdl"));
    Set("DelCiudad_BySysPK.Sys_PK", QString::number(KeyOf("Ciudad", "GDL")));
    Click("DelCiudad_BySysPK");
    EXPECT_EQ(Text(Result()), "Boolean: True");
    EXPECT_THAT(Rows(), IsEmpty());
    EXPECT_THAT(Text(Status()), HasSubstr("7 ciudades"));
}

}  // namespace
}  // namespace mundor::host::testing
