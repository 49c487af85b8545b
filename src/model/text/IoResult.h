#pragma once

#include <QString>

#include <utility>

namespace kinetra {

// The end of an operation on a file, a device or a printer: done, or why not, in words a user
// understands ("Нет места на диске"). Every reader, writer and printer of the program answers
// with it; a read carries what it read beside it.
struct IoResult {
    bool ok = false;
    QString error; // why the operation failed, when !ok

    static IoResult Done() { return {true, {}}; }
    static IoResult Failed(QString reason) { return {false, std::move(reason)}; }
};

// A read: the value read, or why there is none.
template <typename Value> struct IoRead : IoResult {
    Value value{};

    static IoRead Read(Value value)
    {
        IoRead read;
        read.ok = true;
        read.value = std::move(value);
        return read;
    }
    static IoRead Failed(QString reason)
    {
        IoRead read;
        read.error = std::move(reason);
        return read;
    }
};

} // namespace kinetra
