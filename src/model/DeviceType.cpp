#include "model/DeviceType.h"

QString& TDeviceType::SubName(int k)
{
    switch (k) {
    case 1: return SubName1;
    case 2: return SubName2;
    case 3: return SubName3;
    }
    ZolIndexFailure(k, 1, 3);
}

const QString& TDeviceType::SubName(int k) const
{
    return const_cast<TDeviceType*>(this)->SubName(k);
}
