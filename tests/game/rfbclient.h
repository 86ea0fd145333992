#pragma once

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

// A small client of the remote framebuffer protocol (what VNC viewers speak), enough to look
// at the screen of a program running on Qt's "vnc" platform and to press keys in it. Tests use
// it to work a separate program the way a player would, through its display only.
class RfbClient
{
public:
    RfbClient() = default;
    RfbClient(const RfbClient &) = delete;
    RfbClient &operator=(const RfbClient &) = delete;
    ~RfbClient();

    // Connects to the server on this computer, trying again until it listens or the time
    // (milliseconds) is up, and agrees on the protocol, no security and 32-bit pixels.
    bool connectTo(int port, int timeoutMs);

    // The whole screen as it is now.
    bool grabScreen(QImage &screen, int timeoutMs);

    // Presses and releases a key, by its X key symbol (0xff0d is Return).
    bool pressKey(std::uint32_t keysym);

    QString error() const { return m_error; }

    // A free TCP port of this computer at the moment of asking.
    static int freePort();

private:
    bool readExact(void *data, std::size_t size, int timeoutMs);
    bool writeAll(const void *data, std::size_t size);
    bool fail(const QString &why);
    bool handshake(int timeoutMs);

    int m_fd = -1;
    int m_width = 0;
    int m_height = 0;
    QImage m_screen;
    QString m_error;
};
