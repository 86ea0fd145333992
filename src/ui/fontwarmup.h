#pragma once

#include <thread>

// Loads the system's font configuration on a thread of its own while the application connects
// to the display: reading it is the largest single cost of start-up, and the first label that
// measures its text would otherwise wait for it on the user-interface thread.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the configuration is loaded.
    void wait();

private:
    std::thread m_thread;
};
