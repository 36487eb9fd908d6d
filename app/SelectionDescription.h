#pragma once
#include <string>

class EditorDocument;

// The selection in words, for assistive tools (the view's description):
// how many elements are selected, the first one's name, and the position
// (centre) and size of the box around them all, in the interface language.
// Latin-1.
std::string DescribeSelection(const EditorDocument& doc);
