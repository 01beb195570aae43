#pragma once

// What the read-back after a write found, in words, and the box that says
// so when it did not verify: the first settings that did not stick, or that
// could not be checked, with "再写一次" and "关闭".

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include "link.h"

class QWidget;

namespace verifytexts {

// A setting as people call it: "副微调 CH4".
QString settingName(Field field, int index);
// A value as the pages show it: volts, an item's text, a percentage.
QString settingValue(Field field, int index, int value);
// "副微调 CH4：发送 6，读回 0"
QString differenceText(const VerifyResult::Difference &d);
// The settings a frame carries in the sections that did not come back.
QStringList uncheckedNames(const VerifyResult &result);

} // namespace verifytexts

// Follows the link's commands; after one whose read-back did not verify, asks
// whether to write again. again(command) runs the write again, from the event
// loop, once the box is closed.
class VerifyBox : public QObject
{
    Q_OBJECT

public:
    VerifyBox(Link &link, QWidget *window, const std::function<void(Link::Command)> &again);

    // The texts of the box for a result: its message and the list below it.
    static QString message(const VerifyResult &result);
    static QString details(const VerifyResult &result);

private:
    void finished(Link::Command command);

    QWidget *m_window;
    std::function<void(Link::Command)> m_again;
    VerifyResult m_result;
    bool m_pending = false; // a read-back of the running command came
};
