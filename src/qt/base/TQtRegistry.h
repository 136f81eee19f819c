// The per-user store the parsers keep their settings in: an INI file through
// QSettings, with registry keys as groups ("Software\X" becomes the group
// "Software/X"). Strings keep their 8-bit characters; byte values stay bytes.
#pragma once

#include "core/highlight/TRegistryStore.h"

#include <QSettings>
#include <QString>

namespace quarno {

class TQtRegistry : public TRegistryStore {
public:
    // The store of the user: QUARNO/QUARNO_PLUS.ini in the configuration
    // folder (XDG_CONFIG_HOME, else ~/.config).
    TQtRegistry();
    explicit TQtRegistry(const QString& fileName);

    QString FileName() const { return m_settings.fileName(); }

    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    void WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    std::optional<std::string> ReadBinary(const std::string& key, const std::string& name) override;
    void WriteBinary(const std::string& key, const std::string& name,
                     const std::string& bytes) override;

private:
    void Write(const std::string& key, const std::string& name, const QVariant& value);

    QSettings m_settings;
};

} // namespace quarno
