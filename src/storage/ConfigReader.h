#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

class TData;
class TProfileFile;
class TPrompts;

inline const QString ConvertQuestion =
    QStringLiteral("Do you want to convert from this QEM configuration file?");

// A value that stops the reading: the message names the section, the key and the value.
class TConfigReadError : public std::runtime_error {
public:
    explicit TConfigReadError(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message)
    {
    }
    QString Message;
};

// Reads a validated configuration profile into target, which should be a staging copy of the
// open document: the loop protocol and the slots beyond the protocol's points carry over from
// it. comments is the content of the comments file (empty when there is none). Asks the
// conversion question of older files through prompts. Throws TConfigReadError.
void ReadConfiguration(const TProfileFile& profile, const QString& comments, TData& target,
                       TPrompts& prompts);

// The largest configuration file and line read at all: anything larger is no configuration
// these tools wrote, and reading it would take memory without bound.
inline constexpr qint64 MaxConfigFileBytes = 16 * 1024 * 1024;
inline constexpr qsizetype MaxConfigLineBytes = 64 * 1024;
// Why a file of this size, or with these bytes, is refused before it is parsed; empty when
// it is not.
QString ConfigSizeRefusal(qint64 size);
QString ConfigLineRefusal(const QByteArray& bytes);

// The sections every configuration these tools save has, missing from a file that looks saved
// by them (its header names the firmware version) or that ends part-way through a line: most
// likely a file cut off. Empty for anything else (hand-made and older files are left alone).
QStringList MissingConfigSections(const TProfileFile& profile, const QByteArray& bytes);
// The warning shown before such a file is opened.
QString MissingSectionsWarning(const QString& path, const QStringList& missing);
