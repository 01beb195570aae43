#include "emptystate.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>


EmptyState::EmptyState(QWidget *page)
    : QObject(page)
    , m_page(page)
    , m_card(new QLabel(page))
{
    m_card->setObjectName(QStringLiteral("liveEmptyState"));
    m_card->setWordWrap(true);
    m_card->setTextFormat(Qt::RichText);
    m_card->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_card->setMargin(18);
    // Readable over the blue bars in the window's own colours.
    m_card->setStyleSheet(QStringLiteral("QLabel#liveEmptyState { background-color: rgba(255, 255, 255, 235);"
                                         " color: rgb(30, 30, 30); border: 2px solid rgb(0, 120, 215);"
                                         " border-radius: 8px; font-size: 11pt; }"));
    page->installEventFilter(this);
    showClosed();
}

void EmptyState::showClosed()
{
    show(tr("<b>还没有连接发射机</b><ol>"
            "<li>用数据线把发射机（或它的 USB 串口适配器）插到电脑上，打开发射机电源。</li>"
            "<li>在上方的串口列表里选它（USB 适配器排在前面，如 CH340、CP210x）。</li>"
            "<li>按“打开串口”。灯变绿、通道条动起来，就连上了。</li></ol>"));
}

void EmptyState::showWaiting()
{
    show(tr("<b>串口已打开，等待发射机的数据…</b><br>灯为黄色：还没有收到数据。"));
}

void EmptyState::showNoData()
{
    show(tr("<b>串口已打开，但没有收到发射机的数据</b><ul>"
            "<li>发射机开机了吗？</li>"
            "<li>数据线能传数据吗？有的线只能充电。</li>"
            "<li>选的是发射机的串口吗？拔下适配器看看列表里哪个消失了。</li>"
            "<li>USB 适配器的驱动装好了吗（CH340 的旧驱动可能设不了串口）？</li></ul>"));
}

void EmptyState::hide()
{
    m_card->hide();
}

QString EmptyState::text() const
{
    return m_card->text();
}

bool EmptyState::isShown() const
{
    return !m_card->isHidden();
}

void EmptyState::show(const QString &text)
{
    m_card->setText(text);
    m_card->show();
    m_card->raise();
    place();
}

// Centred over the page, at most two thirds of its width.
void EmptyState::place()
{
    const QSize room = m_page->size();
    const int width = qMin(560, room.width() * 2 / 3);
    const int height = qMin(m_card->heightForWidth(width), room.height() - 20);
    m_card->setGeometry((room.width() - width) / 2, (room.height() - height) / 2, width, height);
}

bool EmptyState::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        place();
    return QObject::eventFilter(watched, event);
}

#include "moc_emptystate.cpp"
