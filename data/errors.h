#pragma once
#include <QString>
#include <stdexcept>

namespace data {

// Every error of the data layer. The message is the text the user sees.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }
private:
    QString m_message;
};

// An error raised by the store itself (file missing, locked, refused write).
class StoreError : public DataError {
public:
    using DataError::DataError;
};

} // namespace data
