#include "ui/qt/qt_window.h"

#include <algorithm>
#include <optional>

#include "contracts/ui/ui_errors.h"
#include "runtime/dispatch.h"
#include "runtime/error.h"
#include "ui/qt/control_factory.h"
#include "ui/qt/look.h"
#include "ui/qt/qt_errors.h"
#include "ui/qt/window_placement.h"

namespace mundor::ui::qt {

namespace {

FormDefinition Checked(FormDefinition form) {
    CheckFormDefinition(form);
    return form;
}

FormDialog* NewDialog(const FormDefinition& form, const TwipsScale& scale) {
    auto* dialog = new FormDialog(WindowFlagsFor(form.window));
    dialog->setObjectName(QString::fromStdU16String(form.name));
    dialog->setWindowTitle(QString::fromStdU16String(form.caption));
    dialog->setFont(QtFontFor(DefaultFormFont()));
    dialog->setFixedSize(scale.ToSize(form.clientWidth, form.clientHeight));
    return dialog;
}

// The error being handled, as the thread's last run-time error records it.
rt::RuntimeError CurrentErrorRecorded() {
    rt::ReportCurrentException();
    const rt::ErrorRecord& record = rt::LastError();
    return rt::RuntimeError(record.number, record.description, record.source);
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
    : form_(Checked(std::move(form))),
      events_(events),
      scale_(ScaleWhereWindowsOpen()),
      dialog_(NewDialog(form_, scale_)) {
    dialog_->onCloseRequest = [this] { OnCloseRequest(); };
    BuildControls();
    ChainTabOrder();
}

QtWindow::~QtWindow() {
    dialog_->onCloseRequest = nullptr;
    controls_.clear();
}

void QtWindow::BuildControls() {
    for (const ControlDefinition* row : InTabOrder(form_)) {
        controls_.push_back(MakeQtControl(*row, *this, *dialog_, scale_));
    }
}

void QtWindow::ChainTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& control : controls_) {
        QWidget& target = KeyboardTarget(WidgetOf(*control));
        if (!(target.focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, &target);
        previous = &target;
    }
}

void QtWindow::ShowModal() {
    err::RequireWidgetsThread();
    if (unloaded_) ui::err::RaiseObjectUnloaded(form_.name);
    if (visible_) ui::err::RaiseAlreadyShownModal(form_.name);
    LoadIfNeeded();
    // The owner may release its handle from inside a handler; the loop keeps the window alive.
    const std::shared_ptr<QtWindow> keepAlive = shared_from_this();
    PlaceWindow(*dialog_, form_.window.startUpPosition, CurrentOwner(&*dialog_));
    FocusFirstControlUnlessChosen();
    visible_ = true;
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    RunModalLoop();
}

void QtWindow::LoadIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    events_.OnLoad();
    if (unloaded_) ui::err::RaiseObjectUnloaded(form_.name);
}

void QtWindow::FocusFirstControlUnlessChosen() {
    if (dialog_->focusWidget()) return;
    for (const auto& control : controls_) {
        QWidget& widget = WidgetOf(*control);
        if (!TakesTabFocus(widget)) continue;
        KeyboardTarget(widget).setFocus(Qt::TabFocusReason);
        return;
    }
}

void QtWindow::RunModalLoop() {
    QEventLoop loop;
    modalLoop_ = &loop;
    if (visible_) loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
}

void QtWindow::Hide() {
    if (!visible_) return;
    visible_ = false;
    dialog_->hide();
    if (modalLoop_) modalLoop_->quit();
}

void QtWindow::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    try {
        events_.OnUnload();
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    Hide();
    loaded_ = false;
    unloaded_ = true;
}

void QtWindow::UnloadQuietly() noexcept {
    try {
        Unload();
    } catch (...) {
        rt::ReportCurrentException();
    }
}

void QtWindow::OnCloseRequest() {
    const EventScope scope = EnterEvent();
    RunHandler([this] {
        if (events_.OnCloseRequest()) Unload();
    });
}

Control* QtWindow::FindControl(std::u16string_view name, LONG index) {
    for (const auto& control : controls_) {
        if (control->Index() == index && rt::SameMemberName(control->Name(), name)) {
            return control.get();
        }
    }
    return nullptr;
}

Control* QtWindow::FocusedControl() const {
    const QWidget* focused = dialog_->focusWidget();
    if (!focused) return nullptr;
    for (const auto& control : controls_) {
        const QWidget& widget = WidgetOf(*control);
        if (&widget == focused || widget.isAncestorOf(focused)) return control.get();
    }
    return nullptr;
}

void QtWindow::RunHandler(const std::function<void()>& handler) noexcept {
    std::optional<rt::RuntimeError> escaped;
    try {
        handler();
        return;
    } catch (...) {
        escaped.emplace(CurrentErrorRecorded());
    }
    try {
        events_.OnEventError(*escaped);
    } catch (...) {
        rt::ReportCurrentException();
    }
}

}  // namespace mundor::ui::qt
