#include "ui/list_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace teijinki::ui {

namespace {

class EnterOpens : public QObject {
public:
    EnterOpens(QListWidget& list, std::function<void(QListWidgetItem*)> open)
        : QObject(&list), list_(list), open_(std::move(open)) {
        list.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &list_ || event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (QListWidgetItem* item = list_.currentItem()) open_(item);
        return true;
    }

private:
    QListWidget& list_;
    std::function<void(QListWidgetItem*)> open_;
};

}  // namespace

void open_with_enter(QListWidget& list, std::function<void(QListWidgetItem*)> open) {
    new EnterOpens(list, std::move(open));
}

}  // namespace teijinki::ui
