#include "host/member_controls.h"

#include <limits>

namespace mundor::host {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* NewMemberButton(const QString& text, std::u16string_view member,
                             const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setProperty(kMemberProperty, ToQString(member));
    button->setToolTip(ToQString(member));
    button->setAutoDefault(false);
    return button;
}

QSpinBox* NewKeySpinBox(const QString& objectName, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    box->setAccelerated(true);
    box->setMinimumWidth(110);
    return box;
}

}  // namespace mundor::host
