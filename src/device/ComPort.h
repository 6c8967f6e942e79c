// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port to the apparatus: chooses one of COM1 to COM4, opens it
// exclusively with fixed queue sizes, time-outs and line settings, and runs a
// reader thread that polls the line and hands each chunk of received bytes to
// the notify window (PortDataEvent, WM_PORTDATA). Write works on the
// caller's thread; BeginWrite on a thread of the port's own, so that a line
// held by flow control cannot stop the caller.
//
// Hand-over of the read buffer: dataEvent is signalled while the reader may
// fill readBuffer. The reader resets it before it posts a chunk; from then on
// the owner holds the buffer. The owner, on its own thread, takes the event's
// Count() first, then looks at ReadBuffer(count) and ClearCommError(), and
// gives the buffer back with ReleaseReadBuffer(). Everything the two threads
// share is private, so that no other class can step around this rule.

#include "platform/serial/ManualResetEvent.h"
#include "platform/serial/SerialDevice.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>
#include <vector>

class QObject;

class CComPort {
public:
    static constexpr int kReadChunk = 100;

    CComPort() = default;
    virtual ~CComPort();
    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // A port other than 0 is taken as it is and nothing is opened; 0 probes
    // COM1 to COM maxPort and takes the first that opens. Sets portNumber
    // and answers it (0: none).
    int FindPort(std::int8_t port, std::int8_t maxPort);
    // The device of COM port, opened exclusively; null when it is missing or
    // in use, or when the number names no device (0 or negative).
    std::unique_ptr<SerialDevice> OpenPortHandle(std::int8_t port);
    // Opens and configures portNumber and starts the reader. Answers 1, or
    // 0 after showing IDS_ERR_OPEN_PORT (IDS_ERR_PORT_GROUP or
    // IDS_ERR_PORT_NO_ACCESS when the user may not open the device) or
    // IDS_ERR_SETUP_PORT.
    int Open();
    // Stops the reader, purges and closes the port. Harmless when closed.
    void Close();
    // True only when all `length` bytes went out within the write time-out;
    // 0 bytes succeed even on a closed port.
    bool Write(const void* data, std::uint32_t length);
    // Starts writing a copy of the bytes on the port's writer thread and
    // answers at once; the outcome, with Write's time-out, comes to
    // notifyWindow as a PortWriteEvent. False, with nothing posted, when the
    // port is closed or the last write is still under way. Close ends a
    // waiting write at once (it fails with ECANCELED).
    bool BeginWrite(const void* data, std::uint32_t length);

    // Flow control, read by the next Open: CTS/RTS handshake (on at first),
    // XON/XOFF both ways (off at first). The frame is always 9600 8N1; DTR
    // is held on.
    void SetFlowControl(bool ctsRtsOn, bool xonXoffOn);
    // The write time-out's constant part in ms (5000), and the ms of one wait
    // for the owner's release (120000); tests shorten them.
    void SetWriteTimeoutConstant(DWORD ms) { writeTimeoutConstant_ = ms; }
    void SetHandOverTimeout(DWORD ms) { handOverTimeout_ = ms; }
    // Receives PortDataEvent and PortWriteEvent. Must outlive the open port
    // (or be replaced first). A window named before Open is kept; otherwise
    // Open takes the application's main window.
    void SetNotifyWindow(QObject* window) { notifyWindow.store(window); }

    // The COM number chosen by FindPort; 0 = none.
    int PortNumber() const { return portNumber; }
    // True while any part of an open port is left (device, events, reader,
    // writer); Close and a failed Open leave none.
    bool IsOpen() const;
    // True while the reader runs. A chunk that arrives when this is false
    // belongs to a port closed since; its buffer is not the owner's.
    bool IsRunning() const { return running.load() != 0 && handle != nullptr; }

    // The owner's side of the hand-over, on the owner's thread only.
    // The chunk of a PortDataEvent with `count` bytes; empty after a failed
    // read (-1). Valid until ReleaseReadBuffer.
    std::span<const std::uint8_t> ReadBuffer(int count) const;
    // Gives the buffer back to the reader. Harmless when closed.
    void ReleaseReadBuffer();
    // The CE_* line errors since the previous call; 0 when closed or when
    // the device keeps no counters.
    DWORD ClearCommError();

private:
    // The line's speed, in bits per second.
    static constexpr DWORD kBaudRate = 9600;

    std::unique_ptr<SerialDevice> handle; // null whenever the port is closed
    std::int8_t portNumber = 0;           // COM n; 0 = none chosen
    std::atomic<std::int32_t> running{0}; // the reader runs while non-zero
    DWORD inQueueSize = 4096;
    DWORD outQueueSize = 4096;
    std::int32_t ctsRtsHandshake = 1;
    std::int32_t xonXoff = 0;
    std::atomic<QObject*> notifyWindow{nullptr};
    std::unique_ptr<ManualResetEvent> dataEvent; // exists only while open
    std::unique_ptr<std::thread> readerThread;   // exists only while open
    std::unique_ptr<std::thread> writerThread_;  // the last BeginWrite's, until Close
    std::uint8_t readBuffer[kReadChunk];         // the chunk last read
    DWORD writeTimeoutConstant_ = 5000;          // ms a write may take beyond its bytes
    DWORD handOverTimeout_ = 120000;             // ms of one wait for the owner's release

    // Configure the open device; false, with SerialLastError set, when it
    // refuses.
    bool ApplyTimeouts();
    bool ApplyLineSettings();
    // Step back to Closed after a failed Open and show IDS_ERR_SETUP_PORT
    // with `error`.
    int FailOpen(int error);
    // Resets dataEvent and posts WM_PORTDATA; false when there is no window.
    bool PostChunk(int count);
    // The reader thread's body: polls the line and hands each chunk over
    // until Close stops it.
    void ReaderThread();
    // The writer thread's body: writes `bytes` and posts the outcome.
    void WriterThread(std::vector<std::uint8_t> bytes);

    // Ends the reader's pause at once when Close wants it gone.
    std::unique_ptr<ManualResetEvent> stopEvent_;
    // True from BeginWrite until the writer has posted its outcome.
    std::atomic<bool> writing_{false};
};
