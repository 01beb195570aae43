#pragma once

// The dialog that edits the program's preferences, kept in the user's
// settings (the same place as the language that --lang remembers).

#include <QDialog>
#include <QList>

#include <functional>

class QVBoxLayout;
class UserSettings;

class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    PreferencesDialog(UserSettings &settings, QWidget *parent = nullptr);

    // One group of the dialog: builds its widgets into the layout from the
    // settings, and returns what stores them back when the dialog is accepted.
    using Store = std::function<void(UserSettings &)>;
    using Group = std::function<Store(QVBoxLayout *, UserSettings &)>;
    // Every group, in the order shown; a new preference is one more entry.
    static QList<Group> groups();

    void accept() override;

private:
    UserSettings &m_settings;
    QList<Store> m_stores;
};
