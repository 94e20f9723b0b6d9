#pragma once

#include <QStringList>

// The sections every saved configuration has that the file at path lacks when it looks cut
// off (see MissingConfigSections); empty otherwise or when it cannot be read.
QStringList CutOffSections(const QString& path);
