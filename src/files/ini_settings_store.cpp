#include "files/ini_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TIniSettingsStore::TIniSettingsStore(std::string fileName) : Name(std::move(fileName)) {}

TIniSettingsStore::~TIniSettingsStore() = default;

std::string TIniSettingsStore::DefaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return (base + QStringLiteral("/Quillmoran/Vantrokelmissory/1.0.conf")).toStdString();
}

QSettings& TIniSettingsStore::Ini() {
    if (!Settings) {
        Settings = std::make_unique<QSettings>(QString::fromStdString(Name), QSettings::IniFormat);
    }
    return *Settings;
}

QString TIniSettingsStore::StoredKey(const QString& name) {
    QString folded;
    for (const QString& key : Ini().childKeys()) {
        if (key == name) {
            return key;
        }
        if (folded.isEmpty() && key.compare(name, Qt::CaseInsensitive) == 0) {
            folded = key;
        }
    }
    return folded;
}

bool TIniSettingsStore::Parsed() {
    // QSettings parses lazily: a bad line is found only once the keys are asked for, and the
    // lines before it would be read by then.
    Ini().childKeys();
    return Ini().status() == QSettings::NoError;
}

bool TIniSettingsStore::KeyExists() {
    // A file that cannot be read or parsed counts as no key: the defaults stay.
    return QFileInfo(QString::fromStdString(Name)).isFile() && Parsed();
}

TStoredValue TIniSettingsStore::Read(const std::string& name) {
    const QString key = StoredKey(QString::fromStdString(name));
    if (key.isEmpty()) {
        return {};
    }
    const QVariant value = Ini().value(key);
    // Every plain INI value reads back as a string; a byte array is a text that is no UTF-8 (a
    // file name is bytes), stored so that it comes back byte for byte. A list or any other type
    // is "another type".
    if (value.typeId() == QMetaType::QByteArray) {
        return {TStoredValue::vkText, value.toByteArray().toStdString()};
    }
    if (value.typeId() != QMetaType::QString) {
        return {TStoredValue::vkOther, {}};
    }
    return {TStoredValue::vkText, value.toString().toStdString()};
}

bool TIniSettingsStore::BeginWrite() {
    const QFileInfo file(QString::fromStdString(Name));
    if (!QDir().mkpath(file.absolutePath())) {
        return false;
    }
    if (file.isFile() && !Parsed() && Ini().status() == QSettings::FormatError) {
        // Nothing of a file that cannot be parsed was read, and QSettings would keep reporting
        // its error for every later write: start a good file instead.
        Settings.reset();
        QFile::remove(file.absoluteFilePath());
    }
    return Ini().status() != QSettings::AccessError;
}

void TIniSettingsStore::Write(const std::string& name, const std::string& text) {
    const QString key = QString::fromStdString(name);
    for (const QString& stored : Ini().childKeys()) {
        if (stored != key && stored.compare(key, Qt::CaseInsensitive) == 0) {
            Ini().remove(stored);
        }
    }
    const QByteArray bytes = QByteArray::fromStdString(text);
    const QString unicode = QString::fromUtf8(bytes);
    if (unicode.toUtf8() == bytes) {
        Ini().setValue(key, unicode);
    } else {
        Ini().setValue(key, bytes); // not UTF-8: kept as the bytes it is
    }
}

bool TIniSettingsStore::EndWrite() {
    Ini().sync();
    return Ini().status() == QSettings::NoError;
}
