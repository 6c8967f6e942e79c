// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/SerialTermios.h"

#include <cerrno>

namespace {

struct SpeedCode {
    DWORD rate;
    speed_t code;
};

constexpr SpeedCode kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool SpeedFor(DWORD rate, speed_t& code) {
    for (const SpeedCode& s : kSpeeds) {
        if (s.rate == rate) {
            code = s.code;
            return true;
        }
    }
    return false;
}

DWORD RateOf(speed_t code) {
    for (const SpeedCode& s : kSpeeds) {
        if (s.code == code)
            return s.rate;
    }
    return 0;
}

} // namespace

int TermiosFromDcb(const DCB& dcb, termios& t) {
    speed_t speed = B0;
    if (!SpeedFor(dcb.BaudRate, speed) || dcb.ByteSize < 5 || dcb.ByteSize > 8 ||
        dcb.Parity > EVENPARITY || (dcb.StopBits != ONESTOPBIT && dcb.StopBits != TWOSTOPBITS))
        return EINVAL;

    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                           IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    // Mark or space parity another program left behind goes too.
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= kSizes[dcb.ByteSize - 5];
    switch (dcb.Parity) {
    case ODDPARITY:
        t.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        t.c_cflag |= PARENB;
        break;
    default:
        break;
    }
    // With 5 data bits the UART sends 1.5 stop bits for "two".
    if (dcb.StopBits != ONESTOPBIT)
        t.c_cflag |= CSTOPB;
    if (dcb.fParity && dcb.Parity != NOPARITY)
        t.c_iflag |= INPCK;
    // The kernel ties CTS output flow and the RTS handshake together.
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        t.c_cflag |= CRTSCTS;
    if (dcb.fOutX)
        t.c_iflag |= IXON;
    if (dcb.fInX)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = cc_t(dcb.XonChar);
    t.c_cc[VSTOP] = cc_t(dcb.XoffChar);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    return 0;
}

void DcbFromTermios(const termios& t, DCB& dcb) {
    dcb.BaudRate = RateOf(::cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
    case CS5:
        dcb.ByteSize = 5;
        break;
    case CS6:
        dcb.ByteSize = 6;
        break;
    case CS7:
        dcb.ByteSize = 7;
        break;
    default:
        dcb.ByteSize = 8;
        break;
    }
    if (!(t.c_cflag & PARENB))
        dcb.Parity = NOPARITY;
    else
        dcb.Parity = (t.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    dcb.StopBits = (t.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fParity = (t.c_iflag & INPCK) ? 1 : 0;
    const bool ctsRts = (t.c_cflag & CRTSCTS) != 0;
    dcb.fOutxCtsFlow = ctsRts ? 1 : 0;
    if (ctsRts)
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    else if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = (t.c_iflag & IXON) ? 1 : 0;
    dcb.fInX = (t.c_iflag & IXOFF) ? 1 : 0;
    dcb.XonChar = char(t.c_cc[VSTART]);
    dcb.XoffChar = char(t.c_cc[VSTOP]);
}
