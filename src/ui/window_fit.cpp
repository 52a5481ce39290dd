#include "ui/window_fit.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace teijinki::ui {

namespace {

QMargins frame_of(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

const QWidget* owner_window(const QWidget& window) {
    const QWidget* parent = window.parentWidget();
    return parent ? parent->window() : nullptr;
}

// The frame the window will get: its own once it has been shown, else the one its owner has.
QMargins expected_frame(const QWidget& window) {
    if (window.testAttribute(Qt::WA_WState_Created) && window.frameGeometry() != window.geometry())
        return frame_of(window);
    if (const QWidget* owner = owner_window(window); owner && owner->isVisible()) return frame_of(*owner);
    return kUsualFrame;
}

void fit(QWidget& window, const QWidget* over_widget) {
    const QRect area = available_area(window);
    if (area.isEmpty()) return;
    const QWidget* owner = owner_window(window);
    QRect over;
    if (over_widget && over_widget->isVisible()) over = QRect(over_widget->mapToGlobal(QPoint(0, 0)), over_widget->size());
    else if (owner && owner->isVisible()) over = owner->frameGeometry();
    const QSize minimum = window.minimumSize().expandedTo(window.minimumSizeHint());
    // A window nobody sized asks for its layout's whole preferred size (Qt would have held it to
    // two thirds of the screen); the area decides how much of it there is room for.
    const QSize wanted = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    window.setGeometry(fitted_geometry(wanted, minimum, expected_frame(window), area, over));
}

class FitOnShow : public QObject {
public:
    FitOnShow(QWidget& window, const QWidget* over) : QObject(&window), window_(window), over_(over) {
        setObjectName(QStringLiteral("FitOnShow"));
        window.installEventFilter(this);
    }
    void set_over(const QWidget* over) { over_ = over; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A window coming back from the taskbar (a spontaneous show) stays where the player put it.
        if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous()) fit(window_, over_);
        return false;
    }

private:
    QWidget& window_;
    QPointer<const QWidget> over_;
};

// Asks for the whole body (a plain scroll area holds a large body to a few hundred pixels) and
// gives way down to a small corner of it.
class BodyScroll : public QScrollArea {
public:
    explicit BodyScroll(QWidget* parent) : QScrollArea(parent) {}
    QSize sizeHint() const override { return widget() ? widget()->sizeHint() : QScrollArea::sizeHint(); }
    QSize minimumSizeHint() const override {
        if (!widget()) return QScrollArea::minimumSizeHint();
        const int bar = verticalScrollBar()->sizeHint().width();
        return widget()->minimumSizeHint().boundedTo(QSize(8 * bar, 6 * bar));
    }
};

}  // namespace

QScrollArea* scroll_when_cramped(QWidget* body, QWidget* parent) {
    auto* scroll = new BodyScroll(parent);
    scroll->setObjectName(body->objectName() + QStringLiteral("_scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(body);
    // The window's own background shows through.
    scroll->viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
    return scroll;
}

QRect fitted_geometry(QSize wanted, QSize minimum, QMargins frame, QRect area, QRect over) {
    const QSize room(area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom());
    const QSize size = wanted.boundedTo(room).expandedTo(minimum);
    const QSize outer(size.width() + frame.left() + frame.right(), size.height() + frame.top() + frame.bottom());
    const QPoint centre = over.isEmpty() ? area.center() : over.center();
    QPoint corner(centre.x() - outer.width() / 2, centre.y() - outer.height() / 2);
    // Inside the area; a window larger than the area keeps its top left corner (and title bar) in.
    corner.setX(std::max(area.left(), std::min(corner.x(), area.right() + 1 - outer.width())));
    corner.setY(std::max(area.top(), std::min(corner.y(), area.bottom() + 1 - outer.height())));
    return QRect(corner + QPoint(frame.left(), frame.top()), size);
}

QRect available_area(const QWidget& window) {
    const QWidget* owner = owner_window(window);
    QScreen* screen = owner ? owner->screen() : window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void fit_on_show(QWidget& window, const QWidget* over) {
    // Asked again (a screen that opens a dialog beside a part of itself): the new place holds.
    for (QObject* child : window.children())
        if (auto* fitting = dynamic_cast<FitOnShow*>(child)) {
            fitting->set_over(over);
            return;
        }
    new FitOnShow(window, over);
}

}  // namespace teijinki::ui
