#pragma once
#include <memory>

class QGuiApplication;

// Qt for painting labels and encoding images, with no display: the offscreen
// platform, and Qt's own messages silenced, since a batch command's failure
// is one line.
std::unique_ptr<QGuiApplication> StartOffscreenPainting();
