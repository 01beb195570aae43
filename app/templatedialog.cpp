#include "templatedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bindings.h"
#include "rules.h"
#include "templates.h"

namespace {

enum TemplateColumn { TemplatePageColumn, TemplateNameColumn, TemplateValueColumn, TemplateWhyColumn, TemplateColumns };

} // namespace

TemplateDialog::TemplateDialog(const ParamSet &base, QWidget *parent)
    : QDialog(parent)
    , m_base(base)
{
    setObjectName(QStringLiteral("templateDialog"));
    setWindowTitle(tr("新机型模板"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("templateKind"));
    for (const SetupTemplate &t : templates::all())
        m_kind->addItem(airframe::displayName(t.kind), int(t.kind));
    form->addRow(tr("机型："), m_kind);
    m_mode = new QSpinBox(this);
    m_mode->setObjectName(QStringLiteral("templateStickMode"));
    m_mode->setRange(templates::firstStickMode, templates::lastStickMode);
    m_mode->setValue(templates::defaultStickMode);
    m_mode->setToolTip(tr("摇杆模式 1 到 4：模式 2 左手油门和方向，右手副翼和升降"));
    form->addRow(tr("摇杆模式："), m_mode);
    layout->addLayout(form);

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("templateDescription"));
    m_description->setWordWrap(true);
    layout->addWidget(m_description);

    m_rows = new QTreeWidget(this);
    m_rows->setObjectName(QStringLiteral("templateRows"));
    m_rows->setRootIsDecorated(false);
    m_rows->setColumnCount(TemplateColumns);
    m_rows->setHeaderLabels({tr("页面"), tr("设置"), tr("值"), tr("为什么")});
    m_rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_rows->setWordWrap(true);
    m_rows->setMinimumSize(760, 320);
    layout->addWidget(m_rows, 1);

    auto *note = new QLabel(tr("其他设置保持不变。应用后可撤销（Ctrl+Z），写入前会列出所有改变。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *apply = buttons->addButton(tr("应用"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("templateApply"));
    apply->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("templateCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &TemplateDialog::refresh);
    connect(m_mode, QOverload<int>::of(&QSpinBox::valueChanged), this, &TemplateDialog::refresh);
    refresh();
}

void TemplateDialog::choose(Airframe kind, int stickMode)
{
    const int index = m_kind->findData(int(kind));
    if (index >= 0)
        m_kind->setCurrentIndex(index);
    m_mode->setValue(stickMode);
}

Airframe TemplateDialog::kind() const
{
    return Airframe(m_kind->currentData().toInt());
}

int TemplateDialog::stickMode() const
{
    return m_mode->value();
}

ParamSet TemplateDialog::result() const
{
    return templates::apply(*templates::of(kind()), stickMode(), m_base);
}

int TemplateDialog::rowCount() const
{
    return m_rows->topLevelItemCount();
}

void TemplateDialog::refresh()
{
    const SetupTemplate *t = templates::of(kind());
    if (!t)
        return;
    m_description->setText(templates::description(*t));
    m_rows->clear();
    const ParamSet after = result();
    for (const TemplateSetting &s : templates::settingsOf(*t, stickMode())) {
        const Binding *b = bindingOf(s.field, s.index);
        if (!b)
            continue;
        const bool changes = !bindingSame(*b, m_base, after);
        auto *item = new QTreeWidgetItem(m_rows, {pageName(b->page), bindingName(*b),
                                                  changes ? tr("%1 → %2").arg(bindingValueText(*b, m_base),
                                                                              bindingValueText(*b, after))
                                                          : bindingValueText(*b, after),
                                                  templates::why(s)});
        item->setToolTip(TemplateWhyColumn, templates::why(s));
        if (changes) {
            QFont bold = item->font(TemplateValueColumn);
            bold.setBold(true);
            item->setFont(TemplateValueColumn, bold);
        }
    }
    // Columns that kept their width are not repainted by the refill itself.
    m_rows->viewport()->update();
}

bool TemplateDialog::run(QWidget *parent, const ParamSet &base, ParamSet *out, Airframe *kind)
{
    TemplateDialog dialog(base, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (out)
        *out = dialog.result();
    if (kind)
        *kind = dialog.kind();
    return true;
}

ParamSet TemplateDialog::newSetupBase()
{
    return factoryResetOf(ParamSet());
}

#include "moc_templatedialog.cpp"
