// The lock the program's sound calls share with the device's thread. That thread runs above
// the machine's busy processes where the system allows; behind a plain mutex it would wait
// for a preempted program thread holding the lock as long as that thread waits for the CPU,
// and the sound would stop. With priority inheritance the holder runs at the waiter's
// priority until it lets go.
#pragma once

#include <pthread.h>

namespace luma {

class MixerLock {
public:
    MixerLock() {
        pthread_mutexattr_t attributes;
        pthread_mutexattr_init(&attributes);
        // Where the system cannot, the lock is an ordinary one.
        pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
        if (pthread_mutex_init(&mutex, &attributes) != 0)
            pthread_mutex_init(&mutex, nullptr);
        pthread_mutexattr_destroy(&attributes);
    }
    ~MixerLock() { pthread_mutex_destroy(&mutex); }
    MixerLock(const MixerLock&) = delete;
    MixerLock& operator=(const MixerLock&) = delete;

    void lock() { pthread_mutex_lock(&mutex); }
    void unlock() { pthread_mutex_unlock(&mutex); }

private:
    pthread_mutex_t mutex;
};

} // namespace luma
