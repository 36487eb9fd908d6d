#pragma once
#include <string>

class QObject;

// Forms keep the Portuguese text in a control's caption and the alternate
// text in its hint. The hint is a dynamic property "hint" (Latin-1), kept
// apart from the tool tip so that it is never shown by accident.
std::string Hint(const QObject* object);
void SetHint(QObject* object, const std::string& hint);

// The integer tag forms use to mark controls (TVSplit reads it to order its
// panes): dynamic property "Tag", 0 when unset.
int Tag(const QObject* object);
void SetTag(QObject* object, int tag);
