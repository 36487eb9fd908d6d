#pragma once
#include <cstdint>

// What building from parts keeps on the window: the pivot turns go about,
// and a fresh duplicate that follows the pointer until a click places it
// (the window's TogglePivot, DuplicateAndFollow, FollowPointer and
// StopFollowing, in AssemblyAids.cpp).
struct AssemblyAids {
  bool commonPivot = false;        // turns go about the selection's common centre
  bool following = false;          // the copies move with the pointer (XZ grab)
  int32_t countWhenFollowing = 0;  // a document that changed size ends it
};
