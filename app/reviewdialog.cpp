#include "reviewdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { PageColumn, NameColumn, DeviceColumn, NextColumn, Columns };

QPushButton *addButton(QDialogButtonBox *box, const QString &text, QDialogButtonBox::ButtonRole role,
                       const char *objectName)
{
    QPushButton *button = box->addButton(text, role);
    button->setObjectName(QLatin1String(objectName));
    return button;
}

} // namespace

ReviewDialog::ReviewDialog(const QVector<Row> &rows, const QString &newHeader, QWidget *parent)
    : QDialog(parent)
    , m_rows(rows)
{
    build(QString());
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("reviewRows"));
    m_table->setRootIsDecorated(false);
    m_table->setColumnCount(Columns);
    m_table->setHeaderLabels({tr("页面"), tr("设置"), tr("发射机"), newHeader});
    for (const Row &r : rows) {
        auto *item = new QTreeWidgetItem(m_table, {r.page, r.name, r.device, r.next});
        item->setCheckState(PageColumn, Qt::Checked);
        item->setData(PageColumn, Qt::UserRole, r.binding);
    }
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumWidth(560);
    connect(m_table, &QTreeWidget::itemChanged, this, &ReviewDialog::count);
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, m_table);

    auto *buttons = findChild<QDialogButtonBox *>();
    QPushButton *write = addButton(buttons, tr("写入"), QDialogButtonBox::AcceptRole, "reviewWrite");
    addButton(buttons, tr("取消"), QDialogButtonBox::RejectRole, "reviewCancel");
    connect(write, &QPushButton::clicked, this, [this] { choose(Write); });
    write->setDefault(true);
    count();
}

ReviewDialog::ReviewDialog(const QString &unknown, QWidget *parent)
    : QDialog(parent)
{
    build(unknown);
    auto *buttons = findChild<QDialogButtonBox *>();
    QPushButton *read = addButton(buttons, tr("读取"), QDialogButtonBox::ActionRole, "reviewRead");
    QPushButton *anyway = addButton(buttons, tr("仍然写入"), QDialogButtonBox::AcceptRole, "reviewAnyway");
    addButton(buttons, tr("取消"), QDialogButtonBox::RejectRole, "reviewCancel");
    connect(read, &QPushButton::clicked, this, [this] { choose(ReadFirst); });
    connect(anyway, &QPushButton::clicked, this, [this] { choose(Write); });
    // Return goes ahead here too: the keys mean the same in every form.
    anyway->setDefault(true);
}

void ReviewDialog::build(const QString &text)
{
    setObjectName(QStringLiteral("reviewDialog"));
    setWindowTitle(tr("写入前确认"));
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("reviewText"));
    m_text->setWordWrap(true);
    layout->addWidget(m_text);
    m_dontAsk = new QCheckBox(tr("不再询问"), this);
    m_dontAsk->setObjectName(QStringLiteral("reviewDontAsk"));
    layout->addWidget(m_dontAsk);
    auto *buttons = new QDialogButtonBox(this);
    layout->addWidget(buttons);
    // Every button but the default one stays out of Return's way.
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ReviewDialog::count()
{
    const int ticked = m_rows.size() - unticked().size();
    m_text->setText(tr("发射机上将有 %1 项设置改变，已选 %2 项。未选的项保留发射机的值。")
                        .arg(m_rows.size())
                        .arg(ticked)
                    + (m_note.isEmpty() ? QString() : QLatin1Char('\n') + m_note));
}

void ReviewDialog::setNote(const QString &note)
{
    m_note = note;
    count();
}

void ReviewDialog::choose(Choice c)
{
    m_choice = c;
    accept();
}

QVector<int> ReviewDialog::unticked() const
{
    QVector<int> rows;
    if (!m_table)
        return rows;
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_table->topLevelItem(i);
        if (item->checkState(PageColumn) != Qt::Checked)
            rows << item->data(PageColumn, Qt::UserRole).toInt();
    }
    return rows;
}

bool ReviewDialog::dontAskAgain() const
{
    return m_dontAsk->isChecked();
}

#include "moc_reviewdialog.cpp"
