#include "shell/readonlycaptions.h"

#include <QEvent>
#include <QWidget>

bool ReadOnlyCaptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->inherits("QMainWindow") && !widget->windowTitle().isEmpty() && !widget->windowTitle().endsWith(kSuffix))
            widget->setWindowTitle(widget->windowTitle() + kSuffix);
    }
    return QObject::eventFilter(watched, event);
}
