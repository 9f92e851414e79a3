#include "core/programmer/SystemSerialLink.h"

#include "core/programmer/DeviceAccess.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

#include <windows.h>

namespace zelko6 {

namespace {

constexpr DWORD kBaudRate = 57600;
// A wire element is a few bytes (a chunk is 16 bytes, 3 ms at 57600 bit/s); a port that has not
// taken one in two seconds is not going to.
constexpr DWORD kWriteLimitMs = 2000;
constexpr DWORD kReadChunk = 4096;

// The serial link on a Win32 port. Received bytes are collected by a thread of the link's own
// that keeps one read pending on the port, waiting on an event, and hands what arrives to the
// link's thread under a lock, waking that thread's event loop. QSerialPort keeps its read pending
// through WaitCommEvent on an I/O completion port instead; the Wine that the tests run the
// Windows build on blocks that call and never completes it, and this way works the same on both.
class Win32SerialLink final : public SerialLink {
  public:
    explicit Win32SerialLink(PortResolver resolver) : resolver_(std::move(resolver)) {}
    ~Win32SerialLink() override { close(); }

    QString deviceFor(int portNumber) const override { return resolver_.device(portNumber); }
    std::optional<OpenFailure> open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return port_ != INVALID_HANDLE_VALUE; }

    void setInputMode(InputMode mode) override { mode_ = mode; }
    InputMode inputMode() const override { return mode_; }

    void discardInput() override;
    int pendingCount() override;
    void send(const QByteArray &element) override;
    QByteArray takeAll() override;
    bool lost() const override { return lost_; }

  private:
    void readLoop();
    bool configure(const PortSettings &settings);
    void received(const char *bytes, DWORD count);
    void markLost();

    PortResolver resolver_;
    QString device_;
    InputMode mode_ = InputMode::Binary;
    HANDLE port_ = INVALID_HANDLE_VALUE;
    HANDLE readEvent_ = nullptr;
    HANDLE writeEvent_ = nullptr;
    HANDLE stopEvent_ = nullptr;
    DCB restoredState_ = {};
    COMMTIMEOUTS restoredTimeouts_ = {};
    std::thread reader_;
    std::mutex mutex_;
    QByteArray input_;              // guarded by mutex_
    std::unique_ptr<QObject> wake_; // lives on the link's thread; an event to it ends an idle wait
    std::atomic<bool> lost_ = false;
};

// What the system calls the port, "\\.\COM12" for "COM12": the short name alone reaches only
// COM1..COM9.
QString systemLocation(const QString &device)
{
    return device.startsWith(QLatin1String("\\\\")) ? device : QStringLiteral("\\\\.\\") + device;
}

HANDLE newEvent(bool manualReset)
{
    return ::CreateEventW(nullptr, manualReset ? TRUE : FALSE, FALSE, nullptr);
}

void closeEvent(HANDLE &event)
{
    if (event)
        ::CloseHandle(event);
    event = nullptr;
}

} // namespace

std::optional<OpenFailure> Win32SerialLink::open(const PortSettings &settings)
{
    close();
    lost_ = false;
    device_ = settings.device.isEmpty() ? resolver_.device(settings.portNumber) : settings.device;
    const QString location = systemLocation(device_);
    port_ = ::CreateFileW(reinterpret_cast<const wchar_t *>(location.utf16()), GENERIC_READ | GENERIC_WRITE,
                          0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port_ == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Windows says the same for a port another program holds and one the user may not open
        // (Busy); openFailure tells the two apart.
        const OpenFailure::Kind kind =
            error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND     ? OpenFailure::Kind::NotFound
            : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? OpenFailure::Kind::Busy
                                                                               : OpenFailure::Kind::Other;
        return openFailure(kind, device_, qt_error_string(static_cast<int>(error)));
    }
    if (!configure(settings)) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(port_);
        port_ = INVALID_HANDLE_VALUE;
        return openFailure(OpenFailure::Kind::Other, device_, qt_error_string(static_cast<int>(error)));
    }
    readEvent_ = newEvent(true);
    writeEvent_ = newEvent(true);
    stopEvent_ = newEvent(true);
    wake_ = std::make_unique<QObject>();
    reader_ = std::thread([this] { readLoop(); });
    return std::nullopt;
}

bool Win32SerialLink::configure(const PortSettings &settings)
{
    DCB state = {};
    state.DCBlength = sizeof state;
    if (!::GetCommState(port_, &state))
        return false;
    restoredState_ = state;
    state.BaudRate = kBaudRate;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
    state.fBinary = TRUE;
    state.fParity = FALSE;
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDsrSensitivity = FALSE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fErrorChar = FALSE;
    state.fNull = FALSE;
    state.fAbortOnError = FALSE;
    state.fDtrControl = DTR_CONTROL_DISABLE;
    state.fRtsControl = RTS_CONTROL_DISABLE;
    if (!::SetCommState(port_, &state))
        return false;
    if (!::GetCommTimeouts(port_, &restoredTimeouts_))
        return false;
    // No time-outs: a read ends when its bytes are there, a write when the driver has them.
    COMMTIMEOUTS timeouts = {};
    if (!::SetCommTimeouts(port_, &timeouts))
        return false;
    // Some adapters have no modem lines; the board works without them, so a refusal here is no
    // failure of the port.
    ::EscapeCommFunction(port_, settings.rtsEnable ? SETRTS : CLRRTS);
    ::EscapeCommFunction(port_, settings.dtrEnable ? SETDTR : CLRDTR);
    ::PurgeComm(port_, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return true;
}

void Win32SerialLink::readLoop()
{
    char chunk[kReadChunk];
    for (;;) {
        // One byte is waited for; whatever came with it is then taken at once.
        DWORD wanted = 1;
        COMSTAT status = {};
        if (::ClearCommError(port_, nullptr, &status) && status.cbInQue > 0)
            wanted = std::min<DWORD>(status.cbInQue, kReadChunk);
        OVERLAPPED overlapped = {};
        overlapped.hEvent = readEvent_;
        ::ResetEvent(readEvent_);
        DWORD count = 0;
        if (!::ReadFile(port_, chunk, wanted, &count, &overlapped)) {
            if (::GetLastError() != ERROR_IO_PENDING)
                return markLost();
            const HANDLE waits[] = {readEvent_, stopEvent_};
            if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                ::CancelIoEx(port_, &overlapped);
                ::GetOverlappedResult(port_, &overlapped, &count, TRUE);
                return;
            }
            if (!::GetOverlappedResult(port_, &overlapped, &count, FALSE)) {
                // Discarding the input aborts a pending read; the next one starts at once.
                if (::GetLastError() == ERROR_OPERATION_ABORTED)
                    continue;
                return markLost();
            }
        }
        if (count > 0)
            received(chunk, count);
    }
}

void Win32SerialLink::received(const char *bytes, DWORD count)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        input_.append(bytes, static_cast<qsizetype>(count));
    }
    QCoreApplication::postEvent(wake_.get(), new QEvent(QEvent::User));
}

void Win32SerialLink::markLost()
{
    lost_ = true;
    QCoreApplication::postEvent(wake_.get(), new QEvent(QEvent::User));
}

void Win32SerialLink::close()
{
    if (!isOpen())
        return;
    // Queued output must be on the wire before the port closes: a write's last chunk would be
    // lost otherwise.
    if (!lost_)
        ::FlushFileBuffers(port_);
    ::SetEvent(stopEvent_);
    if (reader_.joinable())
        reader_.join();
    ::SetCommState(port_, &restoredState_);
    ::SetCommTimeouts(port_, &restoredTimeouts_);
    ::CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
    closeEvent(readEvent_);
    closeEvent(writeEvent_);
    closeEvent(stopEvent_);
    wake_.reset();
    const std::lock_guard<std::mutex> lock(mutex_);
    input_.clear();
}

void Win32SerialLink::discardInput()
{
    if (!isOpen())
        return;
    ::PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
    const std::lock_guard<std::mutex> lock(mutex_);
    input_.clear();
}

int Win32SerialLink::pendingCount()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(input_.size());
}

QByteArray Win32SerialLink::takeAll()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(input_, QByteArray());
}

void Win32SerialLink::send(const QByteArray &element)
{
    if (!isOpen() || lost_ || element.isEmpty())
        return;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = writeEvent_;
    ::ResetEvent(writeEvent_);
    DWORD written = 0;
    if (!::WriteFile(port_, element.constData(), static_cast<DWORD>(element.size()), &written, &overlapped)) {
        if (::GetLastError() != ERROR_IO_PENDING)
            return markLost();
        if (::WaitForSingleObject(writeEvent_, kWriteLimitMs) != WAIT_OBJECT_0) {
            ::CancelIoEx(port_, &overlapped);
            ::GetOverlappedResult(port_, &overlapped, &written, TRUE);
            return markLost();
        }
        if (!::GetOverlappedResult(port_, &overlapped, &written, FALSE))
            return markLost();
    }
    if (written != static_cast<DWORD>(element.size()))
        markLost();
}

std::unique_ptr<SerialLink> makeSystemSerialLink(PortResolver resolver)
{
    return std::make_unique<Win32SerialLink>(std::move(resolver));
}

} // namespace zelko6
