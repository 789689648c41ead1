#include "selectfromlibrarydialog.h"

#include "dialogrows.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace GuiLib {

SelectFromLibraryDialog::SelectFromLibraryDialog(QWidget *parent, const QString &title,
                                                 const QString &prompt, const QStringList &items,
                                                 const QString &currentValue)
    : QDialog(parent)
    , m_prompt(DialogRows::promptLabel(prompt, this))
    , m_list(new QListWidget(this))
    , m_okButton(new QPushButton(tr("Ok"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(title);
    setSizeGripEnabled(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->addItems(items);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_list, 1);
    layout->addWidget(DialogRows::separator(this));
    layout->addLayout(DialogRows::bottomRow({}, m_okButton, m_cancelButton));

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &SelectFromLibraryDialog::itemSelectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            &SelectFromLibraryDialog::itemDoubleClicked);

    if (currentValue.isEmpty()) {
        m_list->setCurrentRow(0);
    } else {
        const QList<QListWidgetItem *> matches =
            m_list->findItems(currentValue, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!matches.isEmpty()) {
            m_list->setCurrentItem(matches.first());
        }
    }
    itemSelectionChanged();

    const QSize size(320, 240);
    setMinimumSize(size);
    resize(size);
    DialogRows::centre(this);
}

QString SelectFromLibraryDialog::currentItem() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void SelectFromLibraryDialog::itemSelectionChanged()
{
    m_okButton->setEnabled(!m_list->selectedItems().isEmpty());
}

void SelectFromLibraryDialog::itemDoubleClicked(QListWidgetItem *item)
{
    if (item) {
        m_list->setCurrentItem(item);
        accept();
    }
}

} // namespace GuiLib
