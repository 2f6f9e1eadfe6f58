#include "ui/qt/qt_window.h"

#include <algorithm>

#include "ui/qt/control_factory.h"
#include "ui/qt/look.h"
#include "ui/qt/qt_errors.h"
#include "ui/qt/window_placement.h"

namespace mundor::ui::qt {

namespace {

FormDialog* NewDialog(const FormDefinition& form, const TwipsScale& scale) {
    auto* dialog = new FormDialog(WindowFlagsFor(form.window));
    dialog->setObjectName(QString::fromStdU16String(form.name));
    dialog->setWindowTitle(QString::fromStdU16String(form.caption));
    dialog->setFont(QtFontFor(DefaultFormFont()));
    dialog->setFixedSize(scale.ToSize(form.clientWidth, form.clientHeight));
    return dialog;
}

// Rows in the order of their tab indexes; rows with equal indexes keep the definition's order.
std::vector<const ControlDefinition*> InTabOrder(const FormDefinition& form) {
    std::vector<const ControlDefinition*> rows;
    for (const ControlDefinition& row : form.controls) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    return rows;
}

// The scale of the screen the window will open on: its owner's, or the primary screen.
TwipsScale ScaleWhereWindowsOpen() {
    const QWidget* owner = CurrentOwner();
    return TwipsScale::ForScreen(owner ? owner->screen() : nullptr);
}

// The widget that takes the keyboard for a control's widget: the edit box of a titled field.
QWidget& KeyboardTarget(QWidget& widget) {
    QWidget* target = &widget;
    while (target->focusProxy()) target = target->focusProxy();
    return *target;
}

bool TakesTabFocus(QWidget& widget) {
    const QWidget& target = KeyboardTarget(widget);
    return (target.focusPolicy() & Qt::TabFocus) && target.isEnabled();
}

}  // namespace

QtWindow::QtWindow(FormDefinition form, FormEvents& events)
    : WindowBase(std::move(form), events),
      scale_(ScaleWhereWindowsOpen()),
      dialog_(NewDialog(Definition(), scale_)) {
    dialog_->onCloseRequest = [this] { OnCloseRequest(); };
    BuildControls();
    ChainTabOrder();
}

QtWindow::~QtWindow() {
    dialog_->onCloseRequest = nullptr;
    // The controls go first: their widgets belong to the dialog.
    DestroyControls();
}

void QtWindow::BuildControls() {
    for (const ControlDefinition* row : InTabOrder(Definition())) {
        AddControl(MakeQtControl(*row, *this, *dialog_, scale_));
    }
}

void QtWindow::ChainTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& control : controls()) {
        QWidget& target = KeyboardTarget(WidgetOf(*control));
        if (!(target.focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, &target);
        previous = &target;
    }
}

void QtWindow::CheckToolkit() {
    err::RequireWidgetsThread();
}

void QtWindow::RunModal() {
    PlaceWindow(*dialog_, Definition().window.startUpPosition, CurrentOwner(&*dialog_));
    FocusFirstControlUnlessChosen();
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    if (Visible()) loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
}

void QtWindow::FocusFirstControlUnlessChosen() {
    if (dialog_->focusWidget()) return;
    for (const auto& control : controls()) {
        QWidget& widget = WidgetOf(*control);
        if (!TakesTabFocus(widget)) continue;
        KeyboardTarget(widget).setFocus(Qt::TabFocusReason);
        return;
    }
}

void QtWindow::HideFromScreen() {
    dialog_->hide();
    if (modalLoop_) modalLoop_->quit();
}

void QtWindow::OnCloseRequest() {
    const EventScope scope = EnterEvent();
    RunHandler([this] {
        if (events().OnCloseRequest()) Unload();
    });
}

Control* QtWindow::FocusedControl() const {
    const QWidget* focused = dialog_->focusWidget();
    if (!focused) return nullptr;
    for (const auto& control : controls()) {
        const QWidget& widget = WidgetOf(*control);
        if (&widget == focused || widget.isAncestorOf(focused)) return control.get();
    }
    return nullptr;
}

}  // namespace mundor::ui::qt
