#pragma once
// A control given the object name by which tests and the accessibility tools find it.

#include <QLatin1String>
#include <QObject>

namespace vantoli {

template <typename Object>
Object* named(Object* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

}  // namespace vantoli
