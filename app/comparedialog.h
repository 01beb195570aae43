#pragma once

// Two setups side by side: the pages, the transmitter as the last Read
// brought it, a Parameter file, or a source added by the caller (a setup of
// the library). Rows carry the binding table's names and pages; only the
// differences or everything; chosen rows go from one side into the pages as
// one undo step.

#include <QDialog>
#include <QString>
#include <QVector>

#include <functional>

#include "paramset.h"
#include "setupcompare.h"

class EditSession;
class Link;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    enum Side { Left = 0, Right = 1 };
    // A setup to compare: fills *set, or says why it cannot in *why.
    using Fetch = std::function<bool(ParamSet *set, QString *why)>;

    CompareDialog(Link &link, EditSession *session, QWidget *parent = nullptr);

    // A Parameter file as a source: false, with the reason, when it is not
    // one or is cut short.
    static bool readFile(const QString &path, ParamSet *set, QString *why);
    // Another source in both lists (a setup of the library); returns its index.
    int addSource(const QString &name, const Fetch &fetch);
    // The built-in sources.
    static constexpr int PagesSource = 0;
    static constexpr int TransmitterSource = 1;
    static constexpr int FileSource = 2; // asks for the file
    void setSource(Side side, int source);
    // The file source without its dialog.
    void setFile(Side side, const QString &path);
    void setOnlyDifferences(bool only);
    // Takes each side again (the pages changed, a Read came).
    void reload();

    // What the table holds now: one row per setting shown.
    int rowCount() const;
    QStringList rowTexts(int row) const; // page, setting, left, right
    int differenceCount() const { return m_differences.size(); }
    // Ticks the row for copying.
    void setRowChosen(int row, bool chosen);
    // Copies the chosen rows of side into the pages as one undo step; false
    // when side is the pages or nothing was chosen.
    bool copyToPages(Side side);

private:
    struct SideState {
        QComboBox *box = nullptr;
        QPushButton *copy = nullptr;
        QString file;
        ParamSet set;
        bool ok = false;
        QString why;
    };
    void sourceChosen(Side side);
    void fetch(Side side);
    void refresh();
    QString sideName(Side side) const;

    Link &m_link;
    EditSession *m_session;
    QVector<Fetch> m_extra;
    SideState m_sides[2];
    QCheckBox *m_only;
    QLabel *m_summary;
    QTreeWidget *m_table;
    QVector<SettingElement> m_differences;
};
