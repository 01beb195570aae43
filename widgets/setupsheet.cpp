#include "setupsheet.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include "bindings.h"
#include "curvegeometry.h"
#include "rules.h"
#include "varnixversion.h"

// The sheet's own texts, context "SetupSheet".
struct SetupSheet {
    Q_DECLARE_TR_FUNCTIONS(SetupSheet)
};

namespace {

// Name and value pairs side by side: the 140-odd settings then fit on two
// pages with the curves.
const int kPairsPerRow = 3;
const int kCurvePx = 300; // the window's curve views are 300 x 300

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString imageSource(const QImage &image, const char *name, bool inlineImages)
{
    if (!inlineImages)
        return QStringLiteral("sheet:") + QLatin1String(name);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

void dashes(QPainter &p, bool horizontal, int at, int first, int last)
{
    for (int s : dashStarts(first, last)) {
        if (horizontal)
            p.drawLine(s, at, s + 8, at);
        else
            p.drawLine(at, s, at, s + 8);
    }
}

QImage blankCurve(int scale, QPainter &p)
{
    QImage image(kCurvePx * scale, kCurvePx * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    return image;
}

// The dual-rate selection of the window, for a set that did not come through it.
ParamSet selected(const ParamSet &set)
{
    ParamSet s = set;
    drDataSelet(s);
    return s;
}

} // namespace

QImage dualRateCurveImage(const ParamSet &set, int scale)
{
    const ParamSet s = selected(set);
    const DualRateCurveGeometry g = dualRateCurveGeometry(kCurvePx, kCurvePx, s.drCurveRate, s.drCurveExpo);
    QPainter p;
    QImage image = blankCurve(scale, p);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(20, 20, g.plotWidth, g.plotHeight);
    p.setPen(QPen(Qt::gray, 1));
    dashes(p, true, 20 + g.plotHeight / 2, 21, kCurvePx - 21);
    dashes(p, false, 20 + g.plotWidth / 2, 21, kCurvePx - 21);
    p.setPen(QPen(Qt::black, 3));
    QPainterPath path;
    path.moveTo(g.s1);
    path.cubicTo(g.s1, g.lowerControl, g.centre);
    path.moveTo(g.s2);
    path.cubicTo(g.s2, g.upperControl, g.centre);
    p.drawPath(path);
    p.end();
    return image;
}

QImage throttleCurveImage(const ParamSet &set, int scale)
{
    const ThrottleCurveGeometry g = throttleCurveGeometry(kCurvePx, kCurvePx, set.thrCurve);
    QPainter p;
    QImage image = blankCurve(scale, p);
    p.setPen(QPen(Qt::gray, 1));
    for (int y : g.gridY)
        dashes(p, true, y, 31, kCurvePx - 21);
    for (int x : g.gridX)
        dashes(p, false, x, 31, kCurvePx - 31);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(30, 30, g.plotWidth - 10, g.plotHeight);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (int k = 0; k <= 10; ++k)
        p.drawText(QRect(0, g.gridY[k] - 6, 26, 12), Qt::AlignRight | Qt::AlignVCenter, QString::number(100 - 10 * k));
    p.setPen(QPen(Qt::black, 3));
    for (int k = 0; k < 6; ++k)
        p.drawLine(g.points[k], g.points[k + 1]);
    p.setBrush(Qt::black);
    for (const QPoint &pt : g.points)
        p.drawEllipse(pt, 3, 3);
    p.end();
    return image;
}

QString setupSheetHtml(const ParamSet &set, const SheetSource &source, bool inlineImages)
{
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n")
                .arg(esc(SetupSheet::tr("Varnix&Tolbane 设置单")));
    html += QStringLiteral(
        "<style>body{font-family:sans-serif;font-size:8pt;color:#000;background:#fff}"
        "h1{font-size:13pt;margin:0 0 2pt 0}h2{font-size:9.5pt;margin:6pt 0 2pt 0;border-bottom:1px solid #000}"
        "table.settings{border-collapse:collapse;width:100%}"
        "table.settings td{border:1px solid #888;padding:1px 3px}"
        "td.value{font-weight:bold;text-align:right;white-space:nowrap}"
        "p.source{margin:0 0 4pt 0}td.curve{text-align:center;padding:0 10pt}</style></head><body>\n");
    html += QStringLiteral("<h1>%1</h1>\n").arg(esc(SetupSheet::tr("Varnix&Tolbane 设置单")));
    const QString file = source.fileName.isEmpty() ? SetupSheet::tr("（窗口中的设置）") : source.fileName;
    html += QStringLiteral("<p class=\"source\">%1 %2 &nbsp;·&nbsp; %3 %4 &nbsp;·&nbsp; varnix-config %5</p>\n")
                .arg(esc(SetupSheet::tr("文件：")), esc(file), esc(SetupSheet::tr("日期：")),
                     esc(source.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"))), esc(source.version));

    // The curves first: what one looks at before the numbers.
    const ParamSet s = selected(set);
    const int shown = 130; // printed size of each curve, in CSS pixels
    html += QStringLiteral("<table><tr>");
    html += QStringLiteral("<td class=\"curve\" align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%2\"><br>%3</td>")
                .arg(imageSource(dualRateCurveImage(set), "dualrate.png", inlineImages))
                .arg(shown)
                .arg(esc(SetupSheet::tr("大小舵曲线：比例 %1%，指数 %2%").arg(s.drCurveRate).arg(s.drCurveExpo)));
    QStringList points;
    for (int k = 1; k <= 7; ++k)
        points << QString::number(set.thrCurve[k]);
    html += QStringLiteral("<td class=\"curve\" align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%2\"><br>%3</td>")
                .arg(imageSource(throttleCurveImage(set), "throttle.png", inlineImages))
                .arg(shown)
                .arg(esc(SetupSheet::tr("油门曲线：%1").arg(points.join(QStringLiteral(" / ")))));
    html += QStringLiteral("</tr></table>\n");
    for (int page = 1; page <= settingsPageCount; ++page) {
        QList<const Binding *> rows;
        for (const Binding &b : bindings())
            if (b.page == page)
                rows << &b;
        if (rows.isEmpty())
            continue;
        html += QStringLiteral("<h2>%1</h2>\n<table class=\"settings\" width=\"100%\" cellspacing=\"0\" "
                               "cellpadding=\"1\" border=\"1\">\n")
                    .arg(esc(pageName(page)));
        // Down the columns first, as one reads a list.
        const int lines = (rows.size() + kPairsPerRow - 1) / kPairsPerRow;
        for (int line = 0; line < lines; ++line) {
            html += QStringLiteral("<tr>");
            for (int c = 0; c < kPairsPerRow; ++c) {
                const int i = c * lines + line;
                if (i < rows.size())
                    html += QStringLiteral("<td>%1</td><td class=\"value\" align=\"right\"><b>%2</b></td>")
                                .arg(esc(bindingName(*rows[i])), esc(bindingValueText(*rows[i], set)));
                else
                    html += QStringLiteral("<td></td><td></td>");
            }
            html += QStringLiteral("</tr>\n");
        }
        html += QStringLiteral("</table>\n");
    }

    html += QStringLiteral("</body></html>\n");
    return html;
}

bool writeSetupSheet(const ParamSet &set, const SheetSource &source, const QString &path, QString *error, int *pages)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(file.errorString());
        const QByteArray bytes = setupSheetHtml(set, source, true).toUtf8();
        if (file.write(bytes) != bytes.size() || !file.flush())
            return fail(file.errorString());
        return true;
    }

    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(probe.errorString());
    probe.close();
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(SetupSheet::tr("Varnix&Tolbane 设置单"));
    writer.setCreator(QStringLiteral(VARNIX_NAME " ") + source.version);

    QTextDocument doc;
    QFont font = doc.defaultFont();
    font.setPointSizeF(8);
    doc.setDefaultFont(font);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("sheet:dualrate.png")), dualRateCurveImage(set));
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("sheet:throttle.png")), throttleCurveImage(set));
    doc.setHtml(setupSheetHtml(set, source, false));
    // Laid out on the writer itself, page by page, so the count is the one printed.
    doc.documentLayout()->setPaintDevice(&writer);
    const QSizeF page = writer.pageLayout().paintRectPixels(writer.resolution()).size();
    doc.setPageSize(page);
    const int count = doc.pageCount();
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(SetupSheet::tr("PDF 未能写入"));
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    if (pages)
        *pages = count;
    if (QFileInfo(path).size() == 0)
        return fail(SetupSheet::tr("PDF 未能写入"));
    return true;
}
