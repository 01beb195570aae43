#include "airframecheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "airframeview.h"
#include "editsession.h"
#include "paramset.h"
#include "usersettings.h"

namespace {

const Airframe chooserKinds[] = {Airframe::Plane, Airframe::Delta, Airframe::VTail, Airframe::Glider, Airframe::Other};

bool sameSetting(const surfaces::Fix &a, const surfaces::Fix &b)
{
    if (a.field != b.field)
        return false;
    for (int e : a.elements)
        if (b.elements.contains(e))
            return true;
    return false;
}

} // namespace

AirframeCheck::AirframeCheck(Link &link, EditSession *session, UserSettings &settings,
                             const std::function<void()> &write, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_link(link)
    , m_session(session)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("airframeCheck"));
    setWindowTitle(tr("机型检查"));

    m_chooser = new QComboBox(this);
    m_chooser->setObjectName(QStringLiteral("airframeType"));
    for (Airframe kind : chooserKinds)
        m_chooser->addItem(airframe::displayName(kind));
    m_view = new AirframeView(this);
    m_view->setObjectName(QStringLiteral("airframeView"));

    m_tableWidget = new QTableWidget(this);
    m_tableWidget->setObjectName(QStringLiteral("surfaceTable"));
    m_tableWidget->setColumnCount(3);
    m_tableWidget->setHorizontalHeaderLabels({tr("舵面"), tr("通道"), tr("安装方向")});
    m_tableWidget->verticalHeader()->hide();
    m_tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableWidget->setToolTip(tr("哪个通道带动哪个舵面；安装方向 -1：同一输出让它向另一边偏（两边机翼镜像安装的舵机）"));
    auto *defaults = new QPushButton(tr("恢复默认"), this);
    defaults->setObjectName(QStringLiteral("surfaceDefaults"));

    m_mixNote = new QLabel(this);
    m_mixNote->setObjectName(QStringLiteral("mixNote"));
    m_mixNote->setWordWrap(true);
    m_question = new QLabel(this);
    m_question->setObjectName(QStringLiteral("checkQuestion"));
    m_question->setWordWrap(true);
    QFont big = m_question->font();
    big.setBold(true);
    m_question->setFont(big);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("checkNote"));
    m_note->setWordWrap(true);
    m_yes = new QPushButton(tr("是"), this);
    m_yes->setObjectName(QStringLiteral("checkYes"));
    m_wrong = new QPushButton(tr("反了"), this);
    m_wrong->setObjectName(QStringLiteral("checkWrong"));
    m_wrong->setToolTip(tr("把这个舵面反过来（通道反向或混控比例取反），一步可撤销；写入数据后生效"));
    m_restart = new QPushButton(tr("重新开始"), this);
    m_restart->setObjectName(QStringLiteral("checkRestart"));
    m_write = new QPushButton(tr("写入数据…"), this);
    m_write->setObjectName(QStringLiteral("checkWrite"));

    auto *side = new QVBoxLayout;
    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(tr("机型："), this));
    typeRow->addWidget(m_chooser, 1);
    side->addLayout(typeRow);
    side->addWidget(m_tableWidget, 1);
    side->addWidget(defaults, 0, Qt::AlignLeft);
    side->addWidget(m_mixNote);
    side->addSpacing(8);
    side->addWidget(m_question);
    auto *answers = new QHBoxLayout;
    answers->addWidget(m_yes);
    answers->addWidget(m_wrong);
    answers->addStretch(1);
    answers->addWidget(m_restart);
    side->addLayout(answers);
    side->addWidget(m_note);
    side->addWidget(m_write, 0, Qt::AlignRight);
    auto *top = new QHBoxLayout(this);
    top->addWidget(m_view, 3);
    top->addLayout(side, 2);

    connect(m_chooser, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &AirframeCheck::chooserChanged);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_surfaces = surfaces::defaults(m_kind);
        m_settings.setSurfaceTable(airframe::key(m_kind), QString());
        fillTable();
        restart();
    });
    connect(m_yes, &QPushButton::clicked, this, &AirframeCheck::answerYes);
    connect(m_wrong, &QPushButton::clicked, this, &AirframeCheck::answerWrong);
    connect(m_restart, &QPushButton::clicked, this, &AirframeCheck::restart);
    connect(m_write, &QPushButton::clicked, this, [write] { write(); });
    connect(&m_link, &Link::busyChanged, this, [this](bool busy) {
        m_write->setEnabled(!busy);
        showStep();
    });
    connect(&m_link, &Link::packetReceived, this, [this](const PacketResult &result) {
        if (result.kind == PacketKind::Channel && isVisible())
            m_view->showLive(liveValues);
    });

    bool known = false;
    const Airframe remembered = airframe::fromKey(m_settings.airframeCheckType(), &known);
    setAirframe(known ? remembered : Airframe::Plane);
    resize(820, 520);
}

void AirframeCheck::setAirframe(Airframe kind)
{
    m_kind = kind;
    m_settings.setAirframeCheckType(airframe::key(kind));
    {
        const QSignalBlocker block(m_chooser);
        for (int i = 0; i < m_chooser->count(); ++i)
            if (chooserKinds[i] == kind)
                m_chooser->setCurrentIndex(i);
    }
    m_surfaces = surfaces::fromText(kind, m_settings.surfaceTable(airframe::key(kind)));
    fillTable();
    restart();
}

void AirframeCheck::chooserChanged(int index)
{
    if (index >= 0 && index < airframe::count)
        setAirframe(chooserKinds[index]);
}

void AirframeCheck::hideLive()
{
    m_view->hideLive();
}

void AirframeCheck::fillTable()
{
    m_tableWidget->setRowCount(m_surfaces.size());
    for (int row = 0; row < m_surfaces.size(); ++row) {
        const SurfaceLink &link = m_surfaces.at(row);
        auto *name = new QTableWidgetItem(surfaces::name(link.surface));
        name->setFlags(Qt::ItemIsEnabled);
        m_tableWidget->setItem(row, 0, name);
        auto *channel = new QComboBox(m_tableWidget);
        for (int n = 1; n <= 8; ++n)
            channel->addItem(QStringLiteral("CH%1").arg(n));
        channel->setCurrentIndex(link.channel - 1);
        m_tableWidget->setCellWidget(row, 1, channel);
        connect(channel, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &AirframeCheck::tableEdited);
        if (link.surface == Surface::Throttle) {
            m_tableWidget->setCellWidget(row, 2, nullptr);
            auto *none = new QTableWidgetItem(QStringLiteral("—"));
            none->setFlags(Qt::ItemIsEnabled);
            m_tableWidget->setItem(row, 2, none);
            continue;
        }
        auto *sense = new QComboBox(m_tableWidget);
        sense->addItems({QStringLiteral("+1"), QStringLiteral("-1")});
        sense->setCurrentIndex(link.sense < 0 ? 1 : 0);
        m_tableWidget->setCellWidget(row, 2, sense);
        connect(sense, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &AirframeCheck::tableEdited);
    }
    m_view->setAirframe(m_kind, m_surfaces);
}

void AirframeCheck::tableEdited()
{
    for (int row = 0; row < m_surfaces.size(); ++row) {
        if (auto *channel = qobject_cast<QComboBox *>(m_tableWidget->cellWidget(row, 1)))
            m_surfaces[row].channel = channel->currentIndex() + 1;
        if (auto *sense = qobject_cast<QComboBox *>(m_tableWidget->cellWidget(row, 2)))
            m_surfaces[row].sense = sense->currentIndex() == 1 ? -1 : +1;
    }
    m_settings.setSurfaceTable(airframe::key(m_kind), surfaces::toText(m_surfaces));
    m_view->setAirframe(m_kind, m_surfaces);
    restart();
}

const SurfaceLink *AirframeCheck::linkOf(Surface surface) const
{
    for (const SurfaceLink &link : m_surfaces)
        if (link.surface == surface)
            return &link;
    return nullptr;
}

void AirframeCheck::restart()
{
    m_steps = surfaces::steps(m_kind, m_surfaces);
    m_stepIndex = m_steps.isEmpty() ? -1 : 0;
    m_answered.clear();
    m_fixes = 0;
    m_note->clear();
    QString mix;
    if (m_kind == Airframe::Delta && paramSet.elevonMix == 0)
        mix = tr("发射机的升降副翼混控是关闭的：三角翼要在高级菜单1打开它。");
    else if (m_kind == Airframe::VTail && paramSet.vtailMix == 0)
        mix = tr("发射机的V型尾翼混控是关闭的：V尾要在高级菜单1打开它。");
    m_mixNote->setText(mix);
    m_mixNote->setVisible(!mix.isEmpty());
    showStep();
}

void AirframeCheck::showStep()
{
    const bool asking = m_stepIndex >= 0 && m_stepIndex < m_steps.size();
    if (asking) {
        m_question->setText(tr("第 %1/%2 步：%3").arg(m_stepIndex + 1).arg(m_steps.size()).arg(m_steps.at(m_stepIndex).text));
        int row = -1;
        for (int i = 0; i < m_surfaces.size(); ++i)
            if (m_surfaces.at(i).surface == m_steps.at(m_stepIndex).surface)
                row = i;
        m_view->setHighlight(row);
    } else {
        m_question->setText(m_fixes > 0 ? tr("检查完成：改了 %1 处。按“写入数据”把它们写入发射机（写入前会列出来让你确认）。")
                                               .arg(m_fixes)
                                        : tr("检查完成。"));
        m_view->setHighlight(-1);
    }
    m_yes->setEnabled(asking);
    m_wrong->setEnabled(asking && !m_link.isBusy());
}

void AirframeCheck::answerYes()
{
    if (m_stepIndex < 0 || m_stepIndex >= m_steps.size())
        return;
    const surfaces::Step &step = m_steps.at(m_stepIndex);
    if (const SurfaceLink *link = linkOf(step.surface))
        m_answered.append({step.surface, surfaces::fixFor(paramSet, step.stick, *link, m_kind)});
    ++m_stepIndex;
    showStep();
}

void AirframeCheck::answerWrong()
{
    if (m_stepIndex < 0 || m_stepIndex >= m_steps.size() || m_link.isBusy())
        return;
    const surfaces::Step step = m_steps.at(m_stepIndex);
    const SurfaceLink *link = linkOf(step.surface);
    if (!link)
        return;
    const surfaces::Fix fix = surfaces::fixFor(paramSet, step.stick, *link, m_kind);
    const QString what = surfaces::describe(fix);
    // One channel (or rate) for two surfaces that disagree: flipping it would
    // turn the surface already found right the wrong way.
    for (const Answered &a : m_answered) {
        if (sameSetting(a.fix, fix)) {
            m_note->setText(tr("不能只改%1：%2（已确认）也由同一设置带动（%3）。请检查%1的舵机安装或连线，或在表里给它自己的通道。")
                                .arg(surfaces::name(step.surface), surfaces::name(a.surface), what));
            return;
        }
    }
    const ParamSet before = paramSet;
    surfaces::apply(fix, paramSet);
    m_session->changedBy(tr("机型检查：%1反了（%2）").arg(surfaces::name(step.surface), what), before);
    m_answered.append({step.surface, fix});
    ++m_fixes;
    m_note->setText(tr("已改：%1。写入数据后发射机才会这样做；可在主窗口撤销（Ctrl+Z）。").arg(what));
    ++m_stepIndex;
    showStep();
}
