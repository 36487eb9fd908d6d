#include "EditorProbe.h"

#include <QLabel>
#include <QStatusBar>

#include "document/EditorDocument.h"
#include "gl/SceneFrame.h"

int32_t EditorProbe::Count() const { return doc_.Count(); }
Element3D EditorProbe::Element(int32_t i) const { return doc_.elements.As<Element3D>(i); }
bool EditorProbe::IsInvisible(int32_t i) const { return doc_.IsInvisible(i); }
Element3D EditorProbe::Template() const { return doc_.templ; }
const std::string& EditorProbe::FileName() const { return doc_.fileName; }
double EditorProbe::EditStep(int axis) const { return doc_.editStep[axis]; }

int32_t EditorProbe::SelectionCount() const { return doc_.SelectionCount(); }
int32_t EditorProbe::SelectedIndex(int32_t k) const { return doc_.SelectedIndex(k); }
bool EditorProbe::IsSelected(int32_t i) const { return doc_.IsSelected(i); }
std::vector<bool> EditorProbe::SelectionMask() const { return doc_.SelectionMask(); }

int32_t EditorProbe::UndoCount() const { return doc_.UndoCount(); }
int32_t EditorProbe::RedoCount() const { return doc_.RedoCount(); }
int32_t EditorProbe::UndoDepth() const { return doc_.UndoDepth(); }

bool EditorProbe::SnapOutlineShown() const { return scene_.snapShown; }
bool EditorProbe::FramePending() const { return scene_.edited; }

QString EditorProbe::StatusLine() const { return statusLine_.text(); }
QString EditorProbe::Message() const { return messages_.currentMessage(); }
