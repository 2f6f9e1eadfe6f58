// The edit dialogs opened from the host's launcher buttons, on real widgets, with the user at
// the keyboard and mouse: an add that passes through a validation message and a refused store,
// an edit, and a cancel.
#include <QLineEdit>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_fixture.h"
#include "modal_answerer.h"
#include "modal_driver.h"

namespace mundor::host::testing {
namespace {

using ::testing::StartsWith;

std::string Text(const QString& text) {
    return text.toStdString();
}

// A box that appeared over the dialog.
struct Box {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Presses the dialog's OK and answers the box it raises with its OK. The answer comes from a
// watcher of its own: the host's answerer is busy in the dialog's own step.
void PressOkExpectingABox(QWidget& dialog, std::vector<Box>& boxes) {
    ui::qt::testing::OnNextModal([&boxes](QWidget& shown) {
        auto& box = static_cast<QMessageBox&>(shown);
        boxes.push_back({box.text(), box.windowTitle(), box.icon()});
        PressButton(box, QStringLiteral("Aceptar"));
    });
    PressButton(dialog, QStringLiteral("&Aceptar"));
}

// Replaces a dialog field's text by typing, as a user does over the selected text.
void Retype(QWidget& dialog, const char* field, const QString& text) {
    QWidget* control = dialog.findChild<QWidget*>(field);
    auto* edit = control ? control->findChild<QLineEdit*>() : nullptr;
    ASSERT_TRUE(edit) << "no field " << field << " in " << Text(dialog.windowTitle());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST_P(HostCallsTest, ACountryIsAddedAfterItsValidationMessageAndARefusedDuplicateCode) {
    AddPais(u"MX", u"México");
    ModalAnswerer answerer;
    std::vector<Box> boxes;
    answerer.Then([&boxes](QWidget& dialog) {
        PressOkExpectingABox(dialog, boxes);  // every field empty
        Retype(dialog, "ctrlCodigo", QStringLiteral("mx"));
        Retype(dialog, "ctrlCodigoTel", QStringLiteral("999"));
        Retype(dialog, "ctrlNombre", QStringLiteral("Zembla"));
        PressOkExpectingABox(dialog, boxes);  // a code already taken
        Retype(dialog, "ctrlCodigo", QStringLiteral("zz"));
        PressButton(dialog, QStringLiteral("&Aceptar"));
    });
    SetNumber(QStringLiteral("dlgPais_BySysPK.Sys_PK"), 0);
    Click(QStringLiteral("dlgPais_BySysPK"));

    EXPECT_THAT(Text(Result()), StartsWith("Long: "));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Text(boxes[0].text), "Introduzca código del pais");
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(Text(boxes[1].text), "Ya existe un país con ese código.");
    EXPECT_EQ(boxes[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(Text(boxes[1].title), "Mundor");
    EXPECT_TRUE(answerer.unexpected().isEmpty()) << Text(answerer.unexpected().join(", "));
    EXPECT_TRUE(Exists(Level::kPais, Result().section(QLatin1Char(' '), 1).toInt()));
}

TEST_P(HostCallsTest, AStateIsChangedThroughItsDialogAndACancelChangesNothing) {
    auto pais = AddPais(u"MX", u"México");
    const LONG key = KeyOf(*AddEdoProv(*pais, u"JAL", u"Jalisco"));
    ModalAnswerer answerer;
    answerer
        .Then([](QWidget& dialog) {
            Retype(dialog, "ctrlNombre", QStringLiteral("Jalisco de los Altos"));
            PressButton(dialog, QStringLiteral("&Aceptar"));
        })
        .Then([](QWidget& dialog) {
            Retype(dialog, "ctrlNombre", QStringLiteral("descartado"));
            PressButton(dialog, QStringLiteral("&Cancelar"));
        });
    SetNumber(QStringLiteral("dlgEdoProv.Obj"), key);
    SetNumber(QStringLiteral("dlgEdoProv.Fk"), KeyOf(*pais));
    Click(QStringLiteral("dlgEdoProv"));
    EXPECT_EQ(Text(Result()),
              "Boolean: True · Obj: EdoProv " + std::to_string(key) + " «Jalisco de los Altos»");

    SetNumber(QStringLiteral("dlgEdoProv_BySysPK.Sys_PK"), key);
    Click(QStringLiteral("dlgEdoProv_BySysPK"));
    EXPECT_EQ(Text(Result()), "Boolean: False");
    EXPECT_EQ(answerer.answered(), 2);
}

}  // namespace
}  // namespace mundor::host::testing
