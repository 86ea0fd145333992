#include "rfbclient.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

std::uint16_t be16(const unsigned char *p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

std::uint32_t be32(const unsigned char *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

void put16(unsigned char *p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

void put32(unsigned char *p, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k) {
        p[k] = static_cast<unsigned char>(v >> (24 - 8 * k));
    }
}

} // namespace

RfbClient::~RfbClient()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

int RfbClient::freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    int port = -1;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0) {
        port = ntohs(a.sin_port);
    }
    ::close(fd);
    return port;
}

bool RfbClient::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool RfbClient::connectTo(int port, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_fd < 0) {
            return fail(QStringLiteral("socket: ") + QString::fromLocal8Bit(strerror(errno)));
        }
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        if (::connect(m_fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
            break;
        }
        ::close(m_fd);
        m_fd = -1;
        if (clock.elapsed() > timeoutMs) {
            return fail(QStringLiteral("no server on port %1").arg(port));
        }
        QThread::msleep(20);
    }
    return handshake(static_cast<int>(std::max<qint64>(1000, timeoutMs - clock.elapsed())));
}

bool RfbClient::handshake(int timeoutMs)
{
    char version[13] = {};
    if (!readExact(version, 12, timeoutMs)) {
        return false;
    }
    if (std::strncmp(version, "RFB 003.", 8) != 0) {
        return fail(QStringLiteral("not a framebuffer server"));
    }
    const int minor = std::atoi(version + 8);
    const char *answer = minor >= 8   ? "RFB 003.008\n"
                         : minor == 7 ? "RFB 003.007\n"
                                      : "RFB 003.003\n";
    if (!writeAll(answer, 12)) {
        return false;
    }
    unsigned char b[4];
    if (minor >= 7) {
        if (!readExact(b, 1, timeoutMs)) {
            return false;
        }
        std::vector<unsigned char> types(b[0]);
        if (types.empty() || !readExact(types.data(), types.size(), timeoutMs)) {
            return fail(QStringLiteral("the server refused the connection"));
        }
        if (std::find(types.begin(), types.end(), 1) == types.end()) {
            return fail(QStringLiteral("the server wants a password"));
        }
        const unsigned char none = 1;
        if (!writeAll(&none, 1)) {
            return false;
        }
        if (minor >= 8) {
            if (!readExact(b, 4, timeoutMs) || be32(b) != 0) {
                return fail(QStringLiteral("security handshake failed"));
            }
        }
    } else {
        if (!readExact(b, 4, timeoutMs) || be32(b) != 1) {
            return fail(QStringLiteral("the server wants a password"));
        }
    }
    const unsigned char shared = 1;
    if (!writeAll(&shared, 1)) {
        return false;
    }
    unsigned char init[24];
    if (!readExact(init, sizeof init, timeoutMs)) {
        return false;
    }
    m_width = be16(init);
    m_height = be16(init + 2);
    std::vector<char> name(be32(init + 20));
    if (!name.empty() && !readExact(name.data(), name.size(), timeoutMs)) {
        return false;
    }
    m_screen = QImage(m_width, m_height, QImage::Format_RGB32);
    m_screen.fill(Qt::black);

    // 32-bit true colour, little endian, red in bits 16 to 23: the layout of Format_RGB32.
    unsigned char format[20] = {0, 0, 0, 0, 32, 24, 0, 1};
    put16(format + 8, 255);
    put16(format + 10, 255);
    put16(format + 12, 255);
    format[14] = 16;
    format[15] = 8;
    format[16] = 0;
    unsigned char encodings[8] = {2, 0};
    put16(encodings + 2, 1);
    put32(encodings + 4, 0); // raw pixels only
    return writeAll(format, sizeof format) && writeAll(encodings, sizeof encodings);
}

bool RfbClient::grabScreen(QImage &screen, int timeoutMs)
{
    unsigned char request[10] = {3, 0};
    put16(request + 6, static_cast<std::uint16_t>(m_width));
    put16(request + 8, static_cast<std::uint16_t>(m_height));
    if (!writeAll(request, sizeof request)) {
        return false;
    }
    for (;;) {
        unsigned char type;
        if (!readExact(&type, 1, timeoutMs)) {
            return false;
        }
        unsigned char head[16];
        switch (type) {
        case 0: { // framebuffer update
            if (!readExact(head, 3, timeoutMs)) {
                return false;
            }
            const int rects = be16(head + 1);
            for (int r = 0; r < rects; ++r) {
                if (!readExact(head, 12, timeoutMs)) {
                    return false;
                }
                const int x = be16(head), y = be16(head + 2), w = be16(head + 4),
                          h = be16(head + 6);
                if (be32(head + 8) != 0 || x + w > m_width || y + h > m_height) {
                    return fail(QStringLiteral("unexpected rectangle from the server"));
                }
                for (int row = 0; row < h; ++row) {
                    if (!readExact(m_screen.scanLine(y + row) + 4 * x,
                                   static_cast<std::size_t>(4 * w), timeoutMs)) {
                        return false;
                    }
                }
            }
            screen = m_screen;
            return true;
        }
        case 1: { // colour map entries: not used with true colour, skipped
            if (!readExact(head, 5, timeoutMs)) {
                return false;
            }
            std::vector<unsigned char> skip(6u * be16(head + 3));
            if (!skip.empty() && !readExact(skip.data(), skip.size(), timeoutMs)) {
                return false;
            }
            break;
        }
        case 2: // bell
            break;
        case 3: { // cut text
            if (!readExact(head, 7, timeoutMs)) {
                return false;
            }
            std::vector<unsigned char> skip(be32(head + 3));
            if (!skip.empty() && !readExact(skip.data(), skip.size(), timeoutMs)) {
                return false;
            }
            break;
        }
        default:
            return fail(QStringLiteral("unknown message %1 from the server").arg(type));
        }
    }
}

bool RfbClient::pressKey(std::uint32_t keysym)
{
    unsigned char event[8] = {4, 1};
    put32(event + 4, keysym);
    if (!writeAll(event, sizeof event)) {
        return false;
    }
    event[1] = 0;
    return writeAll(event, sizeof event);
}

bool RfbClient::readExact(void *data, std::size_t size, int timeoutMs)
{
    auto *p = static_cast<unsigned char *>(data);
    QElapsedTimer clock;
    clock.start();
    while (size > 0) {
        pollfd pfd{m_fd, POLLIN, 0};
        const int left = static_cast<int>(timeoutMs - clock.elapsed());
        if (left <= 0 || ::poll(&pfd, 1, left) <= 0) {
            return fail(QStringLiteral("the server said nothing in time"));
        }
        const ssize_t n = ::recv(m_fd, p, size, 0);
        if (n <= 0) {
            return fail(QStringLiteral("the server closed the connection"));
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool RfbClient::writeAll(const void *data, std::size_t size)
{
    const auto *p = static_cast<const unsigned char *>(data);
    while (size > 0) {
        const ssize_t n = ::send(m_fd, p, size, MSG_NOSIGNAL);
        if (n <= 0) {
            return fail(QStringLiteral("the server closed the connection"));
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}
