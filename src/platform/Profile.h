#pragma once
// The per-user settings of the program under its settings key: an INI file in the user's config folder
// (organisation and application both named by the key), read and written by section and value name.

#include <memory>
#include <string>

class QSettings;

class CProfile {
public:
    explicit CProfile(const std::string& key);
    ~CProfile();
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& def = "") const;
    int GetInt(const std::string& section, const std::string& entry, int def) const;
    // Each write reaches the file at once, so that nothing is lost when the program ends abruptly.
    void WriteString(const std::string& section, const std::string& entry, const std::string& value);
    void WriteInt(const std::string& section, const std::string& entry, int value);
    void Remove(const std::string& section, const std::string& entry);

private:
    std::unique_ptr<QSettings> m_settings;
};
