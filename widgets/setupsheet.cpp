#include "setupsheet.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSet>
#include <QTextDocument>
#include <QUrl>

#include "airframe.h"
#include "bindings.h"
#include "curvegeometry.h"
#include "rules.h"
#include "varnixversion.h"

// The sheet's own texts, context "SetupSheet".
struct SetupSheet {
    Q_DECLARE_TR_FUNCTIONS(SetupSheet)
};

namespace {

// Name and value pairs side by side.
const int kPairsPerRow = 3;
const int kCurvePx = 300; // the window's curve views are 300 x 300
// Room left of and under the dual-rate view for its axis numbers.
const int kAxisLeft = 24;
const int kAxisBelow = 20;

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString imageSource(const QImage &image, const char *name, bool inlineImages)
{
    if (!inlineImages)
        return QStringLiteral("sheet:") + QLatin1String(name);
    // A fixed resolution in the file: otherwise the screen's (or none's)
    // makes the same sheet differ between the window and the command line.
    QImage fixed = image;
    fixed.setDotsPerMeterX(3780); // 96 dpi
    fixed.setDotsPerMeterY(3780);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    fixed.save(&buffer, "PNG");
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

QPoint dualRateCurveOrigin()
{
    return QPoint(kAxisLeft, 0);
}

QImage dualRateCurveImage(const ParamSet &set, int scale)
{
    const ParamSet s = selected(set);
    const DualRateCurveGeometry g = dualRateCurveGeometry(kCurvePx, kCurvePx, s.drCurveRate, s.drCurveExpo);
    QImage image((kCurvePx + kAxisLeft) * scale, (kCurvePx + kAxisBelow) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    // Stick -100..100 across, output -100..100 up.
    QFont font = p.font();
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::black);
    const int left = kAxisLeft + 20;
    const int top = 20;
    const int labels[] = {100, 0, -100};
    for (int k = 0; k < 3; ++k) {
        const int y = top + k * g.plotHeight / 2;
        // The lowest one sits above its line, clear of the stick's numbers.
        const QRect at = k < 2 ? QRect(0, y - 9, left - 4, 18) : QRect(0, y - 18, left - 4, 18);
        p.drawText(at, Qt::AlignRight | (k < 2 ? Qt::AlignVCenter : Qt::AlignBottom), QString::number(labels[k]));
        const int x = left + (2 - k) * g.plotWidth / 2;
        p.drawText(QRect(x - 25, top + g.plotHeight + 1, 50, kAxisBelow), Qt::AlignCenter, QString::number(labels[k]));
    }
    p.translate(kAxisLeft, 0);
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
    font.setPixelSize(12);
    p.setFont(font);
    for (int k = 0; k <= 10; k += 2)
        p.drawText(QRect(0, g.gridY[k] - 8, 27, 16), Qt::AlignRight | Qt::AlignVCenter, QString::number(100 - 10 * k));
    font.setPixelSize(15);
    p.setFont(font);
    // The points by number, as the page names them.
    for (int k = 0; k < 7; ++k)
        p.drawText(QRect(g.points[k].x() - 10, g.gridY[10] + 3, 20, 18), Qt::AlignCenter, QString::number(k + 1));
    p.setPen(QPen(Qt::black, 3));
    for (int k = 0; k < 6; ++k)
        p.drawLine(g.points[k], g.points[k + 1]);
    p.setBrush(Qt::black);
    for (const QPoint &pt : g.points)
        p.drawEllipse(pt, 3, 3);
    p.end();
    return image;
}

namespace {

// The name of a row of a table whose columns are the elements: the binding's
// name without its element ("舵机相位 CH%1" gives "舵机相位").
QString rowLabel(const Binding &b)
{
    const QStringList words = QCoreApplication::translate("Bindings", b.name).split(QLatin1Char(' '));
    QStringList kept;
    for (const QString &w : words)
        if (!w.contains(QLatin1String("%1")))
            kept << w;
    return kept.join(QLatin1Char(' '));
}

// Whether the sheet shows the row: what the transmitter gets, each value
// once, and the firmware version. The copies of the selected dual-rate entry
// (drUp, drDown, the curve's rate and expo) are in the rate tables already,
// unless no entry is selected.
bool onSheet(const Binding &b, const ParamSet &set)
{
    if (b.field == Field::drUp || b.field == Field::drDown)
        return set.drChannel < 0 || set.drChannel > 3;
    return bindingSent(b) || b.field == Field::firmwareVersion;
}

enum class Layout {
    Pair,    // name and value, three pairs to a line
    Channel, // one row of a CH1..CHn table
    Mix,     // one row of the mix 1..4 table
    Strip,   // the elements side by side under their own names
};

Layout layoutOf(const Binding &b)
{
    const FieldExtent &e = fieldExtent(b.field);
    if (e.first == e.last && e.first == 0)
        return Layout::Pair;
    if (b.field == Field::prmMix || b.field == Field::prmMaster || b.field == Field::prmSlave
        || b.field == Field::prmOffset || b.field == Field::prmUpRate || b.field == Field::prmDownRate)
        return Layout::Mix;
    if (b.name && QByteArray(b.name).contains("CH%1"))
        return Layout::Channel;
    return Layout::Strip;
}

// One field's rows on a page, in table order.
struct Group {
    Layout layout;
    Field field;
    QVector<const Binding *> rows;
};

QVector<Group> groupsOf(int page, const ParamSet &set, QSet<QPair<int, int>> &seen)
{
    QVector<Group> groups;
    for (const Binding &b : bindings()) {
        if (b.page != page || !onSheet(b, set))
            continue;
        const QPair<int, int> key(int(b.field), b.element);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        // The mixes come mix by mix in the table; their rows gather by field.
        int at = -1;
        for (int i = 0; i < groups.size(); ++i)
            if (groups.at(i).field == b.field)
                at = i;
        if (at < 0) {
            groups.append({layoutOf(b), b.field, {}});
            at = int(groups.size()) - 1;
        }
        groups[at].rows << &b;
    }
    return groups;
}

QString cell(const QString &tag, const QString &text, const char *cls = nullptr)
{
    const QString attr = cls ? QStringLiteral(" class=\"%1\"").arg(QLatin1String(cls)) : QString();
    return QStringLiteral("<%1%2>%3</%1>").arg(tag, attr, text.toHtmlEscaped());
}

const char *const kTable = "<table class=\"settings\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" border=\"1\">\n";

// Rows whose columns are the elements: CH1.. or mix 1..
QString elementTable(const QVector<Group> &groups, const ParamSet &set, Layout layout)
{
    int last = 0;
    for (const Group &g : groups)
        last = qMax(last, fieldExtent(g.field).last);
    QString html = QLatin1String(kTable) + QStringLiteral("<tr>") + cell(QStringLiteral("th"), QString());
    for (int n = 1; n <= last; ++n)
        html += cell(QStringLiteral("th"), layout == Layout::Mix ? SetupSheet::tr("混控%1").arg(n)
                                                                 : QStringLiteral("CH%1").arg(n));
    html += QStringLiteral("</tr>\n");
    for (const Group &g : groups) {
        html += QStringLiteral("<tr>") + cell(QStringLiteral("td"), rowLabel(*g.rows.first()), "name");
        for (int n = 1; n <= last; ++n) {
            QString value;
            for (const Binding *b : g.rows)
                if (b->element == n)
                    value = bindingValueText(*b, set);
            // No cell of its own: the aux sources of CH1..CH4 are reserved.
            html += value.isNull() ? QStringLiteral("<td></td>") : cell(QStringLiteral("td"), value, "value");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QString stripTable(const QVector<const Binding *> &rows, const ParamSet &set)
{
    QString heads;
    QString values;
    for (const Binding *b : rows) {
        heads += cell(QStringLiteral("th"), bindingName(*b));
        values += cell(QStringLiteral("td"), bindingValueText(*b, set), "value");
    }
    return QLatin1String(kTable) + QStringLiteral("<tr>%1</tr>\n<tr>%2</tr>\n</table>\n").arg(heads, values);
}

QString pairTable(const QVector<const Binding *> &rows, const ParamSet &set)
{
    QString html = QLatin1String(kTable);
    for (int i = 0; i < rows.size(); i += kPairsPerRow) {
        html += QStringLiteral("<tr>");
        for (int c = i; c < i + kPairsPerRow; ++c) {
            if (c < rows.size())
                html += cell(QStringLiteral("td"), bindingName(*rows[c]), "name")
                        + cell(QStringLiteral("td"), bindingValueText(*rows[c], set), "value");
            else
                html += QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

// A page's settings: the element tables as one table each, a switch right
// before its values at the head of their strip, the other single values
// as pairs.
QString pageHtml(const QVector<Group> &groups, const ParamSet &set)
{
    QString html;
    QVector<const Binding *> pairs;
    const auto flushPairs = [&] {
        if (!pairs.isEmpty())
            html += pairTable(pairs, set);
        pairs.clear();
    };
    for (int i = 0; i < groups.size(); ++i) {
        const Group &g = groups.at(i);
        if (g.layout == Layout::Pair) {
            if (g.rows.first()->show == Show::Item && i + 1 < groups.size() && groups.at(i + 1).layout == Layout::Strip) {
                flushPairs();
                html += stripTable(g.rows + groups.at(i + 1).rows, set);
                ++i;
            } else {
                pairs += g.rows;
            }
            continue;
        }
        flushPairs();
        if (g.layout == Layout::Strip) {
            html += stripTable(g.rows, set);
            continue;
        }
        QVector<Group> table{g};
        while (i + 1 < groups.size() && groups.at(i + 1).layout == g.layout
               && fieldExtent(groups.at(i + 1).field).last == fieldExtent(g.field).last)
            table << groups.at(++i);
        html += elementTable(table, set, g.layout);
    }
    flushPairs();
    return html;
}

QString percent(int v)
{
    return QString::number(v) + QLatin1Char('%');
}

// What the dual-rate curve shows: the channel and switch position selected,
// with the values its table row gives.
QString dualRateCaption(const ParamSet &s)
{
    if (s.drChannel < 0 || s.drChannel > 3)
        return SetupSheet::tr("大小舵曲线：比例 %1，指数 %2").arg(percent(s.drCurveRate), percent(s.drCurveExpo));
    const QStringList positions = formItemTexts("comboBox_DR_POSI");
    const int position = s.drPosition == 0 ? 0 : 1;
    return SetupSheet::tr("大小舵曲线：CH%1 %2，比例 %3，指数 %4")
        .arg(s.drChannel + 1)
        .arg(positions.value(position))
        .arg(percent(s.drCurveRate), percent(s.drCurveExpo));
}

QString dateText(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

QString setupSheetHtml(const ParamSet &set, const SheetSource &source, bool inlineImages)
{
    const SetupInfo &info = source.info;
    const QString sheetTitle = SetupSheet::tr("Varnix&Tolbane 设置单");
    const QString title = info.name.isEmpty() ? sheetTitle : info.name;
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n").arg(esc(title));
    html += QStringLiteral(
        "<style>body{font-family:sans-serif;font-size:8pt;color:#000;background:#fff}"
        "h1{font-size:14pt;margin:0 0 2pt 0}h2{font-size:9.5pt;margin:5pt 0 2pt 0;border-bottom:1px solid #000}"
        "table.settings{border-collapse:collapse;width:100%;margin-bottom:2pt}"
        "table.settings td,table.settings th{border:1px solid #888;padding:1px 3px}"
        "th{font-weight:normal;text-align:center}"
        "td.value{font-weight:bold;text-align:center;white-space:nowrap}"
        "p{margin:0 0 3pt 0}p.notes{border:1px solid #000;padding:3pt}"
        "td.curve{text-align:center;padding:0 10pt}</style></head><body>\n");
    html += QStringLiteral("<h1>%1</h1>\n").arg(esc(title));
    if (!info.name.isEmpty()) {
        const QString written = info.lastWritten.isValid() ? dateText(info.lastWritten) : SetupSheet::tr("未写入过");
        html += QStringLiteral("<p>%1 &nbsp;·&nbsp; %2 &nbsp;·&nbsp; %3</p>\n")
                    .arg(esc(SetupSheet::tr("机型：%1").arg(airframe::displayName(info.type))),
                         esc(SetupSheet::tr("写入发射机：%1").arg(written)), esc(sheetTitle));
    }
    if (!info.notes.trimmed().isEmpty())
        html += QStringLiteral("<p class=\"notes\">%1</p>\n")
                    .arg(esc(info.notes.trimmed()).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    const QString file = source.fileName.isEmpty() ? SetupSheet::tr("（窗口中的设置）") : source.fileName;
    html += QStringLiteral("<p class=\"source\">%1 %2 &nbsp;·&nbsp; %3 %4 &nbsp;·&nbsp; varnix-config %5</p>\n")
                .arg(esc(SetupSheet::tr("文件：")), esc(file), esc(SetupSheet::tr("日期：")),
                     esc(dateText(source.when)), esc(source.version));

    const ParamSet s = selected(set);
    QSet<QPair<int, int>> seen;
    for (int page = 1; page <= settingsPageCount; ++page) {
        const QVector<Group> groups = groupsOf(page, s, seen);
        if (groups.isEmpty())
            continue;
        html += QStringLiteral("<h2>%1</h2>\n").arg(esc(pageName(page)));
        html += pageHtml(groups, s);
        if (page != 3)
            continue;
        // The curves on the page that draws them.
        const int shown = 190; // printed width of the dual-rate curve, in CSS pixels
        const QImage dr = dualRateCurveImage(s);
        const QImage thr = throttleCurveImage(s);
        html += QStringLiteral("<table><tr>");
        html += QStringLiteral("<td class=\"curve\" align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\"><br>%4</td>")
                    .arg(imageSource(dr, "dualrate.png", inlineImages))
                    .arg(shown)
                    .arg(shown * dr.height() / dr.width())
                    .arg(esc(dualRateCaption(s)));
        const Binding *mix = bindingOf("comboBox_THCURE_MIX");
        html += QStringLiteral("<td class=\"curve\" align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\"><br>%4</td>")
                    .arg(imageSource(thr, "throttle.png", inlineImages))
                    .arg(shown * thr.width() / dr.width())
                    .arg(shown * thr.height() / dr.width())
                    .arg(esc(SetupSheet::tr("%1：%2").arg(bindingName(*mix), bindingValueText(*mix, s))));
        html += QStringLiteral("</tr></table>\n");
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
