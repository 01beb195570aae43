// CPU the program spends per Device packet while the transmitter streams
// channel packets stop-and-wait (next packet once "WWW" came back), measured
// against the same wall time spent idle with the port open.
//   QT_QPA_PLATFORM=offscreen build/varnix-streambench [seconds] [--unpaced] [--page N]
// The window shows the live page (0) unless another page is asked for; the
// figure then leaves out the repaint of the moving bars.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "mainwindow.h"
#include "packets.h"
#include "paramset.h"
#include "ptypair.h"

namespace {

double threadCpuUs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Runs the event loop for ms milliseconds and returns the main thread's CPU
// time spent meanwhile.
double runFor(int ms)
{
    const double before = threadCpuUs();
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return threadCpuUs() - before;
}

// The transmitter: one channel packet, then wait for the three bytes "WWW".
// A pseudo-terminal has no baud rate; paced, the peer also waits the time the
// 23 bytes of a round take on a 115200 baud line, as a real link does.
void stream(int master, bool paced, std::atomic<bool> &stop, std::atomic<long> &sent)
{
    LiveValues live;
    int step = 0;
    while (!stop) {
        ++step;
        for (int n = 1; n <= 8; ++n)
            live.channel(n) = 500 + (step * 7 + n * 111) % 1000;
        const QByteArray packet = encodeChannelPacket(live);
        if (::write(master, packet.constData(), size_t(packet.size())) != packet.size())
            return;
        int got = 0;
        while (got < 3 && !stop) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 200) <= 0)
                break; // lost ack: send the next one anyway
            char buf[64];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0)
                return;
            got += int(n);
        }
        ++sent;
        if (paced)
            std::this_thread::sleep_for(std::chrono::microseconds(23 * 1000000 / 11520));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int seconds = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 5;
    const bool paced = !args.contains(QStringLiteral("--unpaced"));
    const int pageAt = args.indexOf(QStringLiteral("--page"));
    const int page = pageAt > 0 && pageAt + 1 < args.size() ? args.at(pageAt + 1).toInt() : 0;

    pty::Pair pair;
    QString error;
    if (!pty::open(&pair, &error))
        return 1;
    const int master = pair.master;
    const QString path = pair.slavePath;

    MainWindow window;
    window.show();
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *button = window.findChild<QPushButton *>(QStringLiteral("openButton"));
    box->setEditText(path);
    button->click();
    runFor(200);
    char drain[64];
    while (::read(master, drain, sizeof drain) > 0) {
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) & ~O_NONBLOCK);

    const double idleUs = runFor(seconds * 1000);

    std::atomic<bool> stop{false};
    std::atomic<long> sent{0};
    std::thread peer(stream, master, paced, std::ref(stop), std::ref(sent));
    const double busyUs = runFor(seconds * 1000);
    stop = true;
    peer.join();

    const double packets = double(sent.load());
    const double perPacket = packets > 0 ? (busyUs - idleUs) / packets : 0;
    std::printf("idle:      %.1f ms CPU in %d s (%.2f %% of a core)\n", idleUs / 1000, seconds,
                idleUs / (seconds * 1e4));
    std::printf("streaming: %.1f ms CPU in %d s (%.2f %% of a core), %.0f packets/s\n", busyUs / 1000,
                seconds, busyUs / (seconds * 1e4), packets / seconds);
    std::printf("per packet above idle: %.1f us\n", perPacket);
    button->click();
    pty::close(&pair);
    return 0;
}
