#pragma once

#include <QString>

#include <stdexcept>

namespace vb {

// A failure whose description is shown to the user as it stands (in Italian).
class Error : public std::runtime_error {
public:
    explicit Error(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    QString description() const { return m_description; }

private:
    QString m_description;
};

} // namespace vb
