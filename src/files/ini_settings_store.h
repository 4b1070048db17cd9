#pragma once

#include "files/settings.h"

#include <QSettings>

#include <memory>
#include <string>

// The settings key as one INI file per user; values at the top level. QSettings writes it
// atomically (a new file renamed over the old one). Names are folded: reading finds a value
// under any letter case, and writing replaces the value under whatever case it had. Texts are
// bytes: one that is no UTF-8 (a file name may be any bytes) is stored as a byte array and
// comes back unchanged. A file that cannot be parsed reads as no key, and the next save
// replaces it with a good one.
class TIniSettingsStore : public TSettingsStore {
public:
    explicit TIniSettingsStore(std::string fileName = DefaultFileName());
    ~TIniSettingsStore() override;

    // $XDG_CONFIG_HOME/Quillmoran/Vantrokelmissory/1.0.conf, with ~/.config when the variable
    // is unset, empty or not an absolute path.
    static std::string DefaultFileName();
    const std::string& FileName() const { return Name; }

    bool KeyExists() override;
    TStoredValue Read(const std::string& name) override;
    bool BeginWrite() override;
    void Write(const std::string& name, const std::string& text) override;
    bool EndWrite() override;

private:
    QSettings& Ini();
    // Whether the file was read and parsed without an error.
    bool Parsed();
    // The stored spelling of a name, or an empty string when it is not stored.
    QString StoredKey(const QString& name);

    std::string Name;
    std::unique_ptr<QSettings> Settings;
};
