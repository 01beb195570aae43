#pragma once

// "写入前确认": what a Write, a Load or a reset will change on the
// transmitter, one row per setting with a tick to keep or drop it. When the
// transmitter's settings are not known it says so and offers a Read first.

#include <QDialog>
#include <QString>
#include <QVector>

class QCheckBox;
class QLabel;
class QTreeWidget;

class ReviewDialog : public QDialog
{
    Q_OBJECT

public:
    struct Row {
        int binding; // row of the binding table
        QString page;
        QString name;
        QString device; // what the transmitter holds
        QString next;   // what it will hold
    };
    enum Choice { Cancel, Write, ReadFirst };

    // The rows to review; newHeader names the new values' column.
    ReviewDialog(const QVector<Row> &rows, const QString &newHeader, QWidget *parent = nullptr);
    // The transmitter's settings are not (all) known: unknown says which.
    ReviewDialog(const QString &unknown, QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    // Binding rows the user unticked: the transmitter keeps their values.
    QVector<int> unticked() const;
    bool dontAskAgain() const;
    // A sentence added below the count ("其中 2 项不是你改的…").
    void setNote(const QString &note);

private:
    void build(const QString &text);
    void count();
    void choose(Choice c);

    QVector<Row> m_rows;
    QTreeWidget *m_table = nullptr;
    QLabel *m_text = nullptr;
    QCheckBox *m_dontAsk = nullptr;
    Choice m_choice = Cancel;
    QString m_note;
};
