// The controls the host's panels are made of: a button that calls one member of the component
// (named by its "mundorMember" property, so tests and screen readers find it) and a box for a
// 32-bit key.
#pragma once

#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <string_view>

namespace mundor::host {

inline constexpr const char* kMemberProperty = "mundorMember";

// `objectName` tells apart the controls of one member: the member itself for a method,
// "get_Name" and "let_Name" for a property's read and write.
QPushButton* NewMemberButton(const QString& text, std::u16string_view member,
                             const QString& objectName, QWidget* parent);
QSpinBox* NewKeySpinBox(const QString& objectName, QWidget* parent);

QString ToQString(std::u16string_view text);

}  // namespace mundor::host
