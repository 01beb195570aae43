// Per-operation costs of the hot paths: the 100 ms refresh, decoding the
// Device packets, one packet's round trip through the link, and building the
// four Parameter frames.
//   QT_QPA_PLATFORM=offscreen build/varnix-bench [-iterations N | -callgrind ...]
#include <QApplication>
#include <QSerialPort>
#include <QSpinBox>
#include <QtTest>

#include <unistd.h>

#include "link.h"
#include "linkport.h"
#include "packetstream.h"
#include "ptypair.h"

#include "frames.h"
#include "mainwindow.h"
#include "packets.h"
#include "paramset.h"
#include "rules.h"
#include "livecsv.h"
#include "recorder.h"
#include "scopebuffer.h"
#include "scopewidget.h"

#include <cmath>

// A minute of the link's fastest stream, 576 packets a second, each trace's
// value from value(packet, trace).
template <typename Value>
void fillMinute(ScopeBuffer &buffer, Value value)
{
    for (int i = 0; i < 576 * 60; ++i) {
        ScopeSample s;
        s.ms = i * 1000LL / 576;
        for (int t = 0; t < traceCount; ++t)
            s.value[t] = value(i, t);
        buffer.append(s);
    }
}

class Bench : public QObject
{
    Q_OBJECT

private slots:
    // A refresh with nothing new: every widget is written, none changes.
    void refreshUnchanged()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QBENCHMARK {
            QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection);
        }
    }

    // The same with twenty settings edited and marked: the marks are
    // checked against what the transmitter holds at every refresh.
    void refreshUnchangedWithMarks()
    {
        paramSet = ParamSet(); // QBENCHMARK may run the function again
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int n = 1; n <= 8; ++n) {
            w.findChild<QSpinBox *>(QStringLiteral("spinBox_sub%1").arg(n))->setValue(n);
            w.findChild<QSpinBox *>(QStringLiteral("spinBox_FS%1").arg(n))->setValue(60 + n);
        }
        for (int n = 1; n <= 4; ++n)
            w.findChild<QSpinBox *>(QStringLiteral("spinBox_Ru%1").arg(n))->setValue(n);
        QCOMPARE(w.unsentCount(), 20);
        QBENCHMARK {
            QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection);
        }
    }

    // One edit as the user makes it: stored, an undo step, the marks.
    void editOneValue()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = w.findChild<QSpinBox *>(QStringLiteral("spinBox_sub4"));
        int v = 0;
        QBENCHMARK {
            box->setValue(++v % 100);
        }
    }

    // A refresh after fresh live packets: all eight bars, the channel texts,
    // voltages, RSSI and trims change.
    void refreshNewLiveValues()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int step = 0;
        QBENCHMARK {
            ++step;
            for (int n = 1; n <= 8; ++n)
                liveValues.channel(n) = 500 + (step * 7 + n * 111) % 1000;
            liveValues.txVoltage = 700 + step % 100;
            liveValues.rssiValue = 40 + step % 20;
            paramSet.stickTrim[1] = 100 + step % 40;
            QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection);
        }
    }

    // The same, plus painting the changed live page synchronously.
    void refreshAndRepaintLivePage()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int step = 0;
        QBENCHMARK {
            ++step;
            for (int n = 1; n <= 8; ++n)
                liveValues.channel(n) = 500 + (step * 7 + n * 111) % 1000;
            QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection);
            w.repaint();
        }
        liveValues = LiveValues();
        paramSet = ParamSet();
    }

    void decodeChannelPacket()
    {
        LiveValues live;
        live.channelValue3 = 1234;
        live.txVoltage = 812;
        const QByteArray packet = encodeChannelPacket(live);
        ParamSet p;
        LiveValues out;
        QBENCHMARK {
            decodePacket(packet, p, out);
        }
        QCOMPARE(out.channelValue3, 1234);
    }

    // What the receiver does with every chunk besides the port I/O: decode,
    // select the dual rates, repair the ranges; directly, or through the
    // reassembling stream as the receiver does it.
    void receiveChannelChunk_data()
    {
        QTest::addColumn<bool>("throughStream");
        QTest::newRow("direct") << false;
        QTest::newRow("through stream") << true;
    }

    void receiveChannelChunk()
    {
        QFETCH(bool, throughStream);
        LiveValues live;
        live.channelValue5 = 1700;
        const QByteArray packet = encodeChannelPacket(live);
        ParamSet p;
        LiveValues out;
        PacketStream stream;
        QBENCHMARK {
            if (throughStream) {
                for (const PacketStream::Packet &taken : stream.feed(packet, 0))
                    decodePacket(taken.bytes, p, out);
            } else {
                decodePacket(packet, p, out);
            }
            drDataSelet(p);
            falseSaveData(p);
        }
        QCOMPARE(out.channelValue5, 1700);
    }

    // Reassembly alone, per packet: whole, cut in two, two joined in one read.
    void streamPerPacket_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("whole") << 0;
        QTest::newRow("split 10 + 10") << 1;
        QTest::newRow("two joined") << 2;
    }

    void streamPerPacket()
    {
        QFETCH(int, mode);
        LiveValues live;
        live.channelValue5 = 1700;
        const QByteArray packet = encodeChannelPacket(live);
        const QByteArray head = packet.left(10);
        const QByteArray tail = packet.mid(10);
        const QByteArray two = packet + packet;
        PacketStream stream;
        int taken = 0;
        QBENCHMARK {
            if (mode == 0)
                taken += stream.feed(packet, 0).size();
            else if (mode == 1)
                taken += stream.feed(head, 0).size() + stream.feed(tail, 0).size();
            else
                taken += stream.feed(two, 0).size();
        }
        QVERIFY(taken > 0);
        QCOMPARE(stream.held(), 0);
    }

    void decodeSettingsPacket()
    {
        ParamSet src;
        src.subTrim[4] = -37;
        const QByteArray packet = encodeSettingsPacket(src, 2);
        ParamSet p;
        LiveValues out;
        // Settings sections log their number; keep the log out of the figure.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        QBENCHMARK {
            decodePacket(packet, p, out);
        }
        qInstallMessageHandler(nullptr);
        QCOMPARE(p.subTrim[4], -37);
    }

    // One channel packet through the link on a real serial port: the
    // transmitter's end of a pseudo-terminal writes it, the event loop runs
    // until "WWW" has come back (read, decode, repairs, acknowledgement).
    void linkRoundTrip()
    {
        pty::Pair pair;
        QString error;
        QVERIFY2(pty::open(&pair, &error), qPrintable(error));
        const int master = pair.master;
        QSerialPort port;
        Link link(&port);
        LinkPort linkPort(port, link);
        connect(&port, &QSerialPort::readyRead, &link, &Link::receive);
        QVERIFY(linkPort.open(pair.slavePath));
        char hello[8];
        while (::read(master, hello, sizeof hello) <= 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents);

        LiveValues live;
        live.channelValue2 = 1300;
        const QByteArray packet = encodeChannelPacket(live);
        QBENCHMARK {
            QVERIFY(::write(master, packet.constData(), size_t(packet.size())) == packet.size());
            int got = 0;
            char ack[8];
            while (got < 3) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                const ssize_t n = ::read(master, ack, sizeof ack);
                if (n > 0)
                    got += int(n);
            }
        }
        QCOMPARE(liveValues.channelValue2, 1300);
        port.close();
        pty::close(&pair);
        liveValues = LiveValues();
    }

    // One frame of the scope at the link's ceiling: 60 s of 576 packets a
    // second in view, all twelve traces, a 1000 x 500 plot.
    void scopeFrame()
    {
        ScopeBuffer buffer(60000);
        fillMinute(buffer, [](int i, int t) {
            return float(t < 8 ? 1000 + 500 * std::sin(i * 0.01 + t) : 7 + t % 3);
        });
        ScopeWidget plot;
        plot.resize(1000, 500);
        plot.setBuffer(&buffer);
        plot.setView(buffer.lastMs() - 60000, buffer.lastMs());
        QImage image(plot.size(), QImage::Format_RGB32);
        QBENCHMARK {
            plot.render(&image);
        }
    }

    // The reduction to pixel columns alone, for the same frame.
    void scopeColumns()
    {
        ScopeBuffer buffer(60000);
        fillMinute(buffer, [](int i, int) { return float(i % 1000); });
        QBENCHMARK {
            for (int t = 0; t < traceCount; ++t)
                traceColumns(buffer, Trace(t), 0, buffer.lastMs(), 1000);
        }
    }

    // What recording adds to each packet on the receive path: the row made
    // and kept in memory (the disk is the recorder's thread's).
    void recordRow()
    {
        Recorder recorder;
        QTemporaryDir dir;
        recorder.start(dir.filePath(QStringLiteral("bench.csv")), liveCsvHeader());
        int step = 0;
        QBENCHMARK {
            liveValues.channel(1 + step % 8) = 1000 + step % 500;
            ++step;
            recorder.addRow(liveCsvRow(liveSample(liveValues, paramSet.stickTrim, step / 576.0)));
        }
        recorder.stop();
    }

    // The statistics of all twelve traces over the same 60 s.
    void scopeStatistics()
    {
        ScopeBuffer buffer(60000);
        fillMinute(buffer, [](int i, int) { return float(i % 1000); });
        QBENCHMARK {
            for (int t = 0; t < traceCount; ++t)
                traceStats(buffer, Trace(t), 0, buffer.lastMs());
        }
    }

    void buildFourFrames()
    {
        ParamSet p;
        FrameTexts texts;
        QBENCHMARK {
            for (int k = 0; k < 4; ++k)
                buildFrame(p, k, texts.text[k]);
        }
        QCOMPARE(texts.text[0].length(), 81);
    }
};

QTEST_MAIN(Bench)
#include "bench.moc"
