#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "common/TIMem32.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"

namespace {
Element3D Ordinary() {
  Element3D e{};
  e.dx = e.dy = e.dz = 2;
  e.topPercent = 100;
  return e;
}
}  // namespace

// Every number an element is drawn from must be finite and below the bound: one bad field spoils it.
TEST(ElementSanity, EveryNumberMustBeFiniteAndBelowTheBound) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (const size_t at :
       {offsetof(Element3D, dx), offsetof(Element3D, dy), offsetof(Element3D, dz), offsetof(Element3D, x),
        offsetof(Element3D, y), offsetof(Element3D, z), offsetof(Element3D, axy), offsetof(Element3D, ayz),
        offsetof(Element3D, axz), offsetof(Element3D, chamfer), offsetof(Element3D, topPercent)})
    for (const double bad : {nan, -nan, inf, -inf, kMaxElementValue, -1e10, 1e300}) {
      Element3D e = Ordinary();
      std::memcpy(reinterpret_cast<uint8_t*>(&e) + at, &bad, sizeof bad);
      EXPECT_FALSE(IsDrawableElement(e)) << "offset " << at << " value " << bad;
    }
  // Just inside the bound, and the odd but harmless values, are drawable.
  Element3D e = Ordinary();
  EXPECT_TRUE(IsDrawableElement(e));
  e.x = std::nextafter(kMaxElementValue, 0);
  e.axy = -std::nextafter(kMaxElementValue, 0);
  e.dx = -5;
  e.dy = 0;
  e.chamfer = std::numeric_limits<double>::denorm_min();
  EXPECT_TRUE(IsDrawableElement(e));

  TIMem32 store("t");
  store.RecordSize = kElementRecordSize;
  store.SetCount(4);
  for (int i = 0; i < 4; ++i) store.As<Element3D>(i) = Ordinary();
  store.As<Element3D>(1).y = nan;
  store.As<Element3D>(2).dz = 1e12;
  store.As<Element3D>(3).axz = -inf;
  store.As<Element3D>(3).invisible = 1;  // never drawn, so never counted
  EXPECT_EQ(CountUndrawableElements(store), 2);
}
