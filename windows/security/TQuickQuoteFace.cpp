#include "windows/security/TQuickQuoteFace.h"

#include "windows/security/TDetailWindow.h"

LCommander* TQuickQuoteFace::GetCommander()
{
	return mWindow;
}

void TQuickQuoteFace::Show()
{
	mWindow->Show();
}

void TQuickQuoteFace::Select()
{
	mWindow->Select();
}

void TQuickQuoteFace::Activate()
{
	mWindow->Activate();
}

void TQuickQuoteFace::AttemptClose()
{
	mWindow->AttemptClose();
}

void TQuickQuoteFace::Delete()
{
	mWindow->DoClose();
}

void TQuickQuoteFace::Update()
{
	mWindow->Update();
}

void TQuickQuoteFace::UpdateMe()
{
	mWindow->UpdateMe();
}
