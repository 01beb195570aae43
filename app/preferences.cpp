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
#include <QVBoxLayout>

#include "recorder.h"
#include "setuplibrary.h"
#include "startup.h"
#include "usersettings.h"

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

PreferencesDialog::Store languageGroup(QVBoxLayout *layout, UserSettings &settings)
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
    return [box](UserSettings &s) { startup::chooseLanguage(box->currentData().toString(), s); };
}

PreferencesDialog::Store writingGroup(QVBoxLayout *layout, UserSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("写入"));
    QCheckBox *review = checkBox(g, PreferencesDialog::tr("写入前确认"), "preferencesReview",
                                 settings.reviewBeforeWriting());
    QCheckBox *verify = checkBox(g, PreferencesDialog::tr("写入后校验"), "preferencesVerify",
                                 settings.verifyAfterWrite());
    return [review, verify](UserSettings &s) {
        s.setReviewBeforeWriting(review->isChecked());
        s.setVerifyAfterWrite(verify->isChecked());
    };
}

PreferencesDialog::Store connectionGroup(QVBoxLayout *layout, UserSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("连接"));
    QCheckBox *autoConnect = checkBox(g, PreferencesDialog::tr("插上上次用过的 USB 适配器时自动打开串口"),
                                      "preferencesAutoConnect", settings.autoConnect());
    return [autoConnect](UserSettings &s) { s.setAutoConnect(autoConnect->isChecked()); };
}

PreferencesDialog::Store recordingsGroup(QVBoxLayout *layout, UserSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("示波器记录"));
    auto *row = new QHBoxLayout;
    auto *folder = new QLineEdit(QDir::toNativeSeparators(settings.chosenRecordingsFolder()));
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
    return [folder](UserSettings &s) { s.setRecordingsFolder(QDir::fromNativeSeparators(folder->text().trimmed())); };
}

PreferencesDialog::Store libraryGroup(QVBoxLayout *layout, UserSettings &settings)
{
    QVBoxLayout *g = group(layout, PreferencesDialog::tr("机型库"));
    auto *row = new QHBoxLayout;
    auto *folder = new QLineEdit(QDir::toNativeSeparators(settings.chosenLibraryFolder()));
    folder->setObjectName(QStringLiteral("preferencesLibrary"));
    folder->setPlaceholderText(QDir::toNativeSeparators(SetupLibrary::defaultFolder()));
    folder->setMinimumWidth(320);
    auto *pick = new QPushButton(PreferencesDialog::tr("浏览…"));
    QObject::connect(pick, &QPushButton::clicked, folder, [folder] {
        const QString chosen = QFileDialog::getExistingDirectory(
            folder, PreferencesDialog::tr("机型库文件夹"),
            folder->text().isEmpty() ? SetupLibrary::defaultFolder() : folder->text());
        if (!chosen.isEmpty())
            folder->setText(QDir::toNativeSeparators(chosen));
    });
    row->addWidget(folder, 1);
    row->addWidget(pick);
    g->addLayout(row);
    return [folder](UserSettings &s) { s.setLibraryFolder(QDir::fromNativeSeparators(folder->text().trimmed())); };
}

} // namespace

QList<PreferencesDialog::Group> PreferencesDialog::groups()
{
    return {languageGroup, writingGroup, connectionGroup, recordingsGroup, libraryGroup};
}

PreferencesDialog::PreferencesDialog(UserSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("设置"));
    auto *layout = new QVBoxLayout(this);
    for (const Group &g : groups())
        m_stores.append(g(layout, m_settings));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PreferencesDialog::accept()
{
    for (const Store &store : m_stores)
        store(m_settings);
    m_settings.sync();
    QDialog::accept();
}

#include "moc_preferences.cpp"
