#pragma once

// What a command that overwrites the transmitter will change, confirmed
// before it goes: the review of a Write, a Load or a reset, the rows the
// user unticked kept as the transmitter has them in the frames and in the
// read-back's promise, and the prompt for unsent edits before closing.

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

#include "editsession.h"
#include "link.h"
#include "paramset.h"

class QWidget;
class UserSettings;

class WriteReview : public QObject
{
    Q_OBJECT

public:
    // write and save start those commands from the unsent-edits prompt.
    WriteReview(Link &link, EditSession *session, UserSettings &settings, QWidget *window,
                const std::function<void()> &write, const std::function<void()> &save);

    // The review of candidate; go runs when the user confirms (at once when
    // nothing changes), again repeats the command after a Read it asked for.
    // False when cancelled.
    bool review(const ParamSet &candidate, const QString &newHeader, const std::function<void()> &go,
                const std::function<void()> &again);

    // "有 N 项修改尚未写入发射机": write (or save) them, drop them, or stay.
    // True when the caller may go on at once; then runs when a Write or Save
    // the user chose has finished. revertOnDiscard: 放弃 puts back what the
    // transmitter holds (closing the port).
    bool askUnsent(const std::function<void()> &then, bool revertOnDiscard = false);

    // Right before the first frame of a command that overwrites the transmitter.
    void keepUnticked(Link::Command command);
    void commandEnded(Link::Command command, bool finished);

private:
    Link &m_link;
    EditSession *m_session;
    UserSettings &m_settings;
    QWidget *m_window;
    std::function<void()> m_write;
    std::function<void()> m_save;
    QVector<int> m_keep;                    // rows the next overwrite leaves as the transmitter has them
    QVector<EditSession::Unit> m_units;     // the rows of the review the next overwrite was confirmed in
    ParamSet m_candidate;                   // what that review showed as the new values
    std::function<void()> m_afterRead;      // a review waiting for the Read it asked for
    std::function<void()> m_afterCommand;   // a close waiting for the Write or Save it asked for
};
