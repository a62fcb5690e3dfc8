#pragma once
// The colour picker. Tests script the user with queued answers (the picker then returns at once).

#include "platform/toolbox/MacTypes.h"

// True when the user chose a colour, which is then in outColor; false (outColor unchanged) when cancelled.
// The dialog opens on inColor with the prompt (Mac Roman) as its title; where is not used.
Boolean GetColor(Point where, ConstStr255Param prompt, const RGBColor* inColor, RGBColor* outColor);

void QueueColorAnswer(Boolean inChosen, const RGBColor& inColor = RGBColor{});
void ClearColorAnswers();
// When set, a picker that finds no queued answer reports it and cancels instead of waiting for a user.
void SetColorAnswersRequired(Boolean inRequired);
