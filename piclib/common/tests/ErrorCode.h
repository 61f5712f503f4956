// Helpers for tests that expect the library's error codes.
#pragma once

#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLTextException.h"

#include <cerrno>
#include <functional>

// The code of the PLTextException that f raises, 0 when it raises none.
inline int ErrorCodeOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const PLTextException& e) {
        return e.GetCode();
    }
    return 0;
}

// While alive, every file open fails with the given errno.
class FailingOpen {
public:
    explicit FailingOpen(int error)
    {
        s_Errno = error;
        PLFileAccess::SetOpenFunction(fail);
    }
    ~FailingOpen() { PLFileAccess::SetOpenFunction(nullptr); }

private:
    static int fail(const char*, int, unsigned)
    {
        errno = s_Errno;
        return -1;
    }
    static inline int s_Errno = 0;
};
