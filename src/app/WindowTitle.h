#pragma once

#include <QString>

class TData;

// "ZOL Programming Tools 4.7 - " and the file (or "New file"), " - Modified" while unsaved.
QString WindowTitle(const TData& data);
