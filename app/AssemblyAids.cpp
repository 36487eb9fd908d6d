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

void TFEditorDeObjetos1::TogglePivot(CommandCall& call) {
  assembly_.commonPivot = !assembly_.commonPivot;
  RememberCommonPivot(assembly_.commonPivot);
  call.report = PivotText(assembly_.commonPivot);
}

void TFEditorDeObjetos1::DuplicateAndFollow(CommandCall& call) {
  StopFollowing(false);
  if (!DuplicateSelection(doc)) return;
  MMovimento1->setValor(kMove);
  call.report = CountReport(doc.SelectionCount(), Counted::Duplicated);
  // The copies are grabbed where the pointer's ray meets the level of the
  // last one's centre, as a press there would grab them in the XZ mode.
  const Element3D& lead = doc.Element(doc.SelectedIndex(doc.SelectionCount() - 1));
  const QPoint at = PointerInPanel();
  double origin[3], direction[3], hit[3];
  bool ray = false;
  Tela1->WithContext([&] { ray = PixelRay(*view, at.x(), at.y(), origin, direction); });
  if (!ray || !RayMeetsLevel(origin, direction, lead.y, kFarthestZoom, hit)) return;
  for (int a = 0; a < 3; ++a) grabPoint_[a] = hit[a];
  grabSides_ = {};
  grabRecords_.clear();
  for (int32_t k = doc.SelectionCount() - 1; k >= 0; --k) {
    const int32_t i = doc.SelectedIndex(k);
    grabRecords_.emplace_back(i, doc.Element(i));
  }
  GatherSnapTargets();
  assembly_.following = true;
  assembly_.countWhenFollowing = doc.Count();
}

void TFEditorDeObjetos1::FollowPointer(int x, int y) {
  AssemblyAids& a = assembly_;
  if (!a.following) return;
  // Something else took the document on (a load, an undo from outside the
  // commands): the copies' indices may name other elements now.
  if (doc.Count() != a.countWhenFollowing || grabRecords_.empty()) {
    a.following = false;
    return;
  }
  GrabTravel travel;
  if (GrabTravelTo(x, y, kMove, kAxisXZ, travel)) DragSelectionStep(kMove, kAxisXZ, travel);
}

void TFEditorDeObjetos1::StopFollowing(bool back) {
  AssemblyAids& a = assembly_;
  if (!a.following) return;
  a.following = false;
  if (back && doc.Count() == a.countWhenFollowing)
    for (const auto& [i, atDuplicate] : grabRecords_)
      if (i >= 0 && i < doc.Count()) doc.Element(i) = atDuplicate;
  grabRecords_.clear();
  snapTargets_.clear();
  scene.snapShown = false;
  Redraw();
}
