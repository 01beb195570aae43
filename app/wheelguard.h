#pragma once

// The mouse wheel over a settings box changes its value only while the box
// has keyboard focus (a click or Tab put it there). Otherwise the wheel
// scrolls the page the box sits on, so scrolling a small screen past a
// column of boxes leaves every value as it was.

#include <QObject>

class QWidget;

class WheelGuard : public QObject
{
    Q_OBJECT

public:
    explicit WheelGuard(QObject *parent = nullptr);

    // Guards every spin box and combo box below root. The wheel no longer
    // gives them focus; a click or Tab still does.
    void guard(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
