#include "dialogrows.h"

#include "iappproxy.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace GuiLib {

QLabel *DialogRows::promptLabel(const QString &prompt, QWidget *parent)
{
    auto *label = new QLabel(prompt, parent);
    label->setObjectName(QStringLiteral("prompt"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *DialogRows::errorIcon(QWidget *parent)
{
    auto *icon = new QLabel(parent);
    icon->setObjectName(QStringLiteral("errorIcon"));
    icon->setPixmap(QPixmap(QStringLiteral(":/Images/Properties/img_SyntaxError_Large.png")));
    icon->hide();
    return icon;
}

QFrame *DialogRows::separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(4);
    return line;
}

QHBoxLayout *DialogRows::bottomRow(const QList<QWidget *> &status, QPushButton *ok,
                                   QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    for (QWidget *widget : status) {
        row->addWidget(widget);
    }
    row->addStretch();
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void DialogRows::centre(QDialog *dialog)
{
    if (const IAppProxy *proxy = IAppProxy::instance()) {
        proxy->centerOnActiveWindow(dialog);
    }
}

} // namespace GuiLib
