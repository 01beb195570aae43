// Per-operation costs of the hot paths: the 100 ms refresh, decoding the
// Device packets and building the four Parameter frames.
//   QT_QPA_PLATFORM=offscreen build/varnix-bench [-iterations N | -callgrind ...]
#include <QApplication>
#include <QtTest>

#include "frames.h"
#include "mainwindow.h"
#include "packets.h"
#include "paramset.h"

class Bench : public QObject
{
    Q_OBJECT

private slots:
    void refreshWholeForm()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        liveValues.channelValue1 = 1500;
        QBENCHMARK {
            QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection);
        }
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
