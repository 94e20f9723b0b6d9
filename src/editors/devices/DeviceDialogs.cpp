#include "editors/devices/DeviceDialogs.h"

#include "editors/common/EditorContext.h"
#include "editors/devices/DeviceConfig.h"
#include "editors/devices/IOConfig.h"
#include "model/Data.h"

bool UsesIOConfig(const TQEMLoop& loop, int point)
{
    if (!loop.IsEditable(point))
        return false;
    const int deviceClass = loop.DeviceClass(point);
    return deviceClass == dcInputOutput || deviceClass == dcSwitchMonitor
        || deviceClass == dcZoneMonitor || loop.Devices[point].TypeCode == SounderControllerGroupsCode;
}

bool EditDevices(TEditorContext& context, int loop, int address, QWidget* parent)
{
    TData& data = context.Data;
    TQEMLoop& l = data.Loop(loop);
    TDeviceConfig deviceConfig(context, parent);
    TIOConfig ioConfig(context, parent);
    int point = address > l.NoLoopDevices() ? 1 : address <= 0 ? l.NoLoopDevices() : address;
    bool wrote = false;
    for (;;) {
        TDocEdit edit(data, LoopPart(loop) | dpNames, PointLabel(loop, point));
        int result = ddrCancel;
        bool editable = true;
        if (UsesIOConfig(l, point)) {
            ioConfig.Open(loop, point);
            result = ioConfig.exec();
        } else {
            deviceConfig.Open(loop, point);
            editable = deviceConfig.Editable();
            result = deviceConfig.exec();
        }
        if (result == ddrCancel) {
            edit.Unchanged();
            return wrote;
        }
        // Stepping over empty addresses changes nothing.
        if (editable) {
            data.RebuildNameTable();
            wrote = true;
        } else {
            edit.Unchanged();
        }
        if (result == ddrNext) {
            if (point < l.NoLoopDevices())
                ++point;
        } else if (result == ddrPrev) {
            if (point >= 2)
                --point;
        } else {
            return wrote;
        }
    }
}
