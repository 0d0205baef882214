#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

// Why an operation failed. `sentence` is whole: the caller shows it as it
// is, or follows it with sentences of its own, never wraps it in another.
// `reason` is the cause alone ("it is a folder, not a regular file"), for
// the few callers that tell the same failure in words of their own; an
// operation without such a cause gives its sentence there too.
struct Failure {
    QString sentence;
    QString reason;

    explicit Failure(QString wholeSentence, QString cause = QString())
        : sentence(std::move(wholeSentence))
        , reason(cause.isNull() ? sentence : std::move(cause))
    {
    }
};

// What an operation of the core gives back: its value, or a Failure.
template<typename T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(Failure failure)
        : m_failure(std::move(failure))
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only after ok().
    const T &value() const & { return (Q_ASSERT(ok()), *m_value); }
    T &value() & { return (Q_ASSERT(ok()), *m_value); }
    T &&value() && { return (Q_ASSERT(ok()), std::move(*m_value)); }
    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }

    // Empty on success.
    QString error() const { return m_failure ? m_failure->sentence : QString(); }
    QString reason() const { return m_failure ? m_failure->reason : QString(); }
    // Only after !ok(): to pass the failure on unchanged.
    Failure failure() const { return (Q_ASSERT(!ok()), *m_failure); }

private:
    std::optional<T> m_value;
    std::optional<Failure> m_failure;
};

// An operation that gives nothing back but whether it worked.
template<>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure)
        : m_failure(std::move(failure))
    {
    }

    bool ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return ok(); }

    QString error() const { return m_failure ? m_failure->sentence : QString(); }
    QString reason() const { return m_failure ? m_failure->reason : QString(); }
    Failure failure() const { return (Q_ASSERT(!ok()), *m_failure); }

private:
    std::optional<Failure> m_failure;
};
