#include "editors/loop/DeviceButtons.h"

#include "model/DeviceCatalogue.h"
#include "storage/ProfileFile.h"

#include <algorithm>

namespace {

constexpr int DefaultButtons = 6;
constexpr int NoMatch = 9999;

QString Key(const char* name, int n)
{
    return QString::fromLatin1(name) + QString::number(n);
}

} // namespace

int DeviceCodeFromFile(int value)
{
    return value >= 0 && value < NotFittedCode ? value : NotFittedCode;
}

QString TDeviceButtons::SectionName(TSystemType type)
{
    return SystemTypeName(type);
}

TDeviceButtons TDeviceButtons::Load(const QString& iniPath, TSystemType type)
{
    TDeviceButtons result;
    result.type_ = type;
    const QString section = SectionName(type);
    if (section.isEmpty())
        return result;

    // An unreadable file is treated as a missing one: the defaults still give a toolbar.
    TProfileFile ini;
    ini.LoadFromFile(iniPath);

    const int declared = ini.ReadInteger(section, QStringLiteral("No_Of_Buttons"), DefaultButtons);
    const int count = std::clamp(declared, 0, MaxButtons);
    for (int n = 1; n <= count; ++n) {
        TDeviceButton button;
        button.Image = ini.ReadInteger(section, Key("ButtonImage", n), 1);
        button.TypeCode = DeviceCodeFromFile(ini.ReadInteger(section, Key("Type", n), 1));
        const QString buttonSection = section + QStringLiteral(" Button") + QString::number(n);
        const int variants = ini.ReadInteger(buttonSection, QStringLiteral("No_Of_Variants"), 1);
        for (int v = 1; v <= variants && v <= 255; ++v) {
            TDeviceVariant variant;
            variant.Description = ini.ReadString(buttonSection, Key("Description", v), QString());
            variant.TypeCode = DeviceCodeFromFile(ini.ReadInteger(buttonSection, Key("Type", v), 0));
            variant.Image = ini.ReadInteger(buttonSection, Key("Image", v), 1);
            button.Variants.append(variant);
        }
        result.buttons_.append(button);
    }

    // Icons follow every button the file declares, in file order; the last match wins.
    for (int n = 1; n <= std::clamp(declared, 0, 255); ++n) {
        const QString buttonSection = section + QStringLiteral(" Button") + QString::number(n);
        const int variants = ini.ReadInteger(buttonSection, QStringLiteral("No_Of_Variants"), 1);
        for (int v = 1; v <= variants && v <= 255; ++v) {
            const int code = ini.ReadInteger(buttonSection, Key("Type", v), NoMatch);
            if (code >= 0 && code <= 255)
                result.icons_[static_cast<std::size_t>(code)] =
                    ini.ReadInteger(buttonSection, Key("DImage", v), 0);
        }
    }
    return result;
}

int TDeviceButtons::IconIndex(int typeCode) const
{
    if (typeCode < 0 || typeCode > 255)
        return NoIcon;
    return icons_[static_cast<std::size_t>(typeCode)];
}
