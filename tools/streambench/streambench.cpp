// CPU the program spends per Device packet while the transmitter streams
// channel packets stop-and-wait (next packet once "WWW" came back), measured
// against the same wall time spent idle with the port open.
//   QT_QPA_PLATFORM=offscreen build/varnix-streambench [seconds] [--unpaced] [--page N]
//                                                     [--scope] [--record FILE] [--bare]
//                                                     [--airframe] [--no-markers]
// The window shows the live page (0) unless another page is asked for; the
// figure then leaves out the repaint of the moving bars. --scope opens the
// channel scope, --record records to FILE. --bare runs no window at all, only
// a QSerialPort answering each chunk with "WWW": the floor for one packet.
// --airframe opens the airframe check beside the window; --no-markers keeps
// the live markers off the two curves (page 3 shows them).
#include <QApplication>
#include <QFile>
#include <QSerialPort>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "linkport.h"
#include "mainwindow.h"
#include "packets.h"
#include "paramset.h"
#include "ptypair.h"

namespace {

// The resident memory of the process now, in kB.
long residentKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (::sysconf(_SC_PAGESIZE) / 1024) : 0;
}

double cpuUs(clockid_t clock)
{
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

double threadCpuUs()
{
    return cpuUs(CLOCK_THREAD_CPUTIME_ID);
}

// CPU of every thread but the peer's in the last runFor().
double g_processUs = 0;

// Runs the event loop for ms milliseconds and returns the main thread's CPU
// time spent meanwhile.
double runFor(int ms)
{
    const double before = threadCpuUs();
    const double processBefore = cpuUs(CLOCK_PROCESS_CPUTIME_ID);
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    g_processUs = cpuUs(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
    return threadCpuUs() - before;
}

// The transmitter: one channel packet, then wait for the three bytes "WWW".
// A pseudo-terminal has no baud rate; paced, the peer also waits the time the
// 23 bytes of a round take on a 115200 baud line, as a real link does.
void stream(int master, bool paced, std::atomic<bool> &stop, std::atomic<long> &sent, double &peerUs)
{
    struct Account {
        double &us;
        ~Account() { us = threadCpuUs(); }
    } account{peerUs};
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

    const bool bare = args.contains(QStringLiteral("--bare"));
    const int recordAt = args.indexOf(QStringLiteral("--record"));
    std::unique_ptr<MainWindow> window;
    QPushButton *button = nullptr;
    QSerialPort port;
    if (bare) {
        port.setPortName(path);
        LinkPort::configure(port);
        if (!port.open(QIODevice::ReadWrite))
            return 1;
        QObject::connect(&port, &QSerialPort::readyRead, [&port] {
            if (port.readAll().isEmpty())
                return;
            port.write("WWW");
            if (port.flush())
                port.flush();
        });
    } else {
        window.reset(new MainWindow);
        window->show();
        window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
        auto *box = window->findChild<QComboBox *>(QStringLiteral("portNameBox"));
        button = window->findChild<QPushButton *>(QStringLiteral("openButton"));
        box->setEditText(path);
        button->click();
        if (args.contains(QStringLiteral("--scope")))
            window->showScope();
        if (args.contains(QStringLiteral("--airframe")))
            window->showAirframeCheck();
        // The window's own receiver of packets is the curves' markers.
        if (args.contains(QStringLiteral("--no-markers")))
            QObject::disconnect(&window->link(), &Link::packetReceived, window.get(), nullptr);
        if (recordAt > 0 && recordAt + 1 < args.size())
            window->startRecording(args.at(recordAt + 1));
    }
    runFor(200);
    char drain[64];
    while (::read(master, drain, sizeof drain) > 0) {
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) & ~O_NONBLOCK);

    // A long run (the memory check) idles ten seconds and scales that.
    const int idleSeconds = qMin(seconds, 10);
    const double idleScale = double(seconds) / idleSeconds;
    const double idleUs = runFor(idleSeconds * 1000) * idleScale;
    const double idleProcessUs = g_processUs * idleScale;
    const long startKb = residentKb();

    std::atomic<bool> stop{false};
    std::atomic<long> sent{0};
    double peerUs = 0;
    std::thread peer(stream, master, paced, std::ref(stop), std::ref(sent), std::ref(peerUs));
    // In minutes, telling the resident memory after each.
    double busyUs = 0;
    double busyProcessUs = 0;
    for (int done = 0; done < seconds;) {
        const int chunk = qMin(60, seconds - done);
        busyUs += runFor(chunk * 1000);
        busyProcessUs += g_processUs;
        done += chunk;
        if (seconds > 60)
            std::printf("after %4d s: %ld kB resident\n", done, residentKb());
    }
    stop = true;
    peer.join();
    busyProcessUs -= peerUs;

    const double packets = double(sent.load());
    const double perPacket = packets > 0 ? (busyUs - idleUs) / packets : 0;
    std::printf("idle:      %.1f ms CPU in %d s (%.2f %% of a core)\n", idleUs / 1000, seconds,
                idleUs / (seconds * 1e4));
    std::printf("streaming: %.1f ms CPU in %d s (%.2f %% of a core), %.0f packets/s\n", busyUs / 1000,
                seconds, busyUs / (seconds * 1e4), packets / seconds);
    std::printf("per packet above idle: %.1f us\n", perPacket);
    std::printf("all threads but the peer's: %.2f %% of a core idle, %.2f %% streaming, %.1f us per packet\n",
                idleProcessUs / (seconds * 1e4), busyProcessUs / (seconds * 1e4),
                packets > 0 ? (busyProcessUs - idleProcessUs) / packets : 0);
    std::printf("resident memory: %ld kB before streaming, %ld kB after\n", startKb, residentKb());
    if (button)
        button->click();
    pty::close(&pair);
    return 0;
}
