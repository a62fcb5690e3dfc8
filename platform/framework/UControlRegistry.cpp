#include "platform/framework/UControlRegistry.h"

#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LCicnButton.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LDialogBox.h"
#include "platform/framework/LDisclosureTriangle.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPageController.h"
#include "platform/framework/LPicture.h"
#include "platform/framework/LPlacard.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LRadioGroup.h"
#include "platform/framework/LRadioGroupView.h"
#include "platform/framework/LScrollBar.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LSeparator.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LTabGroup.h"
#include "platform/framework/LTabGroupView.h"
#include "platform/framework/LTableView.h"
#include "platform/framework/LTabsControl.h"
#include "platform/framework/LTextEditView.h"
#include "platform/framework/LTextGroupBox.h"
#include "platform/framework/URegistrar.h"

void UControlRegistry::RegisterClasses()
{
	RegisterClass_(LPushButton);
	RegisterClass_(LBevelButton);
	RegisterClass_(LCheckBox);
	RegisterClass_(LCheckBoxGroupBox);
	RegisterClass_(LRadioButton);
	RegisterClass_(LRadioGroupView);
	RegisterClass_(LRadioGroup);
	RegisterClass_(LPopupButton);
	RegisterClass_(LDisclosureTriangle);
	RegisterClass_(LTabsControl);
	RegisterClass_(LPageController);
	RegisterClass_(LScrollBar);
	RegisterClass_(LEditText);
	RegisterClass_(LTextEditView);
	RegisterClass_(LClock);
	RegisterClass_(LStaticText);
	RegisterClass_(LCaption);
	RegisterClass_(LTextGroupBox);
	RegisterClass_(LSeparator);
	RegisterClass_(LPlacard);
	RegisterClass_(LChasingArrows);
	RegisterClass_(LMultiPanelView);
	RegisterClass_(LScrollerView);
	RegisterClass_(LTableView);
	RegisterClass_(LTabGroup);
	RegisterClass_(LTabGroupView);
	RegisterClass_(LDialogBox);
	RegisterClass_(LPicture);
	RegisterClass_(LCicnButton);
}
