#include "storage/PortSettings.h"

#include <QRegularExpression>
#include <QSettings>

namespace {

QString PathKey(int comPort)
{
    return QStringLiteral("DevicePaths/COM") + QString::number(comPort);
}

} // namespace

TPortSettings::TPortSettings()
    : own_(std::make_unique<QSettings>(QStringLiteral("Brenmoor"), QStringLiteral("QEM Tools"))),
      store_(*own_)
{
}

TPortSettings::TPortSettings(QSettings& store) : store_(store) {}

TPortSettings::~TPortSettings() = default;

int TPortSettings::StoredPort() const
{
    bool ok = false;
    const int port = store_.value(QStringLiteral("Port"), 1).toInt(&ok);
    return ok ? port : 1;
}

std::optional<int> TPortSettings::ComPortForChoice(int stored)
{
    if (stored >= 1 && stored <= 3)
        return stored;
    if (stored >= 4 && stored <= 6)
        return 4;
    return std::nullopt;
}

void TPortSettings::SavePortChoice(int port)
{
    store_.setValue(QStringLiteral("Port"), port);
    store_.sync();
}

QString TPortSettings::DevicePath(int comPort) const
{
    const QString fallback = QStringLiteral("/dev/ttyS") + QString::number(comPort - 1);
    return store_.value(PathKey(comPort), fallback).toString();
}

void TPortSettings::SetDevicePath(int comPort, const QString& path)
{
    store_.setValue(PathKey(comPort), path);
    store_.sync();
}

QString TPortSettings::ResolvePortName(const QString& name) const
{
    static const QRegularExpression comName(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comName.match(name.trimmed());
    if (m.hasMatch())
        return DevicePath(m.captured(1).toInt());
    return name;
}
