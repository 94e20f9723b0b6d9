#include "sim/PtyPanel.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString SystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

TPtyPanel::TPtyPanel(std::shared_ptr<TPanelEmulator> emulator)
    : emulator_(std::move(emulator)),
      toPanel_([this](const QByteArray& bytes, const TLineSettings& settings) {
          emulator_->ReceiveFromTool(bytes, settings);
      }),
      toTool_([this](const QByteArray& bytes, const TLineSettings&) { WriteMaster(bytes); })
{
}

TPtyPanel::~TPtyPanel()
{
    CloseEnd();
    if (!link_.isEmpty())
        QFile::remove(link_);
}

void TPtyPanel::CloseEnd()
{
    emulator_->SendToTool = nullptr;
    notifier_.reset();
    toPanel_.Clear();
    toTool_.Clear();
    if (slaveKeeper_ >= 0)
        ::close(slaveKeeper_);
    if (master_ >= 0)
        ::close(master_);
    slaveKeeper_ = master_ = -1;
}

bool TPtyPanel::Restart(QString* error)
{
    CloseEnd();
    emulator_->Restart();
    if (!Start(error))
        return false;
    return link_.isEmpty() || LinkAt(link_, error);
}

bool TPtyPanel::Start(QString* error)
{
    auto fail = [error](const char* what) {
        if (error)
            *error = SystemError(what);
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return fail("grantpt/unlockpt");
    const char* name = ::ptsname(master_);
    if (!name)
        return fail("ptsname");
    deviceName_ = QString::fromLocal8Bit(name);
    // Keep the slave side open ourselves: otherwise the master reads fail (EIO) whenever the
    // tool has the port closed, and the line would echo until the tool makes it raw.
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slaveKeeper_ < 0)
        return fail("open slave");
    termios raw{};
    if (::tcgetattr(slaveKeeper_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(slaveKeeper_, TCSANOW, &raw);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    emulator_->SendToTool = [this](const QByteArray& bytes) {
        toTool_.SetBitRate(emulator_->WireBitRate());
        toTool_.Push(bytes);
    };
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadMaster(); });
    return true;
}

bool TPtyPanel::LinkAt(const QString& path, QString* error)
{
    QFile::remove(path);
    if (!QFile::link(deviceName_, path)) {
        if (error)
            *error = QStringLiteral("cannot create the link %1").arg(path);
        return false;
    }
    link_ = path;
    return true;
}

void TPtyPanel::ReadMaster()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        toPanel_.SetBitRate(emulator_->WireBitRate());
        toPanel_.Push(QByteArray(buffer, static_cast<qsizetype>(n)));
    }
}

void TPtyPanel::WriteMaster(const QByteArray& bytes)
{
    qsizetype done = 0;
    int attempts = 0;
    while (done < bytes.size() && attempts < 100) {
        const ssize_t n = ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else {
            ++attempts;
            ::usleep(1000);
        }
    }
}
