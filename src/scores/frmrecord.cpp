#include "scores/frmrecord.h"

#include "ui/fonts.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

// Draws each list line with the window's tab stops, so the columns line up whatever the
// widths of rank and name; rows are 16 pixels, so the heading, the rule and ten entries
// fill the list without a scroll bar.
class TabStopDelegate : public QStyledItemDelegate
{
public:
    TabStopDelegate(const QList<qreal> &stops, QObject *parent)
        : QStyledItemDelegate(parent), m_stops(stops)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString line = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabArray(m_stops);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(opt.rect).adjusted(TextMargin, 0, 0, 0), line, layout);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(RowHeight, option.fontMetrics.height()));
        return size;
    }

    static constexpr int TextMargin = 2;
    static constexpr int RowHeight = 16;

private:
    QList<qreal> m_stops;
};

} // namespace

frmRecord::frmRecord(const FileAccess &files, const QString &programFolder, bool blnHighScoreClick,
                     std::int32_t score, QWidget *parent)
    // No cancel button: Esc must not throw away a name being typed.
    : FixedDialog(QString(), QSize(312, 344), parent, Esc::DoesNothing),
      m_table(files, programFolder), m_blnHighScoreClick(blnHighScoreClick), m_scoreGiven(score)
{
    lblHighScore = new QLabel(QStringLiteral("High Scores"), this);
    lblHighScore->setGeometry(102, 6, 103, 22);
    lblHighScore->setFont(fonts::sans(12, true));
    lblHighScore->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette titlePalette = lblHighScore->palette();
    titlePalette.setColor(QPalette::WindowText, rgb(192, 64, 0));
    lblHighScore->setPalette(titlePalette);

    List1 = new QListWidget(this);
    List1->setGeometry(18, 36, 274, 196);
    List1->setFont(fonts::sans(9.75));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setSortingEnabled(false);
    List1->setUniformItemSizes(true);
    // The rule line is a little wider than the list; it is cut at the edge, not scrolled.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette listPalette = List1->palette();
    listPalette.setColor(QPalette::Base, rgb(255, 255, 192));
    List1->setPalette(listPalette);
    // Rank, name and score columns: the name column starts after the widest rank text and
    // is wide enough for eight of the widest letters.
    const QFontMetricsF metrics(List1->font());
    const qreal rankWidth = std::max(metrics.horizontalAdvance(QStringLiteral("Sr. #")),
                                     metrics.horizontalAdvance(QStringLiteral("10")));
    const qreal nameColumn = std::ceil(rankWidth + 16);
    const qreal nameEnd = std::ceil(nameColumn + metrics.horizontalAdvance(QString(8, u'W')) + 12);
    m_tabStops = {nameColumn, nameEnd, nameEnd + 4};
    List1->setItemDelegate(new TabStopDelegate(m_tabStops, List1));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(18, 243, 274, 58);
    Text1 = new QLineEdit(Frame1);
    Text1->setGeometry(18, 21, 172, 22);
    QPalette boxPalette = Text1->palette();
    boxPalette.setColor(QPalette::Base, rgb(224, 224, 224));
    Text1->setPalette(boxPalette);
    Text1->installEventFilter(this);
    cmdEnter = new QPushButton(QStringLiteral("Enter"), Frame1);
    cmdEnter->setGeometry(201, 21, 61, 22);

    // One line that tells of a file failure, in the place of the name entry.
    noticeLabel = new QLabel(this);
    noticeLabel->setGeometry(18, 243, 274, 58);
    noticeLabel->setAlignment(Qt::AlignCenter);
    noticeLabel->setWordWrap(true);
    noticeLabel->hide();

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setGeometry(105, 309, 97, 28);

    for (QPushButton *b : {cmdEnter, cmdClose}) {
        b->setAutoDefault(true);
        b->setFocusPolicy(Qt::StrongFocus);
    }
    setTabOrder(cmdClose, List1);
    setTabOrder(List1, Text1);
    setTabOrder(Text1, cmdEnter);

    connect(cmdEnter, &QPushButton::clicked, this, &frmRecord::cmdEnter_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRecord::cmdClose_Click);

    Form_Load();
    cmdClose->setFocus(Qt::OtherFocusReason);
}

frmRecord::~frmRecord() = default;

void frmRecord::Form_Load()
{
    m_table.reset();
    Text1->setMaxLength(8);
    Text1->setToolTip(QStringLiteral("Enter your name."));
    Text1->setText(QStringLiteral("Ur Nick."));
    if (m_table.LoadRecords()) {
        FillRecordList();
    }
    lngNewScore = m_scoreGiven;
    Frame1->hide();
    if (const auto &error = m_table.readError()) {
        // The scores in the file cannot be shown, and an entry would be saved over them.
        showNotice(tr("Could not read the high scores: %1").arg(error->description));
        return;
    }
    if (m_blnHighScoreClick) {
        return;
    }
    if (m_table.scoreQualifies(lngNewScore)) {
        Frame1->show();
        m_entryOpen = true;
    }
}

void frmRecord::FillRecordList()
{
    List1->clear();
    List1->addItems(m_table.listLines());
}

void frmRecord::cmdEnter_Click()
{
    if (!m_entryOpen) {
        return;
    }
    m_entryOpen = false;
    m_table.insertRecord(ScoreRecord{RecordTable::takeName(Text1->text()), lngNewScore});
    FillRecordList();
    QStringList lines;
    for (int i = 2; i < List1->count(); ++i) {
        lines << List1->item(i)->text();
    }
    const FileWriteResult saved = m_table.save(lines);
    Frame1->hide();
    if (!saved.ok) {
        showNotice(tr("Could not save the score: %1").arg(saved.error.description));
    }
}

void frmRecord::cmdClose_Click()
{
    accept();
}

void frmRecord::Text1_GotFocus()
{
    Text1->clear();
}

void frmRecord::Text1_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13) {
        cmdEnter_Click();
    }
}

QString frmRecord::notice() const
{
    return noticeLabel->isVisibleTo(this) ? noticeLabel->text() : QString();
}

void frmRecord::showNotice(const QString &text)
{
    // The whole reason, wrapped within the name entry's room: it has three lines, and the
    // longest description the system gives takes two.
    noticeLabel->setText(text);
    noticeLabel->show();
}

bool frmRecord::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::FocusIn) {
            // Coming back to the window or out of the box's own menu is no new focus.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                Text1_GotFocus();
            }
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // Taken here, so the dialog does not press its default button as well.
                Text1_KeyPress(13);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
