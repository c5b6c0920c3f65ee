// The library headers every static library of ours precompiles: the standard library and the Qt modules it links.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#ifdef QT_WIDGETS_LIB
#include <QWidget>
#endif
