#pragma once

// The program's preferences, kept in the user's settings (the same place as
// the language that --lang remembers), and the dialog that edits them.

#include <QDialog>
#include <QList>

#include <functional>

class QSettings;
class QVBoxLayout;

namespace preferences {

extern const char *const reviewKey; // "review/beforeWriting", default true

bool reviewBeforeWriting();
void setReviewBeforeWriting(bool on);
bool verifyAfterWrite();

extern const char *const recordingsKey; // "recordings/folder", default Recorder::defaultFolder()
// Where the scope's recordings go and where opening one starts.
QString recordingsFolder();

} // namespace preferences

class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PreferencesDialog(QWidget *parent = nullptr);
    ~PreferencesDialog() override;

    // One group of the dialog: builds its widgets into the layout from the
    // settings, and returns what stores them back when the dialog is accepted.
    using Store = std::function<void(QSettings &)>;
    using Group = std::function<Store(QVBoxLayout *, QSettings &)>;
    // Every group, in the order shown; a new preference is one more entry.
    static QList<Group> groups();

    void accept() override;

private:
    QSettings *m_settings;
    QList<Store> m_stores;
};
