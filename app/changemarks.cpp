#include "changemarks.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

namespace changemarks {

namespace {

const char *const kMarkName = "changeMark";
const char *const kPlainTip = "plainToolTip";
const int kSize = 12;

// A triangle in the top-left corner, orange with a dark edge so that it
// stands out on the light boxes and the dark pages alike.
void paintFlag(QPainter &p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath flag;
    flag.moveTo(0, 0);
    flag.lineTo(size, 0);
    flag.lineTo(0, size);
    flag.closeSubpath();
    p.setPen(QPen(QColor(40, 20, 0), 1));
    p.setBrush(QColor(255, 140, 0));
    p.drawPath(flag);
}

// Covers the whole widget: a dashed outline and the corner flag, painted over
// whatever the widget's own style sheet draws.
class Flag : public QWidget
{
public:
    explicit Flag(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QLatin1String(kMarkName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // The widget's own sheet would fill us with its background.
        setStyleSheet(QStringLiteral("background: transparent; border: none;"));
        setAutoFillBackground(false);
        parent->installEventFilter(this);
        setGeometry(parent->rect());
        raise();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QPen dashes(QColor(255, 140, 0), 2, Qt::DashLine);
        p.setPen(dashes);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        paintFlag(p, kSize - 1);
    }
    // A spin box's line edit is created after us and may come on top; the
    // widget may be laid out anew.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent()) {
            if (event->type() == QEvent::Resize)
                setGeometry(parentWidget()->rect());
            if (event->type() == QEvent::ChildAdded || event->type() == QEvent::Show)
                raise();
        }
        return false;
    }
};

Flag *flagOf(const QWidget *widget)
{
    return widget->findChild<Flag *>(QLatin1String(kMarkName), Qt::FindDirectChildrenOnly);
}

} // namespace

void setMarked(QWidget *widget, bool marked, const QString &tip)
{
    Flag *flag = flagOf(widget);
    if (marked) {
        if (!flag) {
            widget->setProperty(kPlainTip, widget->toolTip());
            flag = new Flag(widget);
        }
        flag->show();
        flag->raise();
        widget->setToolTip(tip);
        return;
    }
    if (!flag)
        return;
    delete flag;
    widget->setToolTip(widget->property(kPlainTip).toString());
}

bool isMarked(const QWidget *widget)
{
    return flagOf(widget) != nullptr;
}

QIcon tabIcon()
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintFlag(p, 11);
    p.end();
    return QIcon(pixmap);
}

} // namespace changemarks
