// Real-time tests: the interceptors behind RealtimeWatch. Each replaces a C
// library function for the whole program (and the modules it loads), counts the call
// when the calling thread is watched, and forwards to the C library.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtimewatch.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <semaphore.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

__attribute__((tls_model("initial-exec"))) thread_local bool watching = false;
std::atomic<long> violations{0};
std::atomic<const char*> firstViolation{nullptr};

void note(const char* name)
{
    if (!watching)
        return;
    const char* none = nullptr;
    firstViolation.compare_exchange_strong(none, name);
    violations.fetch_add(1, std::memory_order_relaxed);
}

// The C library's own function of that name, looked up once.
template <class Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

#define FORWARD(result, name, parameters, arguments)                                               \
    extern "C" result name parameters                                                              \
    {                                                                                              \
        note(#name);                                                                               \
        static const auto original = next<result(*) parameters>(#name);                            \
        return original arguments;                                                                 \
    }

// The heap: glibc's own entry points, which need no lookup (a lookup allocates).
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);
extern "C" void* __libc_memalign(size_t, size_t);

extern "C" void* malloc(size_t size)
{
    note("malloc");
    return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size)
{
    note("calloc");
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* memory, size_t size)
{
    note("realloc");
    return __libc_realloc(memory, size);
}
extern "C" void free(void* memory)
{
    if (memory)
        note("free");
    __libc_free(memory);
}
extern "C" void* aligned_alloc(size_t alignment, size_t size)
{
    note("aligned_alloc");
    return __libc_memalign(alignment, size);
}
extern "C" int posix_memalign(void** memory, size_t alignment, size_t size)
{
    note("posix_memalign");
    *memory = __libc_memalign(alignment, size);
    return *memory || !size ? 0 : ENOMEM;
}

// Locks and waits.
FORWARD(int, pthread_mutex_lock, (pthread_mutex_t * m), (m))
FORWARD(int, pthread_mutex_trylock, (pthread_mutex_t * m), (m))
FORWARD(int, pthread_mutex_timedlock, (pthread_mutex_t * m, const timespec* t), (m, t))
FORWARD(int, pthread_rwlock_rdlock, (pthread_rwlock_t * l), (l))
FORWARD(int, pthread_rwlock_wrlock, (pthread_rwlock_t * l), (l))
FORWARD(int, pthread_rwlock_tryrdlock, (pthread_rwlock_t * l), (l))
FORWARD(int, pthread_rwlock_trywrlock, (pthread_rwlock_t * l), (l))
FORWARD(int, pthread_cond_wait, (pthread_cond_t * c, pthread_mutex_t* m), (c, m))
FORWARD(int, pthread_cond_timedwait, (pthread_cond_t * c, pthread_mutex_t* m, const timespec* t),
        (c, m, t))
FORWARD(int, pthread_spin_lock, (pthread_spinlock_t * l), (l))
FORWARD(int, sem_wait, (sem_t * s), (s))
FORWARD(int, sem_timedwait, (sem_t * s, const timespec* t), (s, t))

// System calls.
FORWARD(ssize_t, read, (int fd, void* buffer, size_t size), (fd, buffer, size))
FORWARD(ssize_t, write, (int fd, const void* buffer, size_t size), (fd, buffer, size))
FORWARD(int, close, (int fd), (fd))
FORWARD(int, nanosleep, (const timespec* t, timespec* left), (t, left))
FORWARD(int, clock_nanosleep, (clockid_t c, int flags, const timespec* t, timespec* left),
        (c, flags, t, left))
FORWARD(int, usleep, (useconds_t microseconds), (microseconds))
FORWARD(unsigned, sleep, (unsigned seconds), (seconds))
FORWARD(int, sched_yield, (), ())
FORWARD(void*, mmap, (void* a, size_t n, int p, int f, int fd, off_t o), (a, n, p, f, fd, o))
FORWARD(int, munmap, (void* a, size_t n), (a, n))
FORWARD(int, poll, (pollfd * fds, nfds_t n, int timeout), (fds, n, timeout))
FORWARD(FILE*, fopen, (const char* path, const char* mode), (path, mode))
FORWARD(size_t, fwrite, (const void* p, size_t size, size_t n, FILE* f), (p, size, n, f))
FORWARD(int, fputs, (const char* s, FILE* f), (s, f))
FORWARD(int, puts, (const char* s), (s))
FORWARD(int, fflush, (FILE * f), (f))
FORWARD(int, vfprintf, (FILE * f, const char* format, va_list list), (f, format, list))
FORWARD(int, vprintf, (const char* format, va_list list), (format, list))
// The checked forms that -D_FORTIFY_SOURCE makes of the calls above.
FORWARD(ssize_t, __read_chk, (int fd, void* buffer, size_t size, size_t room),
        (fd, buffer, size, room))
FORWARD(int, __poll_chk, (pollfd * fds, nfds_t n, int timeout, size_t room),
        (fds, n, timeout, room))
FORWARD(int, __open_2, (const char* path, int flags), (path, flags))
FORWARD(int, __openat_2, (int directory, const char* path, int flags), (directory, path, flags))
FORWARD(int, __vfprintf_chk, (FILE * f, int flag, const char* format, va_list list),
        (f, flag, format, list))
FORWARD(int, __vprintf_chk, (int flag, const char* format, va_list list), (flag, format, list))

// Variadic ones forward to their va_list forms; open passes a mode only with the
// flags that create a file.
static mode_t createMode(int flags, va_list list)
{
    return flags & (O_CREAT | O_TMPFILE) ? va_arg(list, mode_t) : 0;
}

extern "C" int open(const char* path, int flags, ...)
{
    note("open");
    va_list list;
    va_start(list, flags);
    const mode_t mode = createMode(flags, list);
    va_end(list);
    static const auto original = next<int (*)(const char*, int, ...)>("open");
    return original(path, flags, mode);
}
extern "C" int openat(int directory, const char* path, int flags, ...)
{
    note("openat");
    va_list list;
    va_start(list, flags);
    const mode_t mode = createMode(flags, list);
    va_end(list);
    static const auto original = next<int (*)(int, const char*, int, ...)>("openat");
    return original(directory, path, flags, mode);
}
extern "C" long syscall(long number, ...)
{
    note("syscall");
    va_list list;
    va_start(list, number);
    long arguments[6];
    for (long& argument : arguments)
        argument = va_arg(list, long);
    va_end(list);
    static const auto original = next<long (*)(long, ...)>("syscall");
    return original(number, arguments[0], arguments[1], arguments[2], arguments[3], arguments[4],
                    arguments[5]);
}
// The printf family, each to its va_list form (PARAMETERS end in the format).
#define FORWARD_PRINTF(name, vname, parameters, vtypes, varguments)                                \
    extern "C" int name parameters                                                                 \
    {                                                                                              \
        note(#name);                                                                               \
        va_list list;                                                                              \
        va_start(list, format);                                                                    \
        static const auto original = next<int(*) vtypes>(#vname);                                  \
        const int result = original varguments;                                                    \
        va_end(list);                                                                              \
        return result;                                                                             \
    }
FORWARD_PRINTF(printf, vprintf, (const char* format, ...), (const char*, va_list), (format, list))
FORWARD_PRINTF(fprintf, vfprintf, (FILE * file, const char* format, ...),
               (FILE*, const char*, va_list), (file, format, list))
FORWARD_PRINTF(__printf_chk, __vprintf_chk, (int flag, const char* format, ...),
               (int, const char*, va_list), (flag, format, list))
FORWARD_PRINTF(__fprintf_chk, __vfprintf_chk, (FILE * file, int flag, const char* format, ...),
               (FILE*, int, const char*, va_list), (file, flag, format, list))

// Exceptions: every throw passes through here.
extern "C" [[noreturn]] void __cxa_throw(void* exception, void* type, void (*destroy)(void*))
{
    note("__cxa_throw");
    using Throw = void (*)(void*, void*, void (*)(void*));
    static const auto original = next<Throw>("__cxa_throw");
    original(exception, type, destroy);
    __builtin_unreachable();
}

namespace Brumvale::Testing {

RealtimeWatch::RealtimeWatch()
{
    violations = 0;
    firstViolation = nullptr;
    watching = true;
}

RealtimeWatch::RealtimeWatch(Paused)
{
    violations = 0;
    firstViolation = nullptr;
}

void RealtimeWatch::resume() { watching = true; }

void RealtimeWatch::pause() { watching = false; }

RealtimeWatch::~RealtimeWatch() { watching = false; }

long RealtimeWatch::stop()
{
    watching = false;
    return violations.load();
}

std::string RealtimeWatch::first() const
{
    const char* name = firstViolation.load();
    return name ? name : "";
}

} // namespace Brumvale::Testing
