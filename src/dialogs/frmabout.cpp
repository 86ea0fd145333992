#include "dialogs/frmabout.h"

#include "dialogs/programicon.h"
#include "ui/fonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(geometry);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : FixedDialog(QStringLiteral("About"), QSize(312, 210), parent)
{
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(6, 9, 298, 151);

    QLabel *image = label(frame, "Image1", QString(), QRect(21, 24, 32, 32));
    image->setPixmap(programicon::picture());

    QLabel *title =
        label(frame, "Label1", QStringLiteral("T I L N O R A"), QRect(102, 27, 142, 25));
    title->setFont(fonts::serif(15.75));
    label(frame, "Label2", QStringLiteral("Version: 1.0"), QRect(102, 57, 148, 19));
    label(frame, "Label3", notice(), QRect(62, 111, 188, 13));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(99, 171, 112, 28);
    ok->setAutoDefault(true);
    ok->setFocus(Qt::OtherFocusReason);
    connect(ok, &QPushButton::clicked, this, &frmAbout::Command1_Click);
}

QString frmAbout::notice()
{
    return QStringLiteral("A word game of rising letter tiles.");
}

void frmAbout::Command1_Click()
{
    accept();
}
