#include "wheelguard.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QWheelEvent>

WheelGuard::WheelGuard(QObject *parent)
    : QObject(parent)
{
}

void WheelGuard::guard(QWidget *root)
{
    QList<QWidget *> boxes;
    for (QAbstractSpinBox *spin : root->findChildren<QAbstractSpinBox *>())
        boxes << spin;
    for (QComboBox *combo : root->findChildren<QComboBox *>())
        boxes << combo;
    for (QWidget *box : boxes) {
        // Qt's WheelFocus would hand the box focus on the first turn of the wheel.
        if (box->focusPolicy() == Qt::WheelFocus)
            box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *box = static_cast<QWidget *>(watched);
    if (box->hasFocus())
        return false;
    // The page scrolls as if the box were not there.
    QWidget *up = box->parentWidget();
    auto *area = qobject_cast<QAbstractScrollArea *>(up);
    while (up && !(area && area->viewport()->isAncestorOf(box))) {
        up = up->parentWidget();
        area = qobject_cast<QAbstractScrollArea *>(up);
    }
    if (area) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        QWidget *viewport = area->viewport();
        QWheelEvent copy(viewport->mapFromGlobal(wheel->globalPosition().toPoint()), wheel->globalPosition(),
                         wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(), wheel->modifiers(),
                         wheel->phase(), wheel->inverted());
        QCoreApplication::sendEvent(viewport, &copy);
    }
    event->accept();
    return true;
}

#include "moc_wheelguard.cpp"
