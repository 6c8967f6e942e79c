// SPDX-License-Identifier: GPL-3.0-or-later
// Line settings on terminal attributes, for the frames a pty cannot show.

#include "platform/serial/SerialTermios.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXANY;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS8 | CREAD;
    ::cfsetospeed(&t, B38400);
    ::cfsetispeed(&t, B38400);
    return t;
}

DCB Line(DWORD baud, BYTE size, BYTE parity, BYTE stop) {
    DCB dcb;
    dcb.BaudRate = baud;
    dcb.ByteSize = size;
    dcb.Parity = parity;
    dcb.StopBits = stop;
    dcb.fParity = 1;
    return dcb;
}

} // namespace

TEST(SerialTermios, FramesMapBothWays) {
    struct Case {
        DCB dcb;
        tcflag_t frame;
    };
    const Case cases[] = {
        {Line(9600, 8, NOPARITY, ONESTOPBIT), CS8},
        {Line(19200, 7, EVENPARITY, TWOSTOPBITS), CS7 | PARENB | CSTOPB},
        {Line(1200, 6, ODDPARITY, ONESTOPBIT), CS6 | PARENB | PARODD},
        {Line(115200, 5, NOPARITY, TWOSTOPBITS), CS5 | CSTOPB},
    };
    const tcflag_t frameBits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    for (const Case& c : cases) {
        termios t = Cooked();
        t.c_cflag |= PARENB | CMSPAR; // mark parity left by another program
        ASSERT_EQ(TermiosFromDcb(c.dcb, t), 0);
        EXPECT_EQ(t.c_cflag & frameBits, c.frame) << c.dcb.BaudRate;
        EXPECT_EQ(bool(t.c_iflag & INPCK), c.dcb.Parity != NOPARITY);
        DCB back;
        back.BaudRate = 0;
        DcbFromTermios(t, back);
        EXPECT_EQ(back.BaudRate, c.dcb.BaudRate);
        EXPECT_EQ(back.ByteSize, c.dcb.ByteSize);
        EXPECT_EQ(back.Parity, c.dcb.Parity);
        EXPECT_EQ(back.StopBits, c.dcb.StopBits);
    }
}

TEST(SerialTermios, RefusesFramesATerminalCannotCarry) {
    const DCB bad[] = {
        Line(12345, 8, NOPARITY, ONESTOPBIT),      Line(0, 8, NOPARITY, ONESTOPBIT),
        Line(9600, 9, NOPARITY, ONESTOPBIT),       Line(9600, 4, NOPARITY, ONESTOPBIT),
        Line(9600, 8, EVENPARITY + 1, ONESTOPBIT), Line(9600, 8, NOPARITY, 3),
        Line(9600, 8, NOPARITY, ONESTOPBIT + 1),
    };
    for (const DCB& dcb : bad) {
        termios t = Cooked();
        EXPECT_EQ(TermiosFromDcb(dcb, t), EINVAL);
        EXPECT_TRUE(t.c_lflag & ICANON);
    }
}
