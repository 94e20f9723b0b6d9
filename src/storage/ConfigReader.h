#pragma once

#include <QString>

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
