#pragma once

#include <QString>
#include <stdexcept>

// Any failure an operation can meet (database, printer, conversion), carrying
// the description the operator is shown.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};
