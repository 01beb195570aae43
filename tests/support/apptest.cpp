#include "apptest.h"

#include <QMetaObject>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
// The helper library builds against QtCore only; the widget headers come
// from the Qt include root and resolve against the program's QtWidgets.
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <QtGui/QKeyEvent>

#include "paramset.h"

namespace apptest {

namespace {

const int kPollMs = 20;

// Widgets already answered; a dialog that stays up after its answer (a file
// dialog refusing a path) is rejected the next time round.
QList<QPointer<QWidget>> &answered()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

// A key goes where the user's would: to the focus widget, and on to its
// parents when that ignores it.
void pressKey(QWidget *target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

bool wasAnswered(QWidget *w)
{
    for (const QPointer<QWidget> &p : answered())
        if (p == w)
            return true;
    return false;
}

} // namespace

ModalAnswerer::ModalAnswerer(int limitMs, QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_limit(limitMs)
{
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, [this] { poll(); });
    m_timer->start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::queueFile(const QString &path)
{
    m_files.append(path);
}

void ModalAnswerer::queueBoxButton(const QString &text)
{
    m_boxButtons.append(text);
}

void ModalAnswerer::queueReview(const ReviewAnswer &answer)
{
    m_reviewAnswers.append(answer);
}

// Records the review as shown, then answers it with the keys and buttons a
// user would use.
void ModalAnswerer::answerReview(QWidget *dialog)
{
    ReviewSeen seen;
    seen.title = dialog->windowTitle();
    if (auto *text = dialog->findChild<QLabel *>(QStringLiteral("reviewText")))
        seen.text = text->text();
    auto *table = dialog->findChild<QTreeWidget *>(QStringLiteral("reviewRows"));
    if (table) {
        for (int c = 0; c < table->columnCount(); ++c)
            seen.headers << table->headerItem()->text(c);
        for (int i = 0; i < table->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < table->columnCount(); ++c)
                row << table->topLevelItem(i)->text(c);
            seen.rows << row;
        }
    }
    for (QPushButton *b : dialog->findChildren<QPushButton *>())
        seen.buttons << b->objectName();
    m_reviews.append(seen);
    m_seen.append({QStringLiteral("review"), seen.title, seen.text, QString(), seen.buttons});
    if (m_hook)
        m_hook(m_seen.last());

    const ReviewAnswer answer = m_reviewAnswers.isEmpty() ? ReviewAnswer() : m_reviewAnswers.takeFirst();
    if (table) {
        for (int i = 0; i < table->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = table->topLevelItem(i);
            if (answer.untick.contains(item->text(1)))
                item->setCheckState(0, Qt::Unchecked);
        }
    }
    if (answer.dontAskAgain)
        if (auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("reviewDontAsk")))
            box->setChecked(true);
    QPointer<QWidget> guard(dialog);
    // From the event loop, as a key press of the user's would come.
    QTimer::singleShot(0, [guard, answer] {
        if (!guard)
            return;
        QWidget *target = guard->focusWidget() ? guard->focusWidget() : guard.data();
        switch (answer.action) {
        case ReviewAnswer::Return: pressKey(target, Qt::Key_Return); break;
        case ReviewAnswer::Escape: pressKey(target, Qt::Key_Escape); break;
        case ReviewAnswer::ReadFirst:
            if (auto *read = guard->findChild<QPushButton *>(QStringLiteral("reviewRead")))
                read->click();
            break;
        }
    });
}

QStringList ModalAnswerer::boxes() const
{
    QStringList list;
    for (const ModalSeen &s : m_seen)
        if (s.kind == QLatin1String("box"))
            list.append(s.title + QLatin1Char('|') + s.text);
    return list;
}

void ModalAnswerer::stop()
{
    m_timer->stop();
}

void ModalAnswerer::poll()
{
    m_elapsed += kPollMs;
    if (m_elapsed > m_limit) {
        m_timer->stop();
        return;
    }
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;

    if (auto *dialog = qobject_cast<QFileDialog *>(w)) {
        if (wasAnswered(dialog)) {
            dialog->reject();
            return;
        }
        answered().append(dialog);
        m_seen.append({QStringLiteral("file"), dialog->windowTitle(), QString(), QString(), QStringList()});
        if (m_hook)
            m_hook(m_seen.last());
        const QString path = m_files.isEmpty() ? QString() : m_files.takeFirst();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            // selectFile() leaves a focused name box alone; type it there too.
            if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                edit->setText(path);
            // Accept from the event loop, not from inside this poll, so that
            // a box the dialog opens in turn ("replace?") is answered too.
            // QFileDialog::accept() checks the path as its Open/Save button does.
            QPointer<QFileDialog> guard(dialog);
            QTimer::singleShot(0, [guard] {
                if (guard)
                    static_cast<QDialog *>(guard.data())->accept();
            });
        }
        return;
    }

    if (wasAnswered(w))
        return;
    answered().append(w);

    if (w->objectName() == QLatin1String("reviewDialog")) {
        answerReview(w);
        return;
    }

    if (auto *box = qobject_cast<QMessageBox *>(w)) {
        QStringList texts;
        for (QAbstractButton *b : box->buttons())
            texts << b->text();
        m_seen.append({QStringLiteral("box"), box->windowTitle(), box->text(), box->informativeText(), texts});
        if (m_hook)
            m_hook(m_seen.last());
        const QString wanted = m_boxButtons.isEmpty() ? QString() : m_boxButtons.takeFirst();
        for (QAbstractButton *b : box->buttons()) {
            if (!wanted.isEmpty() && b->text() == wanted) {
                b->click();
                return;
            }
        }
        QAbstractButton *accept = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            const QMessageBox::ButtonRole role = box->buttonRole(b);
            if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) {
                accept = b;
                break;
            }
        }
        if (accept)
            accept->click();
        else
            box->close();
        return;
    }

    m_seen.append({QString::fromLatin1(w->metaObject()->className()), w->windowTitle(), QString(), QString(), QStringList()});
    if (m_hook)
        m_hook(m_seen.last());
    w->close();
}

void useFreshSettings()
{
    static QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
#ifdef Q_OS_WIN
    // The registry has no path to move: the test's own key starts empty.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("varnix-config")).clear();
#endif
}

QString closedText()
{
    return QString::fromUtf8("打开串口");
}

QString openText()
{
    return QString::fromUtf8("关闭串口");
}

bool openPort(QWidget *window, const QString &path, QStringList *boxes)
{
    auto *box = window->findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *button = window->findChild<QPushButton *>(QStringLiteral("openButton"));
    if (!box || !button)
        return false;
    box->setEditText(path);
    ModalAnswerer answerer(5000);
    button->click();
    answerer.stop();
    if (boxes)
        *boxes += answerer.boxes();
    return button->text() == openText();
}

bool closePort(QWidget *window)
{
    auto *button = window->findChild<QPushButton *>(QStringLiteral("openButton"));
    if (!button || button->text() != openText())
        return false;
    button->click();
    return button->text() == closedText();
}

bool setRefreshTimerRunning(QWidget *window, bool running)
{
    const QList<QTimer *> timers = window->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    for (QTimer *t : timers) {
        if (t->interval() != 100)
            continue;
        if (running)
            t->start();
        else
            t->stop();
        return true;
    }
    return false;
}

QStringList itemTexts(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

bool invokeSlot(QObject *window, const char *slot)
{
    return QMetaObject::invokeMethod(window, slot, Qt::DirectConnection);
}

} // namespace apptest
