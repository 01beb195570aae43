#pragma once

// The airframe check (机型检查, F7): the chosen airframe drawn from above
// with its surfaces moving as the live channel outputs move the servos, the
// table of which channel drives which surface, and the guided check that
// asks surface by surface whether the aircraft does the same. "反了" fixes
// the surface as one undo step; the fix reaches the transmitter with the
// next Write, through its review.

#include <QVector>
#include <QWidget>

#include <functional>

#include "airframe.h"
#include "link.h"
#include "surfaces.h"

class AirframeView;
class EditSession;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class UserSettings;

class AirframeCheck : public QWidget
{
    Q_OBJECT

public:
    // write starts the window's Write (with its review).
    AirframeCheck(Link &link, EditSession *session, UserSettings &settings, const std::function<void()> &write,
                  QWidget *parent = nullptr);

    // The airframe to check (the setup's type, or the user's choice here);
    // remembered. Starts the guided check again.
    void setAirframe(Airframe kind);
    Airframe airframe() const { return m_kind; }
    const SurfaceTable &table() const { return m_surfaces; }
    // The port closed: the surfaces stand still at neutral.
    void hideLive();

    // The guided check: the step asked now (-1 when done) and its answers.
    int stepIndex() const { return m_stepIndex; }
    const QVector<surfaces::Step> &steps() const { return m_steps; }
    void answerYes();
    void answerWrong();
    void restart();

private:
    void chooserChanged(int index);
    void fillTable();
    void tableEdited();
    void showStep();
    const SurfaceLink *linkOf(Surface surface) const;

    Link &m_link;
    EditSession *m_session;
    UserSettings &m_settings;
    Airframe m_kind = Airframe::Plane;
    SurfaceTable m_surfaces;
    QVector<surfaces::Step> m_steps;
    int m_stepIndex = 0;
    // The fixes the steps answered so far stand on: a later "反了" that would
    // change one of them again is refused.
    struct Answered {
        Surface surface;
        surfaces::Fix fix;
    };
    QVector<Answered> m_answered;
    int m_fixes = 0;

    QComboBox *m_chooser;
    AirframeView *m_view;
    QTableWidget *m_tableWidget;
    QLabel *m_mixNote;
    QLabel *m_question;
    QLabel *m_note;
    QPushButton *m_yes;
    QPushButton *m_wrong;
    QPushButton *m_restart;
    QPushButton *m_write;
};
