#pragma once
// The JSON shapes of vellico-cli and of the JSON export:
//   colour:     {"space":"RGB"|"CMYK","components":[c1,c2,c3,c4],"hex":"#RRGGBB","name":…|null,"id":N,"modified":N}
//   collection: {"title":…,"created":N,"modified":N,"colors":[…],"removedIDs":[…]}
//   library:    {"version":"0.3","collections":[…],"removedCollectionIDs":[…]}

#include "core/VQSwatchCore.h"

#include <QJsonArray>
#include <QJsonObject>

namespace VQJson
{
QJsonObject color(const VQColor &color);
QJsonObject collection(const VQSwatchCollection &collection);
QJsonObject library(const VQSwatchCore &core);
QByteArray print(const QJsonObject &object);
QByteArray print(const QJsonArray &array);
} // namespace VQJson
