#include "verifybox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "bindings.h"
#include "packets.h"
#include "protocol.h"

namespace {

// Lines of the box at most; the rest is counted.
const int kShown = 5;

// The row that names a setting a read-back found different.
const Binding *sentBinding(Field field, int index)
{
    for (const Binding &b : bindings())
        if (b.field == field && b.element == index && bindingSent(b))
            return &b;
    return nullptr;
}

} // namespace

namespace verifytexts {

QString settingName(Field field, int index)
{
    const Binding *b = sentBinding(field, index);
    return b ? bindingName(*b) : elementName(field, index);
}

QString settingValue(Field field, int index, int value)
{
    const Binding *b = sentBinding(field, index);
    if (!b)
        return QString::number(value);
    ParamSet set;
    fieldRef(set, field, index) = value;
    setDerivedVolt(set, field);
    return bindingValueText(*b, set);
}

QString differenceText(const VerifyResult::Difference &d)
{
    return VerifyBox::tr("%1：发送 %2，读回 %3")
        .arg(settingName(d.field, d.index), settingValue(d.field, d.index, d.sent),
             settingValue(d.field, d.index, d.read));
}

QStringList uncheckedNames(const VerifyResult &result)
{
    QStringList names;
    for (int section : result.missing)
        for (const SectionElement &e : sectionElements(section))
            if (sentBinding(e.field, e.index))
                names << settingName(e.field, e.index);
    return names;
}

} // namespace verifytexts

VerifyBox::VerifyBox(Link &link, QWidget *window, const std::function<void(Link::Command)> &again)
    : QObject(window)
    , m_window(window)
    , m_again(again)
{
    connect(&link, &Link::started, this, [this] { m_pending = false; });
    connect(&link, &Link::verified, this, [this](Link::Command, const VerifyResult &result) {
        m_result = result;
        m_pending = true;
    });
    connect(&link, &Link::finished, this, [this](Link::Command command) { finished(command); });
}

QString VerifyBox::message(const VerifyResult &result)
{
    if (!result.missing.isEmpty())
        return tr("未能校验：收到 %1/%2 段，其余设置不知道是否已写入").arg(result.received).arg(protocol::sectionCount);
    return tr("校验不符：发射机有 %1 项设置与写入的不同").arg(result.differences.size());
}

QString VerifyBox::details(const VerifyResult &result)
{
    QStringList lines;
    for (const VerifyResult::Difference &d : result.differences)
        lines << verifytexts::differenceText(d);
    const QStringList unchecked = verifytexts::uncheckedNames(result);
    for (const QString &name : unchecked)
        lines << tr("%1：未读回").arg(name);
    const int more = int(lines.size()) - kShown;
    if (more > 0) {
        lines = lines.mid(0, kShown);
        lines << tr("还有 %1 项").arg(more);
    }
    return lines.join(QLatin1Char('\n'));
}

// Right when the command has ended, so that the status bar already says the
// same and a new command may start.
void VerifyBox::finished(Link::Command command)
{
    if (!m_pending)
        return;
    m_pending = false;
    if (m_result.verified())
        return;
    QMessageBox box(QMessageBox::Warning, tr("提示"), message(m_result), QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("verifyBox"));
    box.setInformativeText(details(m_result));
    QPushButton *again = box.addButton(tr("再写一次"), QMessageBox::ActionRole);
    QPushButton *close = box.addButton(tr("关闭"), QMessageBox::RejectRole);
    box.setDefaultButton(again);
    box.setEscapeButton(close);
    box.exec();
    if (box.clickedButton() == again)
        QTimer::singleShot(0, this, [this, command] { m_again(command); });
}

#include "moc_verifybox.cpp"
