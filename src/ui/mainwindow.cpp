#include "ui/mainwindow.h"

#include "dialogs/programicon.h"
#include "game/frmmain.h"
#include "ui/clicklabel.h"
#include "ui/designsize.h"
#include "ui/fieldwidget.h"
#include "ui/fonts.h"
#include "ui/overlaywidget.h"
#include "ui/titlebar.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

namespace {

QColor qcolour(Colour c)
{
    return QColor(c.red(), c.green(), c.blue());
}

// A frame whose free area reports pointer moves (the Information menu resets its
// highlight there).
class MenuFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;
    std::function<void()> onFreeAreaMove;

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        event->accept();
        if (!childAt(event->position().toPoint()) && onFreeAreaMove) {
            onFreeAreaMove();
        }
    }
};

} // namespace

MainWindow::MainWindow(frmMain &model, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_model(model)
{
    // Frames draw their border round the whole of their place with the caption set into its
    // top line, as the window was designed; Fusion would draw the line under the caption.
    // The window owns the style, which only the five frames use.
    m_frameStyle = QStyleFactory::create(QStringLiteral("Windows"));
    m_frameStyle->setParent(this);
    setFixedSize(static_cast<int>(model.frmMainWindow.width()),
                 static_cast<int>(model.frmMainWindow.height()));
    // The controls stand in the client area, below the game's own title bar where it has one.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setGeometry(rect());
    setFont(fonts::dialog());
    setWindowIcon(programicon::icon());
    setMouseTracking(true);
    bind(model.frmMainWindow, this, Kind::Window);

    // Playing field with the stack's first tile and the incoming row.
    m_field = new FieldWidget(m_client);
    bind(model.Picture1, m_field, Kind::Field);
    const QPointF inner = m_field->innerOrigin();
    m_field->setLine(static_cast<int>(model.Line1.left()),
                     static_cast<int>(model.Line1.left() + model.Line1.width()),
                     static_cast<int>(model.Line1.top()));
    m_stack.push_back(makeTile(m_field, model.OoperDaba[0]));
    m_stackBindings.resize(1);
    m_stackBindings[0] = Binding{m_stack[0], Kind::Tile, inner, 0, false, {}, {}};
    apply(m_stackBindings[0], model.OoperDaba[0]);
    connect(m_stack[0], &ClickLabel::clicked, this, [this] { m_model.OoperDaba_Click(0); });
    for (int i = 0; i <= 7; ++i) {
        bind(model.NichlaDaba[i], makeTile(m_field, model.NichlaDaba[i]), Kind::Tile, inner);
    }

    // The overlay lies in front of the field.
    m_overlay = new OverlayWidget(model.picBlackDrawing(), m_client);
    bind(model.PicBlack, m_overlay, Kind::Overlay);
    connect(m_overlay, &OverlayWidget::mouseMovedOnFreeArea, this,
            [this] { m_model.PicBlack_MouseMove(); });
    auto *black = new QLabel(m_overlay);
    black->setFont(fonts::serif(15.75, true));
    black->setAlignment(Qt::AlignCenter);
    black->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    bind(model.lblBlack, black, Kind::CentredAutoLabel);

    // Word row.
    auto *frame1 = new QGroupBox(m_client);
    bind(model.Frame1, frame1, Kind::Frame);
    auto *result = new QLabel(frame1);
    result->setFont(fonts::sans(13.5));
    result->setAlignment(Qt::AlignCenter);
    result->setAutoFillBackground(true);
    bind(model.lblResult, result, Kind::Label);
    for (int k = 1; k <= 8; ++k) {
        ClickLabel *tile = makeTile(frame1, model.Result[k]);
        bind(model.Result[k], tile, Kind::Tile);
        connect(tile, &ClickLabel::clicked, this, [this, k] { m_model.Result_Click(k); });
    }
    m_btnCheck = new QPushButton(frame1);
    bind(model.btnCheck, m_btnCheck, Kind::Button);
    connect(m_btnCheck, &QPushButton::clicked, this, [this] { m_model.btnCheck_Click(); });
    auto *btnClear = new QPushButton(frame1);
    bind(model.btnClear, btnClear, Kind::Button);
    connect(btnClear, &QPushButton::clicked, this, [this] { m_model.btnClear_Click(); });

    // Score, level and rows left.
    const std::pair<Control *, Control *> panels[] = {
        {&model.Frame2, &model.lblScore},
        {&model.frmLevel, &model.lblLevel},
        {&model.Frame3, &model.lblRowsLeft},
    };
    for (const auto &[frame, number] : panels) {
        auto *box = new QGroupBox(m_client);
        bind(*frame, box, Kind::Frame);
        auto *label = new QLabel(box);
        label->setFont(fonts::sans(24, true));
        label->setAlignment(Qt::AlignCenter);
        bind(*number, label, Kind::CentredAutoLabel);
    }

    // The Information menu.
    auto *menu = new MenuFrame(m_client);
    menu->setMouseTracking(true);
    menu->onFreeAreaMove = [this] { m_model.frameAbout_MouseMove(); };
    m_frameAbout = menu;
    bind(model.frameAbout, menu, Kind::Frame);
    // A plain lambda per label: GCC 12 with both AddressSanitizer and UBSan reports a false
    // stack underflow for a call through a captured pointer to member function.
    struct MenuEntry
    {
        Control *control;
        std::function<void()> move;
        std::function<void()> click;
    };
    const MenuEntry entries[] = {
        {&model.lblHowTo, [this] { m_model.lblHowTo_MouseMove(); },
         [this] { m_model.lblHowTo_Click(); }},
        {&model.lblHighScore, [this] { m_model.lblHighScore_MouseMove(); },
         [this] { m_model.lblHighScore_Click(); }},
        {&model.lblAbout, [this] { m_model.lblAbout_MouseMove(); },
         [this] { m_model.lblAbout_Click(); }},
    };
    for (const MenuEntry &e : entries) {
        auto *label = new ClickLabel(menu);
        label->setFont(fonts::sans(9.75));
        label->setMouseTracking(true);
        label->setCursor(Qt::PointingHandCursor);
        bind(*e.control, label, Kind::Label);
        connect(label, &ClickLabel::mouseMoved, this, e.move);
        connect(label, &ClickLabel::clicked, this, e.click);
    }

    m_btnStart = new QPushButton(m_client);
    bind(model.btnStart, m_btnStart, Kind::Button);
    connect(m_btnStart, &QPushButton::clicked, this, [this] { m_model.btnStart_Click(); });
    auto *cmdExit = new QPushButton(m_client);
    cmdExit->setFont(fonts::sans(9.75));
    bind(model.cmdExit, cmdExit, Kind::Button);
    connect(cmdExit, &QPushButton::clicked, this, [this] { m_model.cmdExit_Click(); });

    // The field and the buttons take the focus in this order, the field first. A button
    // takes it by Tab only: after a click the focus stays where it was, on the field, so the
    // next Enter checks the word rather than pressing the button again. Enter on a button
    // reached by Tab presses it.
    for (QPushButton *b : {m_btnStart, m_btnCheck, btnClear, cmdExit}) {
        b->setAutoDefault(true);
        b->setFocusPolicy(Qt::TabFocus);
    }
    setTabOrder(m_field, m_btnStart);
    setTabOrder(m_btnStart, m_btnCheck);
    setTabOrder(m_btnCheck, btnClear);
    setTabOrder(btnClear, cmdExit);
    connect(m_field, &FieldWidget::keyTyped, this, &MainWindow::fieldKey);

    m_overlay->raise();
    TitleBar::install(this);
    model.setObserver(this);
}

MainWindow::~MainWindow()
{
    m_model.setObserver(nullptr);
}

ClickLabel *MainWindow::makeTile(QWidget *parent, const Control &)
{
    auto *tile = new ClickLabel(parent);
    tile->setFont(fonts::sans(18));
    tile->setAlignment(Qt::AlignCenter);
    tile->setFrameStyle(QFrame::Box | QFrame::Plain);
    tile->setLineWidth(1);
    tile->setAutoFillBackground(true);
    return tile;
}

void MainWindow::bind(const Control &control, QWidget *widget, Kind kind, QPointF origin)
{
    if (kind == Kind::Frame) {
        widget->setStyle(m_frameStyle);
    }
    Binding b{widget, kind, origin, control.left() + control.width() / 2, false, {}, {}};
    auto it = m_bindings.insert(&control, b);
    apply(it.value(), control);
}

void MainWindow::apply(Binding &b, const Control &c)
{
    QWidget *w = b.widget;
    // A hidden tile that stays hidden needs nothing: pushes move every tile, hidden ones
    // too, and it gets its place and look when it shows again.
    if (b.kind == Kind::Tile && b.painted && !c.isVisible() && w->isHidden()) {
        return;
    }
    switch (b.kind) {
    case Kind::Window:
        w->setWindowTitle(c.caption());
        return;
    case Kind::Frame:
        static_cast<QGroupBox *>(w)->setTitle(c.caption());
        break;
    case Kind::Button:
        static_cast<QPushButton *>(w)->setText(c.caption());
        break;
    case Kind::Label:
    case Kind::CentredAutoLabel:
    case Kind::Tile:
        static_cast<QLabel *>(w)->setText(c.caption());
        break;
    case Kind::Field:
    case Kind::Overlay:
        break;
    }

    if (!b.painted || c.foreColor() != b.fore || c.backColor() != b.back) {
        QPalette pal = w->palette();
        if (b.kind == Kind::Label || b.kind == Kind::CentredAutoLabel || b.kind == Kind::Tile) {
            pal.setColor(QPalette::WindowText, qcolour(c.foreColor()));
            pal.setColor(QPalette::Disabled, QPalette::WindowText, qcolour(c.foreColor()));
        }
        if (b.kind == Kind::Tile || b.kind == Kind::Overlay) {
            pal.setColor(QPalette::Window, qcolour(c.backColor()));
            pal.setColor(QPalette::Disabled, QPalette::Window, qcolour(c.backColor()));
        }
        w->setPalette(pal);
        b.fore = c.foreColor();
        b.back = c.backColor();
    }

    QRect geometry(qRound(b.origin.x() + c.left()), qRound(b.origin.y() + c.top()),
                   qRound(c.width()), qRound(c.height()));
    if (b.kind == Kind::CentredAutoLabel) {
        // Sizes itself to its text about its fixed middle.
        const int textWidth = w->fontMetrics().horizontalAdvance(c.caption());
        const int width = std::max(qRound(c.width()), textWidth + 4);
        geometry = QRect(qRound(b.origin.x() + b.centreX - width / 2.0), geometry.top(), width,
                         geometry.height());
    }
    if (w->geometry() != geometry) {
        w->setGeometry(geometry);
    }
    if (w->isEnabled() != c.isEnabled()) {
        w->setEnabled(c.isEnabled());
    }
    if (w->isVisibleTo(w->parentWidget()) != c.isVisible() || !b.painted) {
        w->setVisible(c.isVisible());
    }
    if (w->toolTip() != c.toolTip()) {
        w->setToolTip(c.toolTip());
    }
    b.painted = true;
}

void MainWindow::controlChanged(const Control &control)
{
    if (&control == &m_model.btnStart && control.caption() == QLatin1String("Pause") &&
        m_btnStart->text() != control.caption()) {
        // The game has just started, resumed or restarted, by a click or a key, maybe on a
        // button that pausing left the focus on: letters, Backspace and Enter go to the word
        // again.
        m_field->setFocus(Qt::OtherFocusReason);
    }
    if (control.id() == ControlId::OoperDaba) {
        const int k = control.index();
        if (k >= 0 && k < static_cast<int>(m_stackBindings.size()) && m_stackBindings[k].widget) {
            apply(m_stackBindings[static_cast<std::size_t>(k)], control);
        }
        return;
    }
    auto it = m_bindings.find(&control);
    if (it != m_bindings.end()) {
        apply(it.value(), control);
    }
}

void MainWindow::tileLoaded(int k)
{
    if (k >= static_cast<int>(m_stack.size())) {
        m_stack.resize(static_cast<std::size_t>(k) + 1, nullptr);
        m_stackBindings.resize(static_cast<std::size_t>(k) + 1);
    }
    const Control &c = m_model.OoperDaba[k];
    // Tiles of removed rows are kept for the next rows: creating a widget costs more than
    // the rest of a push.
    ClickLabel *tile = nullptr;
    if (m_spareTiles.isEmpty()) {
        tile = makeTile(m_field, c);
        connect(tile, &ClickLabel::clicked, this,
                [this, tile] { m_model.OoperDaba_Click(tile->property("tileIndex").toInt()); });
    } else {
        tile = m_spareTiles.takeLast();
    }
    tile->setProperty("tileIndex", k);
    m_stack[static_cast<std::size_t>(k)] = tile;
    m_stackBindings[static_cast<std::size_t>(k)] =
        Binding{tile, Kind::Tile, QPointF(m_field->innerOrigin()), 0, false, {}, {}};
    apply(m_stackBindings[static_cast<std::size_t>(k)], c);
}

void MainWindow::tileUnloaded(int k)
{
    if (k <= 0 || k >= static_cast<int>(m_stack.size())) {
        return;
    }
    if (ClickLabel *tile = m_stack[static_cast<std::size_t>(k)]) {
        tile->hide();
        if (m_spareTiles.size() < MaxSpareTiles) {
            m_spareTiles.append(tile);
        } else {
            // Deleted later: the tile may be the one whose click is being handled.
            tile->deleteLater();
        }
    }
    m_stack[static_cast<std::size_t>(k)] = nullptr;
    m_stackBindings[static_cast<std::size_t>(k)] = Binding{};
}

void MainWindow::overlayChanged(int y)
{
    if (y < 0) {
        m_overlay->update();
    } else {
        m_overlay->update(0, y, m_overlay->width(), 1);
    }
}

void MainWindow::stackMoving(bool started)
{
    // One repaint of the field after the whole move, not one region per tile.
    m_field->setUpdatesEnabled(!started);
}

void MainWindow::unloaded()
{
    close();
}

QWidget *MainWindow::widgetFor(ControlId id, int index) const
{
    if (id == ControlId::OoperDaba) {
        return index >= 0 && index < static_cast<int>(m_stack.size())
                   ? m_stack[static_cast<std::size_t>(index)]
                   : nullptr;
    }
    for (auto it = m_bindings.cbegin(); it != m_bindings.cend(); ++it) {
        if (it.key()->id() == id && it.key()->index() == index) {
            return it.value().widget;
        }
    }
    return nullptr;
}

void MainWindow::showCentred()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    keepDesignSize(this);
    // Without a window manager (a bare X server) nothing activates the window for us.
    activateWindow();
    m_field->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window system's close command unloads the window directly, without a question.
    m_model.Form_Unload();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (childAt(event->position().toPoint()) == m_client) {
        m_model.Form_MouseMove();
    }
}

// Keys that no focused control took: letters pick tiles, Backspace takes the last letter
// back, Esc opens the exit dialog and the Pause key is Start, Pause and Resume.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Escape) {
        m_model.cmdExit_Click();
    } else if (event->key() == Qt::Key_Pause) {
        m_model.btnStart_Click();
    } else if (event->key() == Qt::Key_Backspace) {
        m_model.takeBackLetter();
    } else if (text.size() == 1 && text[0].isLetter() && text[0].unicode() < 128 &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        m_model.pickLetter(text[0]);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Enter checks the word and Space is Start, Pause and Resume while the field has the keys.
void MainWindow::fieldKey(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_model.btnCheck_Click();
        event->accept();
    } else if (event->key() == Qt::Key_Space) {
        m_model.btnStart_Click();
        event->accept();
    }
}
