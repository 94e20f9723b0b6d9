#pragma once

class TData;
class TProfileFile;

// Writes the whole document into a profile, in the order stored files have their keys, over
// whatever the profile already holds (keys we do not write stay where they are).
void WriteConfiguration(const TData& document, TProfileFile& profile);
