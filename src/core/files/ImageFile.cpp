#include "core/files/ImageFile.h"

#include "core/base/PathKind.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>

namespace zelko6 {

namespace {

// Passes on at most `limit` bytes of another device. Asked for more while the other device still
// has some, it fails the read, so that any reader stops there, and remembers why.
class BoundedDevice final : public QIODevice {
  public:
    BoundedDevice(QIODevice &inner, int64_t limit) : inner_(inner), left_(limit)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool exceeded() const { return exceeded_; }

    bool isSequential() const override { return true; }
    // A binary image's reader names the length of a file it refuses.
    qint64 size() const override { return inner_.size(); }

  protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (left_ == 0) {
            char probe = 0;
            const qint64 more = inner_.read(&probe, 1);
            if (more <= 0)
                return passOn(more);
            exceeded_ = true;
            return -1;
        }
        const qint64 got = inner_.read(data, std::min<qint64>(maxSize, left_));
        if (got > 0)
            left_ -= got;
        return passOn(got);
    }
    qint64 writeData(const char *, qint64) override { return -1; }

  private:
    qint64 passOn(qint64 result)
    {
        if (result < 0)
            setErrorString(inner_.errorString());
        return result;
    }

    QIODevice &inner_;
    int64_t left_;
    bool exceeded_ = false;
};

} // namespace

FileRefusal refusalBeforeOpening(const QString &path)
{
    switch (pathKindOf(path)) {
    case PathKind::Folder:
        return {FileRefusal::Kind::Folder, {}, 0};
    case PathKind::Other:
        return {FileRefusal::Kind::NotAFile, {}, 0};
    case PathKind::Missing:
    case PathKind::RegularFile:
        break;
    }
    return {};
}

ImageFileRead readImageFrom(QIODevice &device, ImageFormat format, MemoryBuffer &image)
{
    const int64_t limit = longestImageFile(format, image.size());
    BoundedDevice bounded(device, limit);
    ImageFileRead read{{}, fileFormat(format).read(bounded, image)};
    if (bounded.exceeded())
        read.refusal = {FileRefusal::Kind::TooLong, {}, limit};
    return read;
}

ImageFileRead readImageFile(const QString &path, ImageFormat format, MemoryBuffer &image)
{
    // Checked before the file is opened: opening a FIFO without a writer would wait for good.
    if (FileRefusal refusal = refusalBeforeOpening(path); refusal.refused())
        return {refusal, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{FileRefusal::Kind::CannotOpen, file.errorString(), 0}, {}};
    return readImageFrom(file, format, image);
}

SaveOutcome saveImageFile(const MemoryBuffer &image, ImageFormat format, const QString &path)
{
    return saveFileAtomically(path, fileFormat(format).write(image));
}

} // namespace zelko6
