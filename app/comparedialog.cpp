#include "comparedialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bindings.h"
#include "editsession.h"
#include "frames.h"
#include "link.h"
#include "paramfile.h"
#include "rules.h"

namespace {

enum CompareColumn { ComparePageColumn, CompareNameColumn, CompareLeftColumn, CompareRightColumn, CompareColumns };

constexpr int kRowRole = Qt::UserRole;

// The binding rows a comparison lists: what the transmitter gets, each value
// once (the two dual-rate groups show the same fields). drUp and drDown copy
// the selected channel's rates and are listed only where they are values of
// their own (channel 5).
QVector<int> comparedRows(const ParamSet &a, const ParamSet &b)
{
    const auto ownRates = [](const ParamSet &p) { return p.drChannel < 0 || p.drChannel > 3; };
    QVector<int> rows;
    QSet<QPair<int, int>> seen;
    const QVector<Binding> &table = bindings();
    for (int row = 0; row < table.size(); ++row) {
        const Binding &r = table.at(row);
        if (!bindingSent(r) || !bindingMarked(r))
            continue;
        if ((r.field == Field::drUp || r.field == Field::drDown) && !ownRates(a) && !ownRates(b))
            continue;
        const QPair<int, int> key(int(r.field), r.element);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        rows << row;
    }
    return rows;
}

} // namespace

CompareDialog::CompareDialog(Link &link, EditSession *session, QWidget *parent)
    : QDialog(parent)
    , m_link(link)
    , m_session(session)
{
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(tr("比较"));
    auto *layout = new QVBoxLayout(this);
    auto *sources = new QGridLayout;
    const char *boxNames[] = {"compareLeft", "compareRight"};
    const char *copyNames[] = {"compareCopyLeft", "compareCopyRight"};
    const QString captions[] = {tr("左边："), tr("右边：")};
    const QString copyTexts[] = {tr("左边选中的行复制到页面"), tr("右边选中的行复制到页面")};
    for (int s = Left; s <= Right; ++s) {
        SideState &side = m_sides[s];
        side.box = new QComboBox(this);
        side.box->setObjectName(QLatin1String(boxNames[s]));
        side.box->addItem(tr("页面上的设置"));
        side.box->addItem(tr("发射机（上次读取）"));
        side.box->addItem(tr("文件…"));
        sources->addWidget(new QLabel(captions[s], this), 0, 2 * s);
        sources->addWidget(side.box, 0, 2 * s + 1);
        side.copy = new QPushButton(copyTexts[s], this);
        side.copy->setObjectName(QLatin1String(copyNames[s]));
        connect(side.copy, &QPushButton::clicked, this, [this, s] { copyToPages(Side(s)); });
        connect(side.box, QOverload<int>::of(&QComboBox::activated), this, [this, s] { sourceChosen(Side(s)); });
    }
    sources->setColumnStretch(1, 1);
    sources->setColumnStretch(3, 1);
    layout->addLayout(sources);

    m_only = new QCheckBox(tr("只显示不同的设置"), this);
    m_only->setObjectName(QStringLiteral("compareOnlyDifferences"));
    m_only->setChecked(true);
    connect(m_only, &QCheckBox::toggled, this, &CompareDialog::refresh);
    layout->addWidget(m_only);

    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("compareRows"));
    m_table->setRootIsDecorated(false);
    m_table->setColumnCount(CompareColumns);
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumSize(620, 360);
    layout->addWidget(m_table, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("compareSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_sides[Left].copy, QDialogButtonBox::ActionRole);
    buttons->addButton(m_sides[Right].copy, QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("compareClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // What one compares most: the transmitter against the pages.
    m_sides[Left].box->setCurrentIndex(TransmitterSource);
    m_sides[Right].box->setCurrentIndex(PagesSource);
    fetch(Left);
    fetch(Right);
    refresh();
}

bool CompareDialog::readFile(const QString &path, ParamSet *set, QString *why)
{
    const ParameterFile file = readParameterFile(path);
    if (!file.ok()) {
        *why = tr("%1：%2").arg(QFileInfo(path).fileName(), file.reason);
        return false;
    }
    if (!file.complete()) {
        *why = tr("%1：文件不完整（%2）").arg(QFileInfo(path).fileName(), firstBreak(file.text).text());
        return false;
    }
    *set = ParamSet();
    decodeParameterFile(file, *set);
    return true;
}

int CompareDialog::addSource(const QString &name, const Fetch &fetch)
{
    m_extra.append(fetch);
    for (SideState &side : m_sides)
        side.box->addItem(name);
    return FileSource + int(m_extra.size());
}

void CompareDialog::setSource(Side side, int source)
{
    m_sides[side].box->setCurrentIndex(source);
    sourceChosen(side);
}

void CompareDialog::setFile(Side side, const QString &path)
{
    m_sides[side].box->setCurrentIndex(FileSource);
    m_sides[side].file = path;
    fetch(side);
    refresh();
}

void CompareDialog::setOnlyDifferences(bool only)
{
    m_only->setChecked(only);
}

void CompareDialog::reload()
{
    fetch(Left);
    fetch(Right);
    refresh();
}

void CompareDialog::sourceChosen(Side side)
{
    if (m_sides[side].box->currentIndex() == FileSource) {
        const QString path = QFileDialog::getOpenFileName(this, tr("比较文件"), QStringLiteral("./"),
                                                          tr("所有文件 (*.*);;文本文件 (*.txt *.dat)"));
        if (path.isEmpty() && m_sides[side].file.isEmpty()) {
            m_sides[side].box->setCurrentIndex(PagesSource);
        } else if (!path.isEmpty()) {
            m_sides[side].file = path;
        }
    }
    fetch(side);
    refresh();
}

void CompareDialog::fetch(Side side)
{
    SideState &s = m_sides[side];
    s.ok = false;
    s.why.clear();
    const int source = s.box->currentIndex();
    if (source == PagesSource) {
        s.set = paramSet;
        s.ok = true;
    } else if (source == TransmitterSource) {
        if (m_link.isOpen() && m_link.deviceFullyKnown()) {
            s.set = m_link.deviceSettings();
            s.ok = true;
        } else {
            s.why = tr("发射机的设置还未读取：先按 读取数据");
        }
    } else if (source == FileSource) {
        s.ok = readFile(s.file, &s.set, &s.why);
    } else if (source - FileSource - 1 < m_extra.size()) {
        s.ok = m_extra.at(source - FileSource - 1)(&s.set, &s.why);
    }
    if (s.ok)
        drDataSelet(s.set);
    s.box->setToolTip(source == FileSource ? s.file : QString());
}

QString CompareDialog::sideName(Side side) const
{
    const SideState &s = m_sides[side];
    if (s.box->currentIndex() == FileSource && !s.file.isEmpty())
        return QFileInfo(s.file).fileName();
    return s.box->currentText();
}

void CompareDialog::refresh()
{
    m_table->clear();
    m_table->setHeaderLabels({tr("页面"), tr("设置"), sideName(Left), sideName(Right)});
    const SideState &l = m_sides[Left];
    const SideState &r = m_sides[Right];
    for (int s = Left; s <= Right; ++s)
        m_sides[s].copy->setEnabled(m_sides[s].ok && m_sides[s].box->currentIndex() != PagesSource
                                    && m_sides[1 - s].box->currentIndex() == PagesSource);
    m_differences.clear();
    if (!l.ok || !r.ok) {
        m_summary->setText(!l.ok ? l.why : r.why);
        return;
    }
    const QVector<SettingElement> differing = setupcompare::differences(l.set, r.set);
    for (int row : comparedRows(l.set, r.set)) {
        const Binding &b = bindings().at(row);
        const bool differs = differing.contains(SettingElement{b.field, b.element});
        // Counted as listed: the dual-rate copies go with their table entries.
        if (differs)
            m_differences.append({b.field, b.element});
        if (m_only->isChecked() && !differs)
            continue;
        auto *item = new QTreeWidgetItem(m_table, {pageName(b.page), bindingName(b), bindingValueText(b, l.set),
                                                   bindingValueText(b, r.set)});
        item->setData(ComparePageColumn, kRowRole, row);
        item->setCheckState(ComparePageColumn, Qt::Unchecked);
        if (differs)
            for (int c = CompareLeftColumn; c <= CompareRightColumn; ++c) {
                QFont bold = item->font(c);
                bold.setBold(true);
                item->setFont(c, bold);
            }
    }
    m_summary->setText(m_differences.isEmpty() ? tr("两边的设置相同")
                                               : tr("%1 项不同").arg(m_differences.size()));
}

int CompareDialog::rowCount() const
{
    return m_table->topLevelItemCount();
}

QStringList CompareDialog::rowTexts(int row) const
{
    QStringList texts;
    if (const QTreeWidgetItem *item = m_table->topLevelItem(row))
        for (int c = 0; c < CompareColumns; ++c)
            texts << item->text(c);
    return texts;
}

void CompareDialog::setRowChosen(int row, bool chosen)
{
    if (QTreeWidgetItem *item = m_table->topLevelItem(row))
        item->setCheckState(ComparePageColumn, chosen ? Qt::Checked : Qt::Unchecked);
}

bool CompareDialog::copyToPages(Side side)
{
    const SideState &from = m_sides[side];
    if (!from.ok || from.box->currentIndex() == PagesSource || m_sides[1 - side].box->currentIndex() != PagesSource)
        return false;
    QVector<SettingElement> chosen;
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_table->topLevelItem(i);
        if (item->checkState(ComparePageColumn) != Qt::Checked)
            continue;
        const Binding &b = bindings().at(item->data(ComparePageColumn, kRowRole).toInt());
        chosen.append({b.field, b.element});
    }
    if (chosen.isEmpty())
        return false;
    const ParamSet next = setupcompare::copied(from.set, paramSet, chosen);
    m_session->replaceSet(tr("从 %1 复制 %2 项").arg(sideName(side)).arg(chosen.size()), next);
    fetch(Side(1 - side));
    refresh();
    return true;
}

#include "moc_comparedialog.cpp"
