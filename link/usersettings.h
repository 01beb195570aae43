#pragma once

// The user's settings of the program, each key and its default written once
// here: varnix-config.conf in the user's configuration folder (the registry
// under Software\varnix-config on Windows). Stored keys stay as they are, so
// settings written by earlier versions keep working.

#include <QSettings>
#include <QString>

class UserSettings
{
public:
    UserSettings();
    // Settings kept in an INI file of its own instead (tests, portable use).
    explicit UserSettings(const QString &iniFile);
    UserSettings(const UserSettings &) = delete;
    UserSettings &operator=(const UserSettings &) = delete;

    // "zh", "en", or what else was stored (the caller decides what counts);
    // empty when none was remembered.
    QString language() const;
    void setLanguage(const QString &language);

    // The review before each write; on unless turned off.
    bool reviewBeforeWriting() const;
    void setReviewBeforeWriting(bool on);

    // Read back and compare after each write; on unless turned off.
    bool verifyAfterWrite() const;
    void setVerifyAfterWrite(bool on);

    // Where the scope's recordings go: the one chosen, else
    // Recorder::defaultFolder(). chosenRecordingsFolder() is empty then.
    QString recordingsFolder() const;
    QString chosenRecordingsFolder() const;
    void setRecordingsFolder(const QString &folder); // empty: back to the default

    // The setups library's folder: the one chosen, else
    // SetupLibrary::defaultFolder(); empty sets it back to the default.
    QString libraryFolder() const;
    QString chosenLibraryFolder() const;
    void setLibraryFolder(const QString &folder);
    // The USB adapter that last brought the transmitter's packets, by its
    // vendor and product ids and serial number (the port's name may change
    // with the USB socket). vendor and product 0: none remembered.
    void rememberedAdapter(quint16 *vendor, quint16 *product, QString *serial) const;
    void setRememberedAdapter(quint16 vendor, quint16 product, const QString &serial);
    // Opening the remembered adapter when it is plugged in; on unless turned off.
    bool autoConnect() const;
    void setAutoConnect(bool on);
    // The airframe check: the airframe chosen (an airframe::key, empty when
    // none was) and each airframe's channel table (surfaces::toText).
    QString airframeCheckType() const;
    void setAirframeCheckType(const QString &key);
    QString surfaceTable(const QString &airframeKey) const;
    void setSurfaceTable(const QString &airframeKey, const QString &table);

    // Writes what changed to its store now; false when that failed.
    bool sync();

private:
    QSettings m_store;
};
