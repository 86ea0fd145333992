#include "ui/designsize.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

class DesignSizeKeeper : public QObject
{
public:
    explicit DesignSizeKeeper(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
        // The widget keeps its fixed size; only the platform window may grow.
        window->windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize) {
            // After the event: a state is asked back only once the compositor has applied
            // it, since Qt passes on a change of state against the state last applied.
            QTimer::singleShot(0, this, &DesignSizeKeeper::restore);
        }
        return false;
    }

private:
    void restore()
    {
        QWindow *handle = m_window->windowHandle();
        if (!handle) {
            return;
        }
        const Qt::WindowStates large = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (m_window->windowState() & large) {
            handle->setWindowStates(m_window->windowState() & ~large);
        } else if (handle->size() != m_window->maximumSize()) {
            handle->resize(m_window->maximumSize());
        }
    }

    QWidget *m_window;
};

} // namespace

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void keepDesignSize(QWidget *window)
{
    const char *kept = "designSizeKept";
    if (onWayland() && window->windowHandle() && !window->property(kept).toBool()) {
        window->setProperty(kept, true);
        new DesignSizeKeeper(window);
    }
}
