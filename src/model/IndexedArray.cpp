#include "model/IndexedArray.h"

#include <QtGlobal>

void ZolIndexFailure(int index, int first, int last)
{
    qFatal("Table index %d outside %d..%d", index, first, last);
}
