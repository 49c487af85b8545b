#pragma once

#include <QString>

#include <utility>

namespace kinetra {

// The end of an operation that can fail (a file, a device, a printer, a parse of what the user
// typed): done, or why not, in words a user understands ("Нет места на диске"). Every fallible
// operation outside the engine answers with it; one that yields a value answers with StatusOr.
struct Status {
    bool ok = false;
    QString error; // why the operation failed, when !ok

    static Status Done() { return {true, {}}; }
    static Status Failed(QString reason) { return {false, std::move(reason)}; }
};

// A value, or why there is none.
template <typename Value> struct StatusOr : Status {
    Value value{};

    static StatusOr Of(Value value)
    {
        StatusOr result;
        result.ok = true;
        result.value = std::move(value);
        return result;
    }
    static StatusOr Failed(QString reason)
    {
        StatusOr result;
        result.error = std::move(reason);
        return result;
    }
};

} // namespace kinetra
