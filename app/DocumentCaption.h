#pragma once
#include <QString>
#include <string>

// The window's caption for a document: the product's name, then the
// document's file name (the system's bytes), or the interface language's
// word for "no file" when it is untitled.
QString DocumentCaption(const std::string& path);
