// The parsers' per-user settings store on QSettings.
#include "qt/base/TQtRegistry.h"

#include "core/base/Exceptions.h"

namespace quarno {

namespace {

// Registry paths separate their parts with backslashes; QSettings with "/".
QString SettingsKey(const std::string& key, const std::string& name) {
    QString path = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path + QLatin1Char('/') +
           QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

TQtRegistry::TQtRegistry()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QUARNO"),
                 QStringLiteral("QUARNO_PLUS")) {}

TQtRegistry::TQtRegistry(const QString& fileName) : m_settings(fileName, QSettings::IniFormat) {}

std::optional<std::string> TQtRegistry::ReadString(const std::string& key,
                                                   const std::string& name) {
    QVariant value = m_settings.value(SettingsKey(key, name));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toLatin1().toStdString();
}

std::optional<std::string> TQtRegistry::ReadBinary(const std::string& key,
                                                   const std::string& name) {
    QVariant value = m_settings.value(SettingsKey(key, name));
    if (!value.isValid()) return std::nullopt;
    return value.toByteArray().toStdString();
}

void TQtRegistry::WriteString(const std::string& key, const std::string& name,
                              const std::string& value) {
    Write(key, name, QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
}

void TQtRegistry::WriteBinary(const std::string& key, const std::string& name,
                              const std::string& bytes) {
    Write(key, name, QByteArray::fromStdString(bytes));
}

// Written through at once, like the registry, so a crash loses nothing.
void TQtRegistry::Write(const std::string& key, const std::string& name, const QVariant& value) {
    m_settings.setValue(SettingsKey(key, name), value);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        throw Exception("Could not write the settings file " + m_settings.fileName().toStdString());
}

} // namespace quarno
