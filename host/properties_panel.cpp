#include "host/properties_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "host/member_controls.h"
#include "host/value_text.h"

namespace mundor::host {

namespace {

QLabel* NameLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(name, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

PropertiesPanel::PropertiesPanel(CallRunner& runner, rt::Ref<nubex::Catalog> catalog,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("Propiedades"), parent),
      runner_(runner),
      catalog_(std::move(catalog)),
      errorCode_(NewKeySpinBox(QStringLiteral("LastErrorCode.value"), this)),
      errorDescrip_(new QLineEdit(this)) {
    errorDescrip_->setObjectName(QStringLiteral("LastErrorDescrip.value"));
    errorDescrip_->setPlaceholderText(QStringLiteral("texto"));
    auto* grid = new QGridLayout(this);

    grid->addWidget(NameLabel(QStringLiteral("LastErrorCode"), this), 0, 0);
    grid->addWidget(errorCode_, 0, 1);
    auto* readCode = NewMemberButton(QStringLiteral("Leer"), u"LastErrorCode",
                                     QStringLiteral("get_LastErrorCode"), this);
    auto* writeCode = NewMemberButton(QStringLiteral("Escribir"), u"LastErrorCode",
                                      QStringLiteral("let_LastErrorCode"), this);
    grid->addWidget(readCode, 0, 2);
    grid->addWidget(writeCode, 0, 3);

    grid->addWidget(NameLabel(QStringLiteral("LastErrorDescrip"), this), 1, 0);
    grid->addWidget(errorDescrip_, 1, 1);
    auto* readDescrip = NewMemberButton(QStringLiteral("Leer"), u"LastErrorDescrip",
                                        QStringLiteral("get_LastErrorDescrip"), this);
    auto* writeDescrip = NewMemberButton(QStringLiteral("Escribir"), u"LastErrorDescrip",
                                         QStringLiteral("let_LastErrorDescrip"), this);
    grid->addWidget(readDescrip, 1, 2);
    grid->addWidget(writeDescrip, 1, 3);

    grid->addWidget(NameLabel(QStringLiteral("DataObjects"), this), 2, 0);
    auto* readCatalog = NewMemberButton(QStringLiteral("Leer"), u"DataObjects",
                                        QStringLiteral("get_DataObjects"), this);
    grid->addWidget(readCatalog, 2, 2);

    grid->addWidget(NameLabel(QStringLiteral("SetDataObjects"), this), 3, 0);
    auto* bind = NewMemberButton(QStringLiteral("Catálogo abierto"), u"SetDataObjects",
                                 QStringLiteral("SetDataObjects"), this);
    auto* unbind = NewMemberButton(QStringLiteral("Nothing"), u"SetDataObjects",
                                   QStringLiteral("SetDataObjects.Nothing"), this);
    grid->addWidget(bind, 3, 1);
    grid->addWidget(unbind, 3, 2);
    grid->setColumnStretch(1, 1);

    connect(readCode, &QPushButton::clicked, this, [this] { ReadErrorCode(); });
    connect(writeCode, &QPushButton::clicked, this, [this] { WriteErrorCode(); });
    connect(readDescrip, &QPushButton::clicked, this, [this] { ReadErrorDescrip(); });
    connect(writeDescrip, &QPushButton::clicked, this, [this] { WriteErrorDescrip(); });
    connect(readCatalog, &QPushButton::clicked, this, [this] { ReadDataObjects(); });
    connect(bind, &QPushButton::clicked, this, [this] { Bind(true); });
    connect(unbind, &QPushButton::clicked, this, [this] { Bind(false); });
}

void PropertiesPanel::ReadErrorCode() {
    runner_.Run(QStringLiteral("LastErrorCode"),
                [&](FxMembers& members) { return DescribeValue(members.GetLastErrorCode()); });
}

void PropertiesPanel::WriteErrorCode() {
    const int value = errorCode_->value();
    runner_.Run(QStringLiteral("LastErrorCode = %1").arg(value), [&](FxMembers& members) {
        members.LetLastErrorCode(value);
        return std::u16string(u"Listo");
    });
}

void PropertiesPanel::ReadErrorDescrip() {
    runner_.Run(QStringLiteral("LastErrorDescrip"),
                [&](FxMembers& members) { return DescribeValue(members.GetLastErrorDescrip()); });
}

void PropertiesPanel::WriteErrorDescrip() {
    const std::u16string text = errorDescrip_->text().toStdU16String();
    const QString call = QStringLiteral("LastErrorDescrip = \"%1\"").arg(errorDescrip_->text());
    runner_.Run(call, [&](FxMembers& members) {
        members.LetLastErrorDescrip(text);
        return std::u16string(u"Listo");
    });
}

void PropertiesPanel::ReadDataObjects() {
    runner_.Run(QStringLiteral("DataObjects"),
                [&](FxMembers& members) { return DescribeValue(members.GetDataObjects()); });
}

void PropertiesPanel::Bind(bool toCatalog) {
    const QString call = toCatalog ? QStringLiteral("SetDataObjects(NewValue:=Catalog)")
                                   : QStringLiteral("SetDataObjects(NewValue:=Nothing)");
    runner_.Run(call, [&](FxMembers& members) {
        members.SetDataObjects(toCatalog ? catalog_ : rt::Ref<nubex::Catalog>());
        return std::u16string(u"Listo");
    });
}

}  // namespace mundor::host
