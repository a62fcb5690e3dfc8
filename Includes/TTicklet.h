#pragma once
// One item that scrolls in a ticker. Whoever made a ticklet deletes it; a ticklet deleted while a ticker
// shows it first takes itself off that ticker.

#include "Includes/IInterface.h"

class ITicker;
class LGWorld;

class TTicklet : public IInterface
{
public:
	static constexpr UInt32 kSignature = FOUR_CHAR_CODE("itlt");
	static constexpr int kFlagCount = 6;
	static constexpr int kBlinkingFlag = 4;

	TTicklet() = default;
	~TTicklet() override;

	TTicklet(const TTicklet&) = delete;
	TTicklet& operator=(const TTicklet&) = delete;

	UInt32 GetInterfaceSig() override { return kSignature; }

	virtual void DoubleClick(short x, short y, unsigned long modifiers);
	virtual void DrawUpdate(unsigned long when);
	virtual void Redraw();
	// Rebuilds the contents from the ticklet's data and the owner's height, colours and font.
	virtual void RefreshData();
	virtual void TickerClosing();
	virtual bool IsBlinking();
	virtual UInt16 GetWidth();
	virtual bool OnStageSnap();
	virtual void OnStage();
	virtual void OffStage();

	// The ticker that shows the ticklet; the ticker sets it when it takes the ticklet and clears it when
	// it lets go, so a ticker that goes first is not called back.
	ITicker* GetOwner() const { return mOwner; }
	void SetOwner(ITicker* owner) { mOwner = owner; }
	LGWorld* GetWorld() const { return mWorld; }

protected:
	UInt16 mWidth = 0;
	ITicker* mOwner = nullptr;
	UInt8 mFlags[kFlagCount] = {};
	LGWorld* mWorld = nullptr; // made and deleted by the subclass
};
