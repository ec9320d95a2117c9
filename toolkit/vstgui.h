// The widget toolkit in one include: views and containers, the frame and
// its platform view, controls (knob, kick button, display, text edit),
// bitmaps and resources, drawing contexts and fonts.
#pragma once

#include "CBaseObject.h"
#include "CBitmap.h"
#include "CColor.h"
#include "CControl.h"
#include "CControlListener.h"
#include "CDragContainer.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "CFrame.h"
#include "CKickButton.h"
#include "CKnob.h"
#include "CLinuxNativeView.h"
#include "CParamDisplay.h"
#include "CPoint.h"
#include "CRect.h"
#include "CResourceBundle.h"
#include "CResourceDescription.h"
#include "CTextEdit.h"
#include "CView.h"
#include "CViewContainer.h"
#include "IMultiBitmapControl.h"
#include "VSTGUIEditorInterface.h"
#include "VSTGUITypes.h"
