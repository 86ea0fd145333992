#include "dialogs/frmhowto.h"

#include "ui/fonts.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// Two spaces after a full stop, as the rules have always been written.
const char *const Paragraph1 = "Rows of letter tiles are stacking up and you have to stop them "
                               "from reaching the top of the screen!";
const char *const Paragraph2 =
    "The only way to remove them is by using them to make words!  Simply click on letter "
    "tiles in the order that you want for a word and they will appear on the right-hand side "
    "of the screen.  Click the ENTER button and the tiles will disappear!";
const char *const Paragraph3 =
    "If you make mistake while making a word, simply click on the last tile on the "
    "right-hand side of the screen to deselect it.  You can also click the CLEAR button to "
    "deselect them all.";
} // namespace

frmHowTo::frmHowTo(QWidget *parent)
    : FixedDialog(QStringLiteral("Instructions"), QSize(312, 316), parent)
{
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    // The box's Left is 8.53 pixels; widgets stand on whole pixels, the nearest is 9.
    m_text->setGeometry(9, 9, 295, 259);
    m_text->setFont(fonts::sans(9.75));
    m_text->setReadOnly(true);
    // Read-only, but the caret and the selection still move with the keys.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setTabChangesFocus(true);
    m_text->setFocusPolicy(Qt::StrongFocus);
    QPalette pal = m_text->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, QColor(192, 255, 192));
    }
    m_text->setPalette(pal);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(106, 279, 100, 28);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmHowTo::cmdOK_Click);
    setTabOrder(m_text, ok);

    Form_Load();
    m_text->setFocus(Qt::OtherFocusReason);
}

QString frmHowTo::helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = QString::fromLatin1(Paragraph1);
    text += crlf + crlf;
    text += QString::fromLatin1(Paragraph2);
    text += crlf + crlf;
    text += QString::fromLatin1(Paragraph3);
    return text;
}

void frmHowTo::Form_Load()
{
    // The box turns each CR LF into one of its own line breaks.
    m_text->setPlainText(helpText());
}

void frmHowTo::cmdOK_Click()
{
    accept();
}
