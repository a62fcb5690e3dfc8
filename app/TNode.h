#pragma once
// A node of the plug-in's content tree with its per-ticker flags (whether it was chosen for a ticker).

#include "Includes/IContentTree.h"

#include <vector>

struct tActiveTicker {
	UInt32 tickerID = 0;
	UInt8 active = 0;
};

class TNode : public IContentDescription
{
public:
	TNode() = default;
	TNode(const TNode&) = delete;
	TNode& operator=(const TNode&) = delete;

	// A ticker never asked about is remembered as not chosen.
	bool GetActive(unsigned long tickerID) override;
	void SetActive(unsigned long tickerID, bool active) override;
	UInt32 GetPluginRef() override { return mRef; }
	const char* GetDescription() override { return mDescription; }
	short GetNumChildren() override { return 0; }
	IContentDescription* GetChild(short) override { return nullptr; }

	void SetDescription(const char* text);
	const std::vector<tActiveTicker>& GetActiveTickers() const { return mActive; }

protected:
	tActiveTicker* Find(unsigned long tickerID);

	std::vector<tActiveTicker> mActive;
	char mDescription[256] = {};
	UInt32 mRef = 0;
};
