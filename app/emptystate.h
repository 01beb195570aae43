#pragma once

// The live page while no transmitter is heard: a card over the channel bars
// that says what to plug in and press, and once the port is open but nothing
// comes, what to check. Gone with the first packet.

#include <QObject>

class QLabel;
class QWidget;

class EmptyState : public QObject
{
    Q_OBJECT

public:
    explicit EmptyState(QWidget *page);

    void showClosed();  // no port open
    void showWaiting(); // open, no packet yet
    void showNoData();  // open, and nothing came in time
    void hide();        // packets come

    QString text() const;
    bool isShown() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    void show(const QString &text);

    QWidget *m_page;
    QLabel *m_card;
};
