#include "AssemblyAids.h"

#include "CommandReports.h"
#include "EditorCommands.h"
#include "PivotSetting.h"
#include "TBarraDeEstado.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "controls/TMulfig.h"
#include "document/GrabGeometry.h"
#include "document/SelectionTools.h"
#include "gl/CameraMoves.h"
#include "gl/Picking.h"

void TogglePivot(TFEditorDeObjetos1& w, CommandCall& call) {
  w.assembly_.commonPivot = !w.assembly_.commonPivot;
  RememberCommonPivot(w.assembly_.commonPivot);
  call.report = PivotText(w.assembly_.commonPivot);
}

void DuplicateAndFollow(TFEditorDeObjetos1& w, CommandCall& call) {
  StopFollowing(w, false);
  if (!DuplicateSelection(w.doc)) return;
  w.MMovimento1->setValor(kMove);
  call.report = CountReport(w.doc.SelectionCount(), Counted::Duplicated);
  // The copies are grabbed where the pointer's ray meets the level of the
  // last one's centre, as a press there would grab them in the XZ mode.
  const Element3D& lead = w.doc.Element(w.doc.SelectedIndex(w.doc.SelectionCount() - 1));
  const QPoint at = w.PointerInPanel();
  double origin[3], direction[3], hit[3];
  bool ray = false;
  w.Tela1->WithContext([&] { ray = PixelRay(*w.view, at.x(), at.y(), origin, direction); });
  if (!ray || !RayMeetsLevel(origin, direction, lead.y, kFarthestZoom, hit)) return;
  for (int a = 0; a < 3; ++a) w.grabPoint_[a] = hit[a];
  w.grabSides_ = {};
  w.grabRecords_.clear();
  for (int32_t k = w.doc.SelectionCount() - 1; k >= 0; --k) {
    const int32_t i = w.doc.SelectedIndex(k);
    w.grabRecords_.emplace_back(i, w.doc.Element(i));
  }
  w.GatherSnapTargets();
  w.assembly_.following = true;
  w.assembly_.countWhenFollowing = w.doc.Count();
}

void FollowPointer(TFEditorDeObjetos1& w, int x, int y) {
  AssemblyAids& a = w.assembly_;
  if (!a.following) return;
  // Something else took the document on (a load, an undo from outside the
  // commands): the copies' indices may name other elements now.
  if (w.doc.Count() != a.countWhenFollowing || w.grabRecords_.empty()) {
    a.following = false;
    return;
  }
  GrabTravel travel;
  if (w.GrabTravelTo(x, y, kMove, kAxisXZ, travel)) w.DragSelectionStep(kMove, kAxisXZ, travel);
}

void StopFollowing(TFEditorDeObjetos1& w, bool back) {
  AssemblyAids& a = w.assembly_;
  if (!a.following) return;
  a.following = false;
  if (back && w.doc.Count() == a.countWhenFollowing)
    for (const auto& [i, atDuplicate] : w.grabRecords_)
      if (i >= 0 && i < w.doc.Count()) w.doc.Element(i) = atDuplicate;
  w.grabRecords_.clear();
  w.snapTargets_.clear();
  w.scene.snapShown = false;
  w.Redraw();
}
