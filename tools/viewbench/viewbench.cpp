// The log viewer on a long recording: how soon the first picture shows, how
// long the window stands still at most while the file loads, the peak
// memory, and what one zoom or pan costs once it is loaded.
//   QT_QPA_PLATFORM=offscreen build/varnix-viewbench [--mb N] [--file PATH] [--notches N] [--trace]
// The recording is generated (20 rows a second, as a long recording runs, N MB,
// 200 by default) into a temporary folder and removed afterwards, unless
// --file names one to use or keep (it is generated when it does not exist).
// --trace says after each notch of the zoom how long it took and the memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "livecsv.h"
#include "scopewidget.h"
#include "scopewindow.h"

namespace {

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Rows every 50 ms until the file holds mb megabytes: the sticks moving,
// the batteries running down, the signal coming and going.
bool generate(const QString &path, double mb)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(liveCsvHeader());
    const qint64 target = qint64(mb * 1e6);
    QByteArray chunk;
    for (qint64 i = 0; f.size() + chunk.size() < target; ++i) {
        LiveSample s;
        s.seconds = i * 0.05;
        for (int c = 0; c < LiveSample::channels; ++c)
            s.channel[c] = 1000 + int(450 * std::sin(i * 0.003 * (c + 1) + c)) + int(i * 7919 % 11) - 5;
        s.txVolts = 8.4 - std::fmod(i * 1e-6, 1.2);
        s.rxVolts = 5.0 + (i / 97 % 3) * 0.1;
        s.extVolts = 11.1 - std::fmod(i * 3e-6, 2.0);
        s.hasRssi = i % 1000 < 990;
        s.rssiDbm = -40 - int(i / 13 % 50);
        chunk += liveCsvRow(s);
        if (chunk.size() > (1 << 20)) {
            if (f.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return f.write(chunk) == chunk.size();
}

void wheel(QWidget *w, QPoint at, int notches)
{
    QWheelEvent e(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

struct Times {
    std::vector<double> ms;
    void add(double v) { ms.push_back(v); }
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Notes the end of the first paint of the plot with samples in it.
class FirstPicture : public QObject
{
public:
    FirstPicture(ScopeWindow *viewer, const QElapsedTimer *clock) : m_viewer(viewer), m_clock(clock) {}
    double ms = -1;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::Paint || ms >= 0 || m_viewer->buffer().isEmpty())
            return false;
        m_viewer->plot()->removeEventFilter(this);
        QCoreApplication::sendEvent(o, e);
        ms = m_clock->nsecsElapsed() / 1e6;
        return true;
    }

private:
    ScopeWindow *m_viewer;
    const QElapsedTimer *m_clock;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    double mb = 200;
    int notches = 50;
    bool trace = false;
    QString path;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--trace"))
            trace = true;
        if (i + 1 == args.size())
            break;
        if (args[i] == QLatin1String("--mb"))
            mb = args[++i].toDouble();
        else if (args[i] == QLatin1String("--file"))
            path = args[++i];
        else if (args[i] == QLatin1String("--notches"))
            notches = args[++i].toInt();
    }
    QTemporaryDir dir;
    if (path.isEmpty())
        path = dir.filePath(QStringLiteral("long.csv"));
    if (!QFileInfo::exists(path) && !generate(path, mb)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 2;
    }
    const qint64 fileBytes = QFileInfo(path).size();
    const long rssBefore = statusKb("VmRSS");

    // The window may stand still no longer than the longest gap between two
    // turns of this timer.
    QElapsedTimer clock;
    clock.start();
    double lastTick = 0;
    double longestStall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        longestStall = std::max(longestStall, now - lastTick);
        lastTick = now;
    });
    ticker.start();

    auto *viewer = new ScopeWindow(path);
    const double constructed = clock.nsecsElapsed() / 1e6;
    longestStall = std::max(longestStall, constructed - lastTick);
    FirstPicture first(viewer, &clock);
    viewer->plot()->installEventFilter(&first);
    viewer->resize(1100, 620);
    viewer->show();
    lastTick = clock.nsecsElapsed() / 1e6;
    // The note under the plot says what was read once reading has ended.
    while (viewer->fileNote().isEmpty() || first.ms < 0) {
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (clock.elapsed() > 300000)
            break;
    }
    const double loaded = clock.nsecsElapsed() / 1e6;
    ticker.stop();
    const long peakAfterLoad = statusKb("VmHWM");

    // Zoom in notch by notch at a third of the plot, and out again; then
    // drags of 100 px each way.
    ScopeWidget *plot = viewer->plot();
    const QPoint at(plot->width() / 3, plot->height() / 2);
    Times zoomIn, zoomOut, pan;
    auto timed = [&](Times &into, const std::function<void()> &what) {
        QElapsedTimer t;
        t.start();
        what();
        plot->repaint();
        into.add(t.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < notches; ++i) {
        timed(zoomIn, [&] { wheel(plot, at, 1); });
        if (trace)
            std::fprintf(stderr, "notch %d: %.1f ms, %.0f MB resident\n", i + 1, zoomIn.ms.back(),
                         statusKb("VmRSS") / 1024.0);
    }
    for (int i = 0; i < notches / 2; ++i) {
        timed(pan, [&] {
            mouse(plot, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            mouse(plot, QEvent::MouseMove, at + QPoint(100 * (i % 2 ? -1 : 1), 0), Qt::NoButton, Qt::LeftButton);
            mouse(plot, QEvent::MouseButtonRelease, at + QPoint(100 * (i % 2 ? -1 : 1), 0), Qt::LeftButton,
                  Qt::NoButton);
        });
    }
    for (int i = 0; i < notches; ++i)
        timed(zoomOut, [&] { wheel(plot, at, -1); });
    const long peakAfterZoom = statusKb("VmHWM");

    std::printf("recording                %.1f MB, %d rows, %s\n", fileBytes / 1e6, viewer->buffer().size(),
                qPrintable(ScopeWidget::timeText(viewer->buffer().lastMs())));
    std::printf("first picture            %.0f ms (window built after %.0f ms)\n", first.ms, constructed);
    std::printf("whole file read          %.0f ms\n", loaded);
    std::printf("longest stall meanwhile  %.0f ms\n", longestStall);
    std::printf("resident before opening  %.0f MB\n", rssBefore / 1024.0);
    std::printf("peak resident, loaded    %.0f MB (%.2f x the file)\n", peakAfterLoad / 1024.0,
                peakAfterLoad * 1024.0 / fileBytes);
    std::printf("peak resident, zoomed    %.0f MB\n", peakAfterZoom / 1024.0);
    std::printf("zoom in, one notch       median %.1f ms, longest %.1f ms (%d notches)\n", zoomIn.median(),
                zoomIn.max(), notches);
    std::printf("zoom out, one notch      median %.1f ms, longest %.1f ms\n", zoomOut.median(), zoomOut.max());
    std::printf("pan by 100 px            median %.1f ms, longest %.1f ms\n", pan.median(), pan.max());
    std::printf("view at the end          %s .. %s\n", qPrintable(ScopeWidget::timeText(plot->viewFrom())),
                qPrintable(ScopeWidget::timeText(plot->viewTo())));
    delete viewer;
    return 0;
}
