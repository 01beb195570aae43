#include "preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QScopedPointer>
#include <QSettings>
#include <QVBoxLayout>

#include "recorder.h"
#include "startup.h"

namespace preferences {

const char *const reviewKey = "review/beforeWriting";
const char *const recordingsKey = "recordings/folder";

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
    const QScopedPointer<QSettings> settings(startup::openUserSettings());
    return startup::verifyAfterWrite(*settings);
}

QString recordingsFolder()
{
    const QScopedPointer<QSettings> settings(startup::openUserSettings());
    const QString folder = settings->value(QLatin1String(recordingsKey)).toString();
    return folder.isEmpty() ? Recorder::defaultFolder() : folder;
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
                                 startup::verifyAfterWrite(settings));
    return [review, verify](QSettings &s) {
        s.setValue(QLatin1String(preferences::reviewKey), review->isChecked());
        s.setValue(QLatin1String(startup::verifyAfterWriteKey), verify->isChecked());
    };
}

PreferencesDialog::Store recordingsGroup(QVBoxLayout *layout, QSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("示波器记录"));
    auto *row = new QHBoxLayout;
    auto *folder = new QLineEdit(settings.value(QLatin1String(preferences::recordingsKey)).toString());
    folder->setObjectName(QStringLiteral("preferencesRecordings"));
    folder->setPlaceholderText(QDir::toNativeSeparators(Recorder::defaultFolder()));
    folder->setMinimumWidth(320);
    auto *pick = new QPushButton(PreferencesDialog::tr("浏览…"));
    QObject::connect(pick, &QPushButton::clicked, folder, [folder] {
        const QString chosen = QFileDialog::getExistingDirectory(
            folder, PreferencesDialog::tr("记录文件夹"),
            folder->text().isEmpty() ? Recorder::defaultFolder() : folder->text());
        if (!chosen.isEmpty())
            folder->setText(QDir::toNativeSeparators(chosen));
    });
    row->addWidget(folder, 1);
    row->addWidget(pick);
    g->addLayout(row);
    return [folder](QSettings &s) {
        const QString text = folder->text().trimmed();
        if (text.isEmpty())
            s.remove(QLatin1String(preferences::recordingsKey));
        else
            s.setValue(QLatin1String(preferences::recordingsKey), QDir::fromNativeSeparators(text));
    };
}

} // namespace

QList<PreferencesDialog::Group> PreferencesDialog::groups()
{
    return {languageGroup, writingGroup, recordingsGroup};
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
