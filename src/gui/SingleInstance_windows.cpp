#include "gui/SingleInstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <thread>
#include <windows.h>

namespace zelko6 {

namespace {

// The events of one lock, named after it in this session's namespace: the same lock file, however
// its path is written, gives the same names.
QString eventName(const QString &kind, const QString &lockPath)
{
    const QString lock = QDir::cleanPath(QFileInfo(lockPath).absoluteFilePath()).toLower();
    const QByteArray key = QCryptographicHash::hash(lock.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("Local\\ZELKO6-%1-%2").arg(kind, QString::fromLatin1(key));
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

class Handle {
  public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle()
    {
        if (handle_)
            ::CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HANDLE handle_;
};

// A later start sets the request event; the running instance's waiting thread hands the request to
// the window's thread, which shows the window and then sets the answer event. Both reset themselves
// when a waiter wakes, so each request is one wake-up.
class NamedEventChannel final : public SingleInstanceChannel {
  public:
    NamedEventChannel(const QString &lockPath, QObject *context, std::function<void()> show)
        : requestName_(eventName(QStringLiteral("show"), lockPath)),
          answerName_(eventName(QStringLiteral("shown"), lockPath)), context_(context), show_(std::move(show))
    {
    }

    ~NamedEventChannel() override
    {
        if (!waiter_.joinable())
            return;
        ::SetEvent(quit_.get());
        waiter_.join();
    }

    QString name() const override { return requestName_; }

    void listen() override
    {
        request_ = std::make_unique<Handle>(::CreateEventW(nullptr, FALSE, FALSE, wide(requestName_)));
        answer_ = std::make_unique<Handle>(::CreateEventW(nullptr, FALSE, FALSE, wide(answerName_)));
        if (!*request_ || !*answer_ || !quit_)
            return;
        waiter_ = std::thread([this] { waitForRequests(); });
    }

    bool askToShow(std::chrono::milliseconds limit) const override
    {
        const Handle request(::OpenEventW(EVENT_MODIFY_STATE, FALSE, wide(requestName_)));
        const Handle answer(::OpenEventW(SYNCHRONIZE, FALSE, wide(answerName_)));
        if (!request || !answer)
            return false;
        // The running instance may then bring its window to the front, which Windows otherwise
        // keeps for the program the user is working in (this one).
        ::AllowSetForegroundWindow(ASFW_ANY);
        ::SetEvent(request.get());
        return ::WaitForSingleObject(answer.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
    }

  private:
    void waitForRequests()
    {
        const HANDLE events[] = {quit_.get(), request_->get()};
        while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            // The context owns this channel and drops whatever is still queued for it when it
            // goes, so nothing queued here runs after the channel has gone.
            QMetaObject::invokeMethod(
                context_,
                [this] {
                    show_();
                    ::SetEvent(answer_->get());
                },
                Qt::QueuedConnection);
        }
    }

    QString requestName_;
    QString answerName_;
    QObject *context_;
    std::function<void()> show_;
    Handle quit_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::unique_ptr<Handle> request_;
    std::unique_ptr<Handle> answer_;
    std::thread waiter_;
};

} // namespace

std::unique_ptr<SingleInstanceChannel> makeSingleInstanceChannel(const QString &lockPath, QObject *context,
                                                                 std::function<void()> show)
{
    return std::make_unique<NamedEventChannel>(lockPath, context, std::move(show));
}

} // namespace zelko6
