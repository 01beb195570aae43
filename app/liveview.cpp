#include "liveview.h"

#include <QLineEdit>
#include <QProgressBar>

#include "paramset.h"
#include "protocol.h"
#include "readouts.h"

namespace {

// A live reading not known since the port closed.
const QString kUnknownText = QStringLiteral("--");

// A progress bar repaints itself at once on every visible change of its
// value; with its updates held for the change, the sixteen bars of a refresh
// are painted together in the next paint pass instead.
void showBar(QProgressBar *bar, int value)
{
    if (bar->value() == value)
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}

} // namespace

LiveView::LiveView(const Widgets &widgets, QObject *parent)
    : QObject(parent)
    , m_widgets(widgets)
{
}

void LiveView::showChannels()
{
    for (int k = 0; k < 8; ++k) {
        const int v = liveValues.channel(k + 1);
        m_widgets.channelText[k]->setText(QString::number(v));
        // The upper bar fills up from the centre below 1000, the lower one
        // empties down above it.
        showBar(m_widgets.upper[k], v < 1000 ? 1010 - v : 10);
        showBar(m_widgets.lower[k], v > 1000 ? 2000 - v : 1000);
    }
    m_widgets.txVolts->setText(m_stale ? kUnknownText
                                       : readouts::voltText(readouts::txVoltTenths(liveValues.txVoltage)));
}

void LiveView::showTelemetry()
{
    // Closed or lost: the last readings are no longer the transmitter's.
    if (m_stale) {
        for (QLineEdit *text : {m_widgets.rssi, m_widgets.extVolts, m_widgets.rxVolts})
            text->setText(kUnknownText);
        return;
    }
    m_widgets.rssi->setText(readouts::rssiText(liveValues.rssiValue));
    m_widgets.extVolts->setText(readouts::voltText(liveValues.extVoltage));
    m_widgets.rxVolts->setText(readouts::voltText(liveValues.rxVoltage));
}

void LiveView::showTrims(const ParamSet &set)
{
    // Which trim shows in which row depends on the stick mode.
    static const int order[4][4] = {
        {1, 2, 3, 4}, // mode 1
        {1, 3, 2, 4}, // mode 2
        {4, 2, 3, 1}, // mode 3
        {4, 3, 2, 1}, // any other mode
    };
    const int m = set.stickMode;
    const int *row = order[(m >= 1 && m <= 3) ? m - 1 : 3];
    for (int k = 0; k < 4; ++k)
        m_widgets.trim[k]->setText(QString::number(set.stickTrim[row[k]] - protocol::trimCentre));
}

void LiveView::showClosed()
{
    liveValues.centreChannels();
    m_stale = true;
    showChannels();
}

#include "moc_liveview.cpp"
