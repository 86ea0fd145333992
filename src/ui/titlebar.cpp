#include "ui/titlebar.h"

#include "ui/designsize.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

bool TitleBar::needed()
{
    return onWayland();
}

TitleBar *TitleBar::install(QWidget *window)
{
    if (!needed()) {
        return nullptr;
    }
    // The bar offers the buttons the flags ask for; the toolkit's frame goes. Qt keeps the
    // frame of a window whose flags ask for a minimise button, so the hints go with it.
    const Qt::WindowFlags asked = window->windowFlags();
    window->setWindowFlags((asked & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    const QSize client = window->maximumSize();
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        child->move(child->pos() + QPoint(0, Height));
    }
    window->setFixedSize(client.width(), client.height() + Height);
    return new TitleBar(window, asked);
}

TitleBar::TitleBar(QWidget *window, Qt::WindowFlags flags) : QWidget(window)
{
    setObjectName(QStringLiteral("titleBar"));
    setGeometry(0, 0, window->width(), Height);
    setFocusPolicy(Qt::NoFocus);
    if (flags & Qt::WindowMinimizeButtonHint) {
        QToolButton *b = addButton("minimise", Glyph::Minimise, tr("Minimise"));
        connect(b, &QToolButton::clicked, window, &QWidget::showMinimized);
    }
    if (flags & Qt::WindowCloseButtonHint) {
        QToolButton *b = addButton("close", Glyph::Close, tr("Close"));
        connect(b, &QToolButton::clicked, window, &QWidget::close);
    }
    window->installEventFilter(this);
}

QToolButton *TitleBar::addButton(const char *name, Glyph glyph, const QString &tip)
{
    // A thin line for minimise and a cross for close, in the text colour.
    QPixmap picture(12 * devicePixelRatio(), 12 * devicePixelRatio());
    picture.setDevicePixelRatio(devicePixelRatio());
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    if (glyph == Glyph::Minimise) {
        p.drawLine(QPointF(1, 10), QPointF(11, 10));
    } else {
        p.drawLine(QPointF(1.5, 1.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(1.5, 10.5), QPointF(10.5, 1.5));
    }
    p.end();
    auto *b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(picture));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    m_buttons << b;
    return b;
}

void TitleBar::resizeEvent(QResizeEvent *)
{
    // The buttons stand at the right end, in the order they were added.
    int x = width() - 2;
    for (auto it = m_buttons.crbegin(); it != m_buttons.crend(); ++it) {
        x -= Height - 4;
        (*it)->setGeometry(x, 2, Height - 4, Height - 4);
    }
}

bool TitleBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent()) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::ActivationChange:
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::paintEvent(QPaintEvent *)
{
    const QWidget *w = window();
    const bool active = w->isActiveWindow();
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window).darker(active ? 112 : 104));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    const int iconSize = 16;
    w->windowIcon().paint(&p, QRect(6, (height() - iconSize) / 2, iconSize, iconSize));
    QFont font = p.font();
    font.setBold(active);
    p.setFont(font);
    p.setPen(palette().color(active ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(rect(), Qt::AlignCenter, w->windowTitle().trimmed());
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    // Dragging the bar moves the window; the window system does the moving.
    if (event->button() == Qt::LeftButton && window()->windowHandle()) {
        window()->windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
