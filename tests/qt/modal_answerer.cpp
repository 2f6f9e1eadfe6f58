#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace mundor::ui::qt::testing {

namespace {

SeenBox Describe(const QMessageBox& box) {
    SeenBox seen{box.windowTitle(), box.text(), box.icon(), {}, {}, box.textFormat()};
    for (QAbstractButton* button : box.buttons()) seen.buttons << button->text();
    if (box.defaultButton()) seen.defaultButton = box.defaultButton()->text();
    return seen;
}

}  // namespace

void PressButton(QWidget& parent, const QString& caption) {
    for (auto* button : parent.findChildren<QAbstractButton*>()) {
        if (button->text() == caption && button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "No button \"" << caption.toStdString() << "\" in "
                  << parent.windowTitle().toStdString();
    // Left open, the modal would hang the test.
    parent.close();
}

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

ModalAnswerer& ModalAnswerer::Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

ModalAnswerer& ModalAnswerer::ThenPress(const QString& caption) {
    return Then([caption](QWidget& modal) { PressButton(modal, caption); });
}

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == last_) return;
    last_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) boxes_.push_back(Describe(*box));
    if (answers_.empty()) {
        unexpected_ << modal->windowTitle();
        modal->close();
        return;
    }
    const Answer answer = std::move(answers_.front());
    answers_.pop_front();
    ++answered_;
    answer(*modal);
}

}  // namespace mundor::ui::qt::testing
