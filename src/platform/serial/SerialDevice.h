// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial device as the port code sees it: opened exclusively by name,
// configured through a device-control-block record and a time-out record,
// read and written synchronously. The operating-system side lives in its own
// file (SerialDevicePosix.cpp over termios), so that another backend can sit
// beside it.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>

using DWORD = std::uint32_t;

constexpr DWORD MAXDWORD = 0xFFFFFFFFu;

// Stop-bit codes (DCB::StopBits).
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE TWOSTOPBITS = 2;

// Parity codes (DCB::Parity).
constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;

// DCB::fDtrControl and DCB::fRtsControl: the modem line held off or on, or
// (RTS only) driven by the CTS/RTS handshake.
constexpr DWORD DTR_CONTROL_DISABLE = 0;
constexpr DWORD DTR_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;

// PurgeComm flags.
constexpr DWORD PURGE_TXABORT = 0x0001;
constexpr DWORD PURGE_RXABORT = 0x0002;
constexpr DWORD PURGE_TXCLEAR = 0x0004;
constexpr DWORD PURGE_RXCLEAR = 0x0008;

// Line errors reported by ClearCommError.
constexpr DWORD CE_RXOVER = 0x0001;   // input queue overflowed
constexpr DWORD CE_OVERRUN = 0x0002;  // the receiver lost a character
constexpr DWORD CE_RXPARITY = 0x0004; // parity error
constexpr DWORD CE_FRAME = 0x0008;    // framing error
constexpr DWORD CE_BREAK = 0x0010;    // break received

// Line settings, as far as a backend carries them to the line. Flag fields
// hold 0 or 1, the two control fields one of the *_CONTROL_* codes.
struct DCB {
    DWORD BaudRate = 9600;
    DWORD fParity = 0;
    DWORD fOutxCtsFlow = 0;
    DWORD fDtrControl = DTR_CONTROL_ENABLE;
    DWORD fOutX = 0;
    DWORD fInX = 0;
    DWORD fRtsControl = RTS_CONTROL_ENABLE;
    BYTE ByteSize = 8;
    BYTE Parity = NOPARITY;
    BYTE StopBits = ONESTOPBIT;
    char XonChar = 0x11;
    char XoffChar = 0x13;
};

// Time-outs in milliseconds. A read returns at once with what is there when
// ReadIntervalTimeout is MAXDWORD and both read totals are 0; a write of n
// bytes gives up after WriteTotalTimeoutConstant + n x
// WriteTotalTimeoutMultiplier (both 0: no limit).
struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;
};

// One open serial device. Destroying it releases the exclusive hold and
// closes the device. Every failing call records the system's error number
// for SerialLastError() on the calling thread.
class SerialDevice {
public:
    // Opens `path` for reading and writing, exclusively: a device that is
    // missing or held by another opener (root included) gives null.
    static std::unique_ptr<SerialDevice> Open(const std::string& path);

    virtual ~SerialDevice() = default;
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Queue sizes are accepted; the system's own queues stand.
    virtual bool SetupComm(DWORD inQueue, DWORD outQueue) = 0;
    virtual bool SetCommTimeouts(const COMMTIMEOUTS& timeouts) = 0;
    virtual bool GetCommState(DCB& dcb) = 0;
    virtual bool SetCommState(const DCB& dcb) = 0;
    virtual bool PurgeComm(DWORD flags) = 0;
    virtual bool ReadFile(void* buffer, DWORD size, DWORD& read) = 0;
    // Writes on the caller's thread within the write time-outs; `written`
    // tells how many bytes went out when the time ran out.
    virtual bool WriteFile(const void* data, DWORD size, DWORD& written) = 0;
    // Makes a write that waits on another thread, and every later write,
    // give up within a few milliseconds (ECANCELED). For a device about to
    // be closed, whose writer must not hold the closing up.
    virtual void AbortWrites() = 0;
    // The CE_* line errors since the previous call (none on devices that keep
    // no counters).
    virtual bool ClearCommError(DWORD& errors) = 0;

protected:
    SerialDevice() = default;
};

// The system's error number of the last failed serial call on this thread.
int SerialLastError();
void SetSerialLastError(int error);

// The system's own name of its n-th serial port (n from 1). Which device a
// COM number stands for is the device layer's choice (ports::DeviceName).
std::string DefaultComDeviceName(int n);

// The group whose members may read and write the device at `path`: the
// device's own group when its mode lets that group read and write it. Empty
// when there is none worth joining (no such file, the group has no access,
// or it is the superuser's group).
std::string DeviceAccessGroup(const std::string& path);
// The login name of the user the program runs as (never empty).
std::string CurrentUserName();
