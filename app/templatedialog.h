#pragma once

// Choosing a template for a new aircraft: the airframe, the stick mode, and
// every setting the template sets with its value as the pages show it and why.

#include <QDialog>

#include "airframe.h"
#include "paramset.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTreeWidget;

class TemplateDialog : public QDialog
{
    Q_OBJECT

public:
    // base: the setup the template goes over (the pages, or the factory
    // values for a brand-new setup).
    explicit TemplateDialog(const ParamSet &base, QWidget *parent = nullptr);

    void choose(Airframe kind, int stickMode);
    Airframe kind() const;
    int stickMode() const;
    // base with the chosen template applied.
    ParamSet result() const;
    // Rows shown: page, setting, value, why.
    int rowCount() const;

    // Asks, then puts base with the template into *out (and the airframe into
    // *kind); false when cancelled. For a brand-new setup pass the factory
    // values (newSetupBase()).
    static bool run(QWidget *parent, const ParamSet &base, ParamSet *out, Airframe *kind = nullptr);
    // The factory values a brand-new setup starts from.
    static ParamSet newSetupBase();

private:
    void refresh();

    ParamSet m_base;
    QComboBox *m_kind;
    QSpinBox *m_mode;
    QLabel *m_description;
    QTreeWidget *m_rows;
};
