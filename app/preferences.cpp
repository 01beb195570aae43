#include "preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QScopedPointer>
#include <QSettings>
#include <QVBoxLayout>

#include "startup.h"

namespace preferences {

const char *const reviewKey = "review/beforeWriting";
const char *const verifyKey = "link/verifyAfterWrite";

namespace {

bool flag(const char *key)
{
    const QScopedPointer<QSettings> settings(startup::openUserSettings());
    return settings->value(QLatin1String(key), true).toBool();
}

} // namespace

bool reviewBeforeWriting()
{
    return flag(reviewKey);
}

void setReviewBeforeWriting(bool on)
{
    const QScopedPointer<QSettings> settings(startup::openUserSettings());
    settings->setValue(QLatin1String(reviewKey), on);
}

bool verifyAfterWrite()
{
    return flag(verifyKey);
}

} // namespace preferences

namespace {

QCheckBox *checkBox(QVBoxLayout *layout, const QString &text, const char *objectName, bool on)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(QLatin1String(objectName));
    box->setChecked(on);
    layout->addWidget(box);
    return box;
}

QVBoxLayout *group(QVBoxLayout *layout, const QString &title)
{
    auto *box = new QGroupBox(title);
    auto *inner = new QVBoxLayout(box);
    layout->addWidget(box);
    return inner;
}

PreferencesDialog::Store languageGroup(QVBoxLayout *layout, QSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("语言"));
    auto *box = new QComboBox;
    box->setObjectName(QStringLiteral("preferencesLanguage"));
    // Each language by its own name.
    box->addItem(QStringLiteral("中文"), QLatin1String(startup::chinese));
    box->addItem(QStringLiteral("English"), QLatin1String(startup::english));
    const int current = box->findData(startup::chooseLanguage(QString(), settings));
    box->setCurrentIndex(qMax(current, 0));
    g->addWidget(box);
    g->addWidget(new QLabel(PreferencesDialog::tr("下次启动时生效。")));
    return [box](QSettings &s) { startup::chooseLanguage(box->currentData().toString(), s); };
}

PreferencesDialog::Store writingGroup(QVBoxLayout *layout, QSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("写入"));
    QCheckBox *review = checkBox(g, PreferencesDialog::tr("写入前确认"), "preferencesReview",
                                 settings.value(QLatin1String(preferences::reviewKey), true).toBool());
    QCheckBox *verify = checkBox(g, PreferencesDialog::tr("写入后校验"), "preferencesVerify",
                                 settings.value(QLatin1String(preferences::verifyKey), true).toBool());
    return [review, verify](QSettings &s) {
        s.setValue(QLatin1String(preferences::reviewKey), review->isChecked());
        s.setValue(QLatin1String(preferences::verifyKey), verify->isChecked());
    };
}

} // namespace

QList<PreferencesDialog::Group> PreferencesDialog::groups()
{
    return {languageGroup, writingGroup};
}

PreferencesDialog::PreferencesDialog(QWidget *parent)
    : QDialog(parent)
    , m_settings(startup::openUserSettings())
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("设置"));
    auto *layout = new QVBoxLayout(this);
    for (const Group &g : groups())
        m_stores.append(g(layout, *m_settings));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PreferencesDialog::~PreferencesDialog()
{
    delete m_settings;
}

void PreferencesDialog::accept()
{
    for (const Store &store : m_stores)
        store(*m_settings);
    m_settings->sync();
    QDialog::accept();
}
