#pragma once

#include <QString>

#include <stdexcept>
#include <utility>

namespace dalvira {

// The outcome of an engine operation: ok, or the exact message text the screen shows.
class Result
{
public:
    Result() = default;
    static Result success() { return {}; }
    static Result failure(QString message) { return Result(std::move(message)); }
    static Result cancelled() { Result r(QString{}); r.m_cancelled = true; return r; }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    bool wasCancelled() const { return m_cancelled; }
    const QString &message() const { return m_message; }

private:
    explicit Result(QString message) : m_failed(true), m_message(std::move(message)) {}
    bool m_failed = false;
    bool m_cancelled = false;
    QString m_message;
};

// Thrown inside an engine operation to abandon it; the transaction boundary catches it,
// rolls back and turns it into a failed Result carrying the message.
class OperationError : public std::runtime_error
{
public:
    explicit OperationError(QString message)
        : std::runtime_error(message.toStdString()), m_message(std::move(message))
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Thrown when the user cancelled a batch through the wait window.
class OperationCancelled : public std::exception
{
public:
    const char *what() const noexcept override { return "cancelled"; }
};

} // namespace dalvira
