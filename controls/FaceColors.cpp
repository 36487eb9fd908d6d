#include "FaceColors.h"

TColor CorFaceMulfig = clBtnFace;
TColor CorFaceSpin = clBtnFace;
