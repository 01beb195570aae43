#include "usersettings.h"

#include "recorder.h"
#include "setuplibrary.h"
#include "varnixversion.h"

namespace {

const QString kLanguage = QStringLiteral("language");
const QString kReview = QStringLiteral("review/beforeWriting");
const QString kVerify = QStringLiteral("link/verifyAfterWrite");
const QString kRecordings = QStringLiteral("recordings/folder");
const QString kLibrary = QStringLiteral("library/folder");
const QString kAdapterVendor = QStringLiteral("link/adapterVendor");
const QString kAdapterProduct = QStringLiteral("link/adapterProduct");
const QString kAdapterSerial = QStringLiteral("link/adapterSerial");
const QString kAutoConnect = QStringLiteral("link/autoConnect");
const QString kAirframeCheckType = QStringLiteral("airframeCheck/type");
const QString kSurfaceTable = QStringLiteral("airframeCheck/surfaces/"); // + the airframe's key

} // namespace

// Qt names a settings file after an organisation; with only this one name it
// is the file (or registry key) of the program alone.
UserSettings::UserSettings()
    : m_store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(VARNIX_NAME))
{
}

UserSettings::UserSettings(const QString &iniFile)
    : m_store(iniFile, QSettings::IniFormat)
{
}

QString UserSettings::language() const
{
    return m_store.value(kLanguage).toString();
}

void UserSettings::setLanguage(const QString &language)
{
    m_store.setValue(kLanguage, language);
}

bool UserSettings::reviewBeforeWriting() const
{
    return m_store.value(kReview, true).toBool();
}

void UserSettings::setReviewBeforeWriting(bool on)
{
    m_store.setValue(kReview, on);
}

bool UserSettings::verifyAfterWrite() const
{
    return m_store.value(kVerify, true).toBool();
}

void UserSettings::setVerifyAfterWrite(bool on)
{
    m_store.setValue(kVerify, on);
}

QString UserSettings::chosenRecordingsFolder() const
{
    return m_store.value(kRecordings).toString();
}

QString UserSettings::recordingsFolder() const
{
    const QString chosen = chosenRecordingsFolder();
    return chosen.isEmpty() ? Recorder::defaultFolder() : chosen;
}

void UserSettings::setRecordingsFolder(const QString &folder)
{
    if (folder.isEmpty())
        m_store.remove(kRecordings);
    else
        m_store.setValue(kRecordings, folder);
}

QString UserSettings::chosenLibraryFolder() const
{
    return m_store.value(kLibrary).toString();
}

QString UserSettings::libraryFolder() const
{
    const QString chosen = chosenLibraryFolder();
    return chosen.isEmpty() ? SetupLibrary::defaultFolder() : chosen;
}

void UserSettings::setLibraryFolder(const QString &folder)
{
    if (folder.isEmpty())
        m_store.remove(kLibrary);
    else
        m_store.setValue(kLibrary, folder);
}

void UserSettings::rememberedAdapter(quint16 *vendor, quint16 *product, QString *serial) const
{
    *vendor = quint16(m_store.value(kAdapterVendor, 0).toUInt());
    *product = quint16(m_store.value(kAdapterProduct, 0).toUInt());
    *serial = m_store.value(kAdapterSerial).toString();
}

void UserSettings::setRememberedAdapter(quint16 vendor, quint16 product, const QString &serial)
{
    m_store.setValue(kAdapterVendor, uint(vendor));
    m_store.setValue(kAdapterProduct, uint(product));
    m_store.setValue(kAdapterSerial, serial);
}

bool UserSettings::autoConnect() const
{
    return m_store.value(kAutoConnect, true).toBool();
}

void UserSettings::setAutoConnect(bool on)
{
    m_store.setValue(kAutoConnect, on);
}

QString UserSettings::airframeCheckType() const
{
    return m_store.value(kAirframeCheckType).toString();
}

void UserSettings::setAirframeCheckType(const QString &key)
{
    m_store.setValue(kAirframeCheckType, key);
}

QString UserSettings::surfaceTable(const QString &airframeKey) const
{
    return m_store.value(kSurfaceTable + airframeKey).toString();
}

void UserSettings::setSurfaceTable(const QString &airframeKey, const QString &table)
{
    m_store.setValue(kSurfaceTable + airframeKey, table);
}

bool UserSettings::sync()
{
    m_store.sync();
    return m_store.status() == QSettings::NoError;
}
