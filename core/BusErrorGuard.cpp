#include "core/BusErrorGuard.h"

#include <atomic>
#include <cstdint>

#if defined(__unix__)
#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace {

std::atomic<uintptr_t> watchBegin{0};
std::atomic<uintptr_t> watchEnd{0};
std::atomic<bool> caught{false};
uintptr_t pageBytes = 4096;
struct sigaction previous;

void onBusError(int signal, siginfo_t* info, void* context)
{
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->si_addr);
    if (at >= watchBegin.load() && at < watchEnd.load()) {
        void* page = reinterpret_cast<void*>(at & ~(pageBytes - 1));
        if (mmap(page, pageBytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            caught.store(true);
            return; // the read is done again and finds zeros
        }
    }
    // Not ours: whatever was there before handles it (by default, the end).
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction) {
            previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    sigaction(SIGBUS, &previous, nullptr);
}

} // namespace

BusErrorGuard::BusErrorGuard()
{
    const long bytes = sysconf(_SC_PAGESIZE);
    if (bytes > 0)
        pageBytes = uintptr_t(bytes);
    watch(nullptr, 0);
    caught.store(false);
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previous);
}

BusErrorGuard::~BusErrorGuard()
{
    sigaction(SIGBUS, &previous, nullptr);
    watch(nullptr, 0);
}

void BusErrorGuard::watch(const void* begin, size_t length)
{
    // The range is empty while it changes.
    const uintptr_t from = reinterpret_cast<uintptr_t>(begin);
    watchEnd.store(0);
    watchBegin.store(from);
    watchEnd.store(from + length);
}

bool BusErrorGuard::tripped() const
{
    return caught.load();
}

#else

BusErrorGuard::BusErrorGuard() = default;
BusErrorGuard::~BusErrorGuard() = default;
void BusErrorGuard::watch(const void*, size_t) {}
bool BusErrorGuard::tripped() const { return false; }

#endif
