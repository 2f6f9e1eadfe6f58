#include "ui/qt/button.h"

#include <QEvent>
#include <QStyleOptionButton>

#include "ui/qt/button_look.h"
#include "ui/qt/look.h"

namespace mundor::ui::qt {

namespace {

// A push button whose caption narrows its letters, down to a condensed width, when the
// desktop's font at the stored size is wider than the button the layout allows; the point size
// stays, so captions keep their height and the windows keep their look.
class CaptionFittingButton final : public QPushButton {
  public:
    explicit CaptionFittingButton(QWidget* parent) : QPushButton(parent) {}

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QPushButton::resizeEvent(event);
        FitCaption();
    }
    void changeEvent(QEvent* event) override {
        QPushButton::changeEvent(event);
        if (event->type() == QEvent::FontChange && !fitting_) FitCaption();
    }

  private:
    static constexpr int kBreathingRoom = 4;  // pixels kept free beside the caption

    int RoomForCaption() const {
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect contents =
            style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        return contents.width() - kBreathingRoom;
    }

    void FitCaption() {
        if (width() <= 0) return;
        const QFont fitted = NarrowedToFit(font(), QString(text()).remove(u'&'), RoomForCaption());
        if (fitted.stretch() == font().stretch()) return;
        fitting_ = true;
        setFont(fitted);
        fitting_ = false;
    }

    bool fitting_ = false;
};

}  // namespace

QtButton::QtButton(const ControlDefinition& definition, ControlHost& host, QWidget& parent)
    : definition_(definition), host_(host), widget_(new CaptionFittingButton(&parent)) {
    widget_->setText(QString::fromStdU16String(Caption()));
    // A default button would take Enter from the text fields; these windows have none.
    widget_->setAutoDefault(false);
    widget_->setFocusPolicy(Qt::StrongFocus);
    ApplyButtonLook(*widget_, ButtonLook::Of(definition, widget_->palette()));
    clicked_ = QObject::connect(widget_, &QPushButton::clicked, widget_, [this] { OnClicked(); });
}

QtButton::~QtButton() {
    QObject::disconnect(clicked_);
}

std::u16string QtButton::Caption() const {
    return definition_.SettingAs<std::u16string>(u"tx").value_or(u"");
}

void QtButton::OnClicked() {
    const EventScope scope = host_.EnterEvent();
    host_.RunHandler([this] { host_.Events().OnClick(*this); });
}

}  // namespace mundor::ui::qt
