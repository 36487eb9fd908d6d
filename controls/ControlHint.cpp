#include "ControlHint.h"

#include <QObject>
#include <QVariant>

#include "ControlText.h"

std::string Hint(const QObject* object) {
  if (!object) return {};
  return ToLatin1(object->property("hint").toString());
}

void SetHint(QObject* object, const std::string& hint) {
  if (object) object->setProperty("hint", FromLatin1(hint));
}

int Tag(const QObject* object) { return object ? object->property("Tag").toInt() : 0; }

void SetTag(QObject* object, int tag) {
  if (object) object->setProperty("Tag", tag);
}
