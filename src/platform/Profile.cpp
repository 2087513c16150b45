#include "platform/Profile.h"

#include <QSettings>

namespace {
QString Key(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(entry);
}
} // namespace

CProfile::CProfile(const std::string& key)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromStdString(key), QString::fromStdString(key))) {}

CProfile::~CProfile() = default;

std::string CProfile::GetString(const std::string& section, const std::string& entry,
                                const std::string& def) const {
    QVariant v = m_settings->value(Key(section, entry));
    return v.isValid() ? v.toString().toStdString() : def;
}

int CProfile::GetInt(const std::string& section, const std::string& entry, int def) const {
    bool ok = false;
    int v = m_settings->value(Key(section, entry)).toInt(&ok);
    return ok ? v : def;
}

void CProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value) {
    m_settings->setValue(Key(section, entry), QString::fromStdString(value));
    m_settings->sync();
}

void CProfile::WriteInt(const std::string& section, const std::string& entry, int value) {
    m_settings->setValue(Key(section, entry), value);
    m_settings->sync();
}

void CProfile::Remove(const std::string& section, const std::string& entry) {
    m_settings->remove(Key(section, entry));
    m_settings->sync();
}
